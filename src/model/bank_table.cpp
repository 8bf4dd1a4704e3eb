#include "model/bank_table.h"

#include <numeric>

namespace rqm27 {

BankTable BankTable::Defaults() {
  BankTable table;
  for (int b = 0; b < 12; ++b) table.counts[b] = 100;
  return table;
}

int BankTable::total() const {
  return std::accumulate(counts.begin(), counts.end(), 0);
}

}  // namespace rqm27
