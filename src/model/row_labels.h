// The label of every slot, shown in the grid's first column: "Bank05-012" for the memory
// channels (from the bank table), then the fixed labels of the program-scan edges, dual-watch
// pairs, priority, pass and preset channels.
#pragma once

#include "model/bank_table.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace rqm27 {

// The labels of slots 1-1721 (entry n - 1 for slot n), or nullopt when the table is not
// consistent: the grid then keeps the labels it shows.
std::optional<QStringList> ShowRowLabels(const BankTable& banks);

// The label of one of the fixed slots 1201-1721.
QString FixedRowLabel(int slot);

// The labels before the bank table is known: "0" to "1720".
QStringList ProvisionalRowLabels();

}  // namespace rqm27
