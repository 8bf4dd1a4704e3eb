#include "model/value_tables.h"

namespace rqm27 {

namespace {
bool SameText(std::string_view a, QStringView b) {
  return QStringView(Label(a)) == b;
}
}  // namespace

std::optional<int> IndexOfLabel(std::span<const std::string_view> table, QStringView label) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (SameText(table[i], label)) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::optional<int> CodeOfLabel(std::span<const LabelCode> table, QStringView label) {
  for (const LabelCode& entry : table) {
    if (SameText(entry.label, label)) return entry.code;
  }
  return std::nullopt;
}

std::optional<std::string_view> LabelOfCode(std::span<const LabelCode> table, int code) {
  for (const LabelCode& entry : table) {
    if (entry.code == code) return entry.label;
  }
  return std::nullopt;
}

}  // namespace rqm27
