#include "link/transfers.h"

#include "link/blocks.h"

#include "codec/memory_image.h"
#include "codec/settings_image.h"
#include "model/channel_rules.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

namespace rqm27 {

namespace {

// What one transfer has to hand while it runs.
class Transfer {
 public:
  Transfer(Port& port, Variant variant, const CloneImage& image, const TransferHooks& hooks,
           QString name)
      : link_(port, variant), image_(image), hooks_(hooks), name_(std::move(name)) {}

  LinkSession& link() { return link_; }
  CloneImage& image() { return image_; }

  void progress(int value, int maximum) {
    value_ = value;
    maximum_ = maximum;
    if (hooks_.progress) hooks_.progress(value, maximum);
  }
  void advance() { progress(std::min(value_ + 1, maximum_), maximum_); }

  void waiting(bool on) {
    if (hooks_.waitingForReceiver) hooks_.waitingForReceiver(on);
  }

  // True when the user asked to stop; `soFar` says how far a write got.
  bool cancelled(const QString& soFar) {
    if (!hooks_.cancelRequested || !hooks_.cancelRequested()) return false;
    cancelled_ = true;
    cancelMessage_ = soFar.isEmpty() ? name_ + QStringLiteral(": cancelled")
                                     : name_ + QStringLiteral(": cancelled after ") + soFar;
    return true;
  }

  // Runs the body inside a link session and turns its outcome into a result.
  template <typename Body>
  TransferResult run(Body body) {
    TransferResult result;
    Status status = link_.start();
    if (status) status = body(*this);
    link_.end();
    result.counters = link_.counters();
    if (cancelled_) {
      result.outcome = TransferResult::Outcome::Cancelled;
      result.message = cancelMessage_;
    } else if (!status) {
      result.outcome = TransferResult::Outcome::Failed;
      result.message = name_ + QStringLiteral(": ") + status.error();
    } else {
      result.outcome = TransferResult::Outcome::Done;
      result.image = std::move(image_);
    }
    return result;
  }

 private:
  LinkSession link_;
  CloneImage image_;
  const TransferHooks& hooks_;
  QString name_;
  int value_ = 0;
  int maximum_ = 100;
  bool cancelled_ = false;
  QString cancelMessage_;
};

// A stop between blocks, reported as a failure status so that the body ends there.
Status Stopped() {
  return Error{QStringLiteral("cancelled")};
}

// The areas a full read takes before the channels, in the memory map's order.
Status ReadAreas(Transfer& t) {
  for (const MemoryArea& area : MemoryAreas) {
    if (!area.moved()) continue;
    if (t.cancelled({})) return Stopped();
    if (Status s = ReadArea(t.link(), area, t.image()); !s) return s;
  }
  return Ok();
}

Status ReadRows(Transfer& t, int first, int last) {
  t.progress(0, last - first + 1);
  for (int slot = first; slot <= last; ++slot) {
    if (t.cancelled({})) return Stopped();
    if (Status s = ReadChannelBlock(t.link(), t.image(), slot); !s) return s;
    t.advance();
  }
  return Ok();
}

// `before` says what the transfer did before the rows, for the message of a cancelled write.
Status WriteRows(Transfer& t, int first, int last, bool skipEmpty, const QString& before = {}) {
  t.progress(0, last - first + 1);
  for (int slot = first; slot <= last; ++slot) {
    const QString rows = QStringLiteral("writing channel slots %1 to %2").arg(first).arg(slot - 1);
    const QString soFar = slot == first      ? before
                          : before.isEmpty() ? rows
                                             : before + QStringLiteral(", then ") + rows;
    if (t.cancelled(soFar)) return Stopped();
    if (Status s = WriteChannelBlock(t.link(), t.image(), slot, skipEmpty); !s) return s;
    t.advance();
  }
  return Ok();
}

enum class Direction { Read, Write };

Status MoveArea(Transfer& t, const MemoryArea& area, Direction direction, int from = 0,
                int to = -1) {
  return direction == Direction::Read ? ReadArea(t.link(), area, t.image(), from, to)
                                      : WriteArea(t.link(), area, t.image(), from, to);
}

// Whole areas in the given order, the bar moving after each. The user may stop it between
// areas; a write then says which it wrote.
TransferResult AreaTransfer(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks, const QString& name,
                            std::initializer_list<MemoryAreaId> ids, Direction direction) {
  return Transfer(port, variant, image, hooks, name).run([&](Transfer& t) {
    const int count = static_cast<int>(ids.size());
    QStringList moved;
    t.progress(0, count);
    for (const MemoryAreaId id : ids) {
      const QString soFar = direction == Direction::Write && !moved.isEmpty()
                                ? QStringLiteral("writing ") + moved.join(QStringLiteral(", "))
                                : QString();
      if (!moved.isEmpty() && t.cancelled(soFar)) return Stopped();
      if (Status s = MoveArea(t, AreaOf(id), direction); !s) return s;
      moved << QLatin1StringView(AreaOf(id).name);
      t.progress(static_cast<int>(moved.size()), count);
    }
    return Ok();
  });
}

// Icons `first` to `last` one at a time; the user may stop it between icons.
TransferResult IconTransfer(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks, const QString& name, int first, int last,
                            Direction direction) {
  return Transfer(port, variant, image, hooks, name).run([&](Transfer& t) {
    const MemoryArea& icons = AreaOf(MemoryAreaId::Icons);
    for (int icon = first; icon <= last; ++icon) {
      const QString soFar = direction == Direction::Write && icon > first
                                ? QStringLiteral("writing icons %1 to %2").arg(first).arg(icon - 1)
                                : QString();
      if (t.cancelled(soFar)) return Stopped();
      if (Status s =
              MoveArea(t, icons, direction, icon * icons.itemSize, (icon + 1) * icons.itemSize);
          !s) {
        return s;
      }
    }
    return Ok();
  });
}

// What a full write has put into the receiver so far, to say what it holds when the write
// stops part-way.
struct WriteLedger {
  enum class Clear { NotSent, Unconfirmed, Done };
  QStringList areas;  // written whole, in order, without their article: "bank table"
  // The area whose blocks were being written when it stopped.
  const MemoryArea* areaInProgress = nullptr;
  Clear clear = Clear::NotSent;
  int channelsWritten = 0;
  int channelsToWrite = 0;
  // The receiver did not answer the last channel write: it may have stored it.
  bool lastChannelUnanswered = false;

