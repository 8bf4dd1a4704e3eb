#include "model/row_labels.h"

#include "model/clone_image.h"

namespace rqm27 {

QString FixedRowLabel(int slot) {
  if (slot >= 1201 && slot <= 1300) {
    const int k = slot - 1201;
    return QStringLiteral("PRG - %1%2").arg(k / 2).arg(QChar(k % 2 == 0 ? u'A' : u'B'));
  }
  if (slot >= 1301 && slot <= 1500) {
    const int k = slot - 1301;
    return QStringLiteral("Dual%1%2")
        .arg(k / 2)
        .arg(k % 2 == 0 ? QStringLiteral("(Main) ") : QStringLiteral("(Sub) "));
  }
  if (slot >= 1501 && slot <= 1600) return QStringLiteral("PRIO - %1").arg(slot - 1501);
  if (slot >= 1601 && slot <= 1700) return QStringLiteral("PASS - %1").arg(slot - 1601);
  if (slot >= 1701 && slot <= SlotCount) return QStringLiteral("BUG - %1").arg(slot - 1701);
  return {};
}

std::optional<QStringList> ShowRowLabels(const BankTable& banks) {
  if (!banks.consistent()) return std::nullopt;
  QStringList labels;
  labels.reserve(SlotCount);
  for (int b = 0; b < BankCount; ++b) {
    for (int k = 0; k < banks.counts[b]; ++k) {
      labels << QStringLiteral("Bank%1-%2").arg(b, 2, 10, QChar(u'0')).arg(k, 3, 10, QChar(u'0'));
    }
  }
  for (int slot = MemoryChannelCount + 1; slot <= SlotCount; ++slot) labels << FixedRowLabel(slot);
  return labels;
}

QStringList ProvisionalRowLabels() {
  QStringList labels;
  labels.reserve(SlotCount);
  for (int r = 1; r <= SlotCount; ++r) labels << QString::number(r - 1);
  return labels;
}

}  // namespace rqm27