  QString text() const {
    if (areas.isEmpty() && areaInProgress == nullptr) {
      return NothingWrittenText();
    }
    QString text = QStringLiteral("The receiver now holds ");
    text += areas.isEmpty() ? QStringLiteral("its old areas")
                            : QStringLiteral("the new ") + JoinWords(areas);
    if (areaInProgress != nullptr) {
      text += QStringLiteral(", and %1 may be partly written")
                  .arg(QLatin1StringView(areaInProgress->name));
    }
    const QString groups = areaInProgress != nullptr && areaInProgress->writtenAfterChannels
                               ? QString()
                               : QStringLiteral("; its groups are the old ones");
    switch (clear) {
      case Clear::NotSent:
        return text + QStringLiteral("; its channels are the old ones") + groups + u'.';
      case Clear::Unconfirmed:
        return text +
               QStringLiteral("; it did not confirm clearing its channels, so they may be gone") +
               groups + u'.';
      case Clear::Done:
        break;
    }
    text += QStringLiteral("; its channels were cleared and %1 of %2 were written")
                .arg(channelsWritten)
                .arg(channelsToWrite);
    if (lastChannelUnanswered) {
      text += QStringLiteral(" (one more may be too: its write was not answered)");
    }
    return text + groups + u'.';
  }

  static QString JoinWords(const QStringList& words) {
    if (words.size() < 2) return words.join(QString());
    return words.first(words.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           words.last();
  }
};

// Writes one area of a full write and notes it in the ledger.
Status WriteLedgerArea(Transfer& t, WriteLedger& ledger, const MemoryArea& area) {
  if (t.cancelled({})) return Stopped();
  ledger.areaInProgress = &area;
  if (Status s = WriteArea(t.link(), area, t.image()); !s) return s;
  ledger.areaInProgress = nullptr;
  ledger.areas << QString::fromLatin1(area.name).remove(QStringLiteral("the "));
  t.advance();
  return Ok();
}

Status ClearChannels(Transfer& t, WriteLedger& ledger) {
  if (t.cancelled({})) return Stopped();
  t.waiting(true);
  ledger.clear = WriteLedger::Clear::Unconfirmed;
  const QByteArray reply = t.link().send("ZT~IM");
  t.waiting(false);
  if (reply == "OK") {
    ledger.clear = WriteLedger::Clear::Done;
    return Ok();
  }
  return Error{reply.isEmpty() ? QStringLiteral("the receiver did not confirm clearing its "
                                                "channels (ZT~IM) within 10 seconds")
                               : QStringLiteral("the receiver answered \"%1\" to clearing its "
                                                "channels (ZT~IM)")
                                     .arg(QString::fromLatin1(reply.left(20)))};
}

Status WriteUsedChannels(Transfer& t, WriteLedger& ledger) {
  ledger.channelsToWrite = UsedChannelCount(t.image());
  t.progress(0, LastTransferredSlot);
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
    if (t.cancelled({})) return Stopped();
    if (Status s = WriteChannelBlock(t.link(), t.image(), slot, true); !s) {
      ledger.lastChannelUnanswered = s.error().contains(QStringLiteral("did not answer"));
      return s;
    }
    if (t.image().slot(slot).used) ++ledger.channelsWritten;
    t.advance();
  }
  return Ok();
}

// The areas in the memory map's order, the clear, the channels, then the areas written after
// the channels (the groups).
Status WriteWholeMemory(Transfer& t, WriteLedger& ledger) {
  const auto writtenAreas = [](bool afterChannels) {
    std::vector<const MemoryArea*> areas;
    for (const MemoryArea& area : MemoryAreas) {
      if (area.written() && area.writtenAfterChannels == afterChannels) areas.push_back(&area);
    }
    return areas;
  };
  const auto before = writtenAreas(false);
  t.progress(0, static_cast<int>(before.size()));
  for (const MemoryArea* area : before) {
    if (Status s = WriteLedgerArea(t, ledger, *area); !s) return s;
  }
  if (Status s = ClearChannels(t, ledger); !s) return s;
  if (Status s = WriteUsedChannels(t, ledger); !s) return s;
  for (const MemoryArea* area : writtenAreas(true)) {
    if (Status s = WriteLedgerArea(t, ledger, *area); !s) return s;
  }
  return Ok();
}

// The first difference between what a write left and what was read back, by the bytes both
// would give in the receiver's memory.
Status CompareMemories(const CloneImage& written, const CloneImage& read) {
  const auto memoryOf = [](const CloneImage& image) {
    QByteArray base(MemoryImageSize, '\0');
    if (image.settingsImage.size() == SettingsAreaSize) {
      base.replace(SettingsAreaAddress, SettingsAreaSize, image.settingsImage);
    }
    return EncodeMemoryImage(image, base);
  };
  const auto expected = memoryOf(written);
  if (!expected) return Error{expected.error()};
  const auto found = memoryOf(read);
  if (!found) return Error{found.error()};
  if (const auto address = FirstDifference(*expected, *found)) {
    return Error{QStringLiteral("%1 differs from what was written").arg(DescribeAddress(*address))};
  }
  return Ok();
}

}  // namespace

TransferResult ReadAll(Port& port, Variant variant, const CloneImage& image,
                       const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Read all")).run([](Transfer& t) {
    t.progress(0, LastTransferredSlot);
    if (Status s = ReadAreas(t); !s) return s;
    return ReadRows(t, 1, LastTransferredSlot);
  });
}

QString NothingWrittenText() {
  return QStringLiteral("Nothing was written: the receiver holds what it held before.");
}

std::optional<QString> FullWriteFault(const CloneImage& image) {
  if (!image.banks.consistent()) {
    return QStringLiteral("the bank table holds %1 channels; the receiver needs exactly %2")
        .arg(image.banks.total())
        .arg(MemoryChannelCount);
  }
  for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
    if (!image.slot(slot).used) continue;
    if (const auto fault = ChannelFault(image.slot(slot))) {
      return QStringLiteral("slot %1: %2").arg(slot).arg(*fault);
    }
  }
  return std::nullopt;
}

TransferResult WriteAll(Port& port, Variant variant, const CloneImage& image,
                        const TransferHooks& hooks, ImageCheck check) {
  const QString name = QStringLiteral("Write all");
  if (check == ImageCheck::Refuse) {
    if (const auto fault = FullWriteFault(image)) {
      TransferResult refused;
      refused.message = name + QStringLiteral(": refused before anything was sent: ") + *fault;
      refused.receiverState = WriteLedger().text();
      return refused;
    }
  }
  WriteLedger ledger;
  TransferResult result = Transfer(port, variant, image, hooks, name).run([&](Transfer& t) {
    return WriteWholeMemory(t, ledger);
  });
  if (!result.done()) result.receiverState = ledger.text();
  return result;
}

TransferResult VerifyWrite(Port& port, Variant variant, const CloneImage& written,
                           VerifyScope scope, const TransferHooks& hooks) {
  return Transfer(port, variant, written, hooks, QStringLiteral("Verify")).run([&](Transfer& t) {
    if (Status s = ReadAreas(t); !s) return s;
    t.progress(0, LastTransferredSlot);
    for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
      if (scope == VerifyScope::Full || written.slot(slot).used) {
        if (t.cancelled({})) return Stopped();
        if (Status s = ReadChannelBlock(t.link(), t.image(), slot); !s) return s;
      }
      t.advance();
    }
    return CompareMemories(written, t.image());
  });
}

TransferResult ReadSelectedRows(Port& port, Variant variant, const CloneImage& image, int rowA,
                                int rowB, const TransferHooks& hooks) {
  const int first = std::max(1, std::min(rowA, rowB));
  const int last = std::min(SlotCount, std::max(rowA, rowB));
  return Transfer(port, variant, image, hooks, QStringLiteral("One Memory Read"))
      .run([&](Transfer& t) { return ReadRows(t, first, last); });
}

TransferResult WriteSelectedRows(Port& port, Variant variant, const CloneImage& image, int rowA,
                                 int rowB, const TransferHooks& hooks) {
  const int first = std::max(1, std::min(rowA, rowB));
  const int last = std::min(SlotCount, std::max(rowA, rowB));
  return Transfer(port, variant, image, hooks, QStringLiteral("One Memory Write"))
      .run([&](Transfer& t) { return WriteRows(t, first, last, false); });
}

TransferResult ReadBanks(Port& port, Variant variant, const CloneImage& image,
                         const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("Bank Read"),
                      {MemoryAreaId::BankTable}, Direction::Read);
}

TransferResult WriteBanks(Port& port, Variant variant, const CloneImage& image,
                          const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("Bank Write"),
                      {MemoryAreaId::BankTable}, Direction::Write);
}

TransferResult ReadOneTouchMemories(Port& port, Variant variant, const CloneImage& image,
                                    const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("One-touch read"),
                      {MemoryAreaId::OneTouch}, Direction::Read);
}

TransferResult WriteOneTouchMemories(Port& port, Variant variant, const CloneImage& image,
                                     const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("One-touch write"),
                      {MemoryAreaId::OneTouch}, Direction::Write);
}

TransferResult ReadSettings(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("Settings read"),
                      {MemoryAreaId::Settings, MemoryAreaId::MemoryProtect, MemoryAreaId::Title},
                      Direction::Read);
}

TransferResult WriteSettings(Port& port, Variant variant, const CloneImage& image,
                             const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("Settings write"),
                      {MemoryAreaId::Settings, MemoryAreaId::Title}, Direction::Write);
}

TransferResult ReadGroups(Port& port, Variant variant, const CloneImage& image,
                          const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("Groups read"),
                      {MemoryAreaId::BankLinks}, Direction::Read);
}

TransferResult WriteGroups(Port& port, Variant variant, const CloneImage& image,
                           const TransferHooks& hooks) {
  return AreaTransfer(port, variant, image, hooks, QStringLiteral("Groups write"),
                      {MemoryAreaId::BankLinks}, Direction::Write);
}

TransferResult ReadIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                        const TransferHooks& hooks) {
  return IconTransfer(port, variant, image, hooks, QStringLiteral("Icon read"), icon, icon,
                      Direction::Read);
}

TransferResult WriteIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                         const TransferHooks& hooks) {
  return IconTransfer(port, variant, image, hooks, QStringLiteral("Icon write"), icon, icon,
                      Direction::Write);
}

TransferResult ReadAllIcons(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks) {
  return IconTransfer(port, variant, image, hooks, QStringLiteral("Read ALL icons"), 0,
                      IconCount - 1, Direction::Read);
}

TransferResult WriteAllIcons(Port& port, Variant variant, const CloneImage& image,
                             const TransferHooks& hooks) {
  return IconTransfer(port, variant, image, hooks, QStringLiteral("Write ALL icons"), 0,
                      IconCount - 1, Direction::Write);
}

}  // namespace rqm27
