#include "link/transfers.h"

#include "link/blocks.h"

#include "codec/memory_image.h"
#include "codec/settings_image.h"
#include "model/channel_rules.h"

#include <QStringList>

#include <algorithm>
#include <functional>

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

using AreaStep = Status (*)(LinkSession&, CloneImage&);

// The areas a full read takes before the channels, in order.
Status ReadAreas(Transfer& t) {
  const AreaStep steps[] = {ReadBankTable, ReadOneTouch, ReadSettingsImage};
  for (AreaStep step : steps) {
    if (t.cancelled({})) return Stopped();
    if (const Status s = step(t.link(), t.image()); !s) return s;
  }
  if (const Status s = DecodeReadSettings(t.image()); !s) return s;
  for (AreaStep step : {ReadMemoryProtect, ReadTitleBlock}) {
    if (t.cancelled({})) return Stopped();
    if (const Status s = step(t.link(), t.image()); !s) return s;
  }
  for (int icon = 0; icon < IconCount; ++icon) {
    if (t.cancelled({})) return Stopped();
    if (const Status s = ReadIconBlock(t.link(), t.image(), icon); !s) return s;
  }
  if (t.cancelled({})) return Stopped();
  return ReadBankLinks(t.link(), t.image());
}

Status ReadRows(Transfer& t, int first, int last) {
  t.progress(0, last - first + 1);
  for (int slot = first; slot <= last; ++slot) {
    if (t.cancelled({})) return Stopped();
    if (const Status s = ReadChannelBlock(t.link(), t.image(), slot); !s) return s;
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
    if (const Status s = WriteChannelBlock(t.link(), t.image(), slot, skipEmpty); !s) return s;
    t.advance();
  }
  return Ok();
}

// A transfer of one area with the bar at 0, 50 and 100.
TransferResult HalfwayTransfer(Port& port, Variant variant, const CloneImage& image,
                               const TransferHooks& hooks, const QString& name,
                               const std::function<Status(Transfer&)>& step) {
  return Transfer(port, variant, image, hooks, name).run([&](Transfer& t) {
    t.progress(50, 100);
    if (const Status s = step(t); !s) return s;
    t.progress(100, 100);
    return Ok();
  });
}

// What a full write has put into the receiver so far, to say what it holds when the write
// stops part-way.
struct WriteLedger {
  enum class Clear { NotSent, Unconfirmed, Done };
  QStringList areas;       // written whole, in order
  QString areaInProgress;  // the area whose blocks were being written when it stopped
  Clear clear = Clear::NotSent;
  int channelsWritten = 0;
  int channelsToWrite = 0;
  // The receiver did not answer the last channel write: it may have stored it.
  bool lastChannelUnanswered = false;

  QString text() const {
    if (areas.isEmpty() && areaInProgress.isEmpty()) {
      return NothingWrittenText();
    }
    QString text = QStringLiteral("The receiver now holds ");
    text += areas.isEmpty() ? QStringLiteral("its old areas")
                            : QStringLiteral("the new ") + JoinWords(areas);
    if (!areaInProgress.isEmpty()) {
      text += QStringLiteral(", and the %1 may be partly written").arg(areaInProgress);
    }
    const QString groups = areaInProgress == QLatin1StringView("groups")
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

// Runs one area step of a full write and notes it in the ledger.
template <typename Step>
Status WriteArea(Transfer& t, WriteLedger& ledger, const QString& area, Step step) {
  if (t.cancelled({})) return Stopped();
  ledger.areaInProgress = area;
  if (const Status s = step(); !s) return s;
  ledger.areaInProgress.clear();
  if (!ledger.areas.contains(area)) ledger.areas << area;
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
    if (const Status s = WriteChannelBlock(t.link(), t.image(), slot, true); !s) {
      ledger.lastChannelUnanswered = s.error().contains(QStringLiteral("did not answer"));
      return s;
    }
    if (t.image().slot(slot).used) ++ledger.channelsWritten;
    t.advance();
  }
  return Ok();
}

// The areas in the order the receiver has always been given them: bank table, one-touch
// memories, settings, title, icons, the clear, the channels, the groups.
Status WriteWholeMemory(Transfer& t, WriteLedger& ledger) {
  constexpr int kAreaSteps = 14;
  t.progress(1, kAreaSteps);
  LinkSession& link = t.link();
  CloneImage& image = t.image();
  const std::pair<const char*, std::function<Status()>> areas[] = {
      {"bank table", [&] { return WriteBankTable(link, image); }},
      {"one-touch memories", [&] { return WriteOneTouch(link, image); }},
      {"settings", [&] { return WriteSettingsImage(link, image); }},
      {"title", [&] { return WriteTitleBlock(link, image); }}};
  for (const auto& [area, step] : areas) {
    if (const Status s = WriteArea(t, ledger, QLatin1StringView(area), step); !s) return s;
  }
  const auto icons = [&] {
    for (int icon = 0; icon < IconCount; ++icon) {
      if (const Status s = WriteIconBlock(link, image, icon); !s) return s;
      t.advance();
    }
    return Ok();
  };
  if (const Status s = WriteArea(t, ledger, QStringLiteral("icons"), icons); !s) return s;
  if (const Status s = ClearChannels(t, ledger); !s) return s;
  if (const Status s = WriteUsedChannels(t, ledger); !s) return s;
  return WriteArea(t, ledger, QStringLiteral("groups"),
                   [&] { return WriteBankLinks(link, image); });
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
    if (const Status s = ReadAreas(t); !s) return s;
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
    if (const Status s = ReadAreas(t); !s) return s;
    t.progress(0, LastTransferredSlot);
    for (int slot = 1; slot <= LastTransferredSlot; ++slot) {
      if (scope == VerifyScope::Full || written.slot(slot).used) {
        if (t.cancelled({})) return Stopped();
        if (const Status s = ReadChannelBlock(t.link(), t.image(), slot); !s) return s;
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
  return HalfwayTransfer(port, variant, image, hooks, QStringLiteral("Bank Read"),
                         [](Transfer& t) { return ReadBankTable(t.link(), t.image()); });
}

TransferResult WriteBanks(Port& port, Variant variant, const CloneImage& image,
                          const TransferHooks& hooks) {
  return HalfwayTransfer(port, variant, image, hooks, QStringLiteral("Bank Write"),
                         [](Transfer& t) { return WriteBankTable(t.link(), t.image()); });
}

TransferResult ReadOneTouchMemories(Port& port, Variant variant, const CloneImage& image,
                                    const TransferHooks& hooks) {
  return HalfwayTransfer(port, variant, image, hooks, QStringLiteral("One-touch read"),
                         [](Transfer& t) { return ReadOneTouch(t.link(), t.image()); });
}

TransferResult WriteOneTouchMemories(Port& port, Variant variant, const CloneImage& image,
                                     const TransferHooks& hooks) {
  return HalfwayTransfer(port, variant, image, hooks, QStringLiteral("One-touch write"),
                         [](Transfer& t) { return WriteOneTouch(t.link(), t.image()); });
}

TransferResult ReadSettings(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Settings read"))
      .run([](Transfer& t) {
        t.progress(10, 100);
        if (const Status s = ReadSettingsImage(t.link(), t.image()); !s) return s;
        if (const Status s = DecodeReadSettings(t.image()); !s) return s;
        t.progress(50, 100);
        if (const Status s = ReadMemoryProtect(t.link(), t.image()); !s) return s;
        if (const Status s = ReadTitleBlock(t.link(), t.image()); !s) return s;
        t.progress(100, 100);
        return Ok();
      });
}

TransferResult WriteSettings(Port& port, Variant variant, const CloneImage& image,
                             const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Settings write"))
      .run([](Transfer& t) {
        t.progress(0, 100);
        if (const Status s = WriteSettingsImage(t.link(), t.image()); !s) return s;
        t.progress(50, 100);
        if (t.cancelled(QStringLiteral("the settings area; the title is not written"))) {
          return Stopped();
        }
        if (const Status s = WriteTitleBlock(t.link(), t.image()); !s) return s;
        t.progress(100, 100);
        return Ok();
      });
}

TransferResult ReadGroups(Port& port, Variant variant, const CloneImage& image,
                          const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Groups read")).run([](Transfer& t) {
    return ReadBankLinks(t.link(), t.image());
  });
}

TransferResult WriteGroups(Port& port, Variant variant, const CloneImage& image,
                           const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Groups write")).run([](Transfer& t) {
    return WriteBankLinks(t.link(), t.image());
  });
}

TransferResult ReadIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                        const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Icon read"))
      .run([icon](Transfer& t) { return ReadIconBlock(t.link(), t.image(), icon); });
}

TransferResult WriteIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                         const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Icon write"))
      .run([icon](Transfer& t) { return WriteIconBlock(t.link(), t.image(), icon); });
}

TransferResult ReadAllIcons(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Read ALL icons"))
      .run([](Transfer& t) {
        for (int icon = 0; icon < IconCount; ++icon) {
          if (t.cancelled({})) return Stopped();
          if (const Status s = ReadIconBlock(t.link(), t.image(), icon); !s) return s;
        }
        return Ok();
      });
}

TransferResult WriteAllIcons(Port& port, Variant variant, const CloneImage& image,
                             const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Write ALL icons"))
      .run([](Transfer& t) {
        for (int icon = 0; icon < IconCount; ++icon) {
          if (t.cancelled(QStringLiteral("writing icons 0 to %1").arg(icon - 1))) return Stopped();
          if (const Status s = WriteIconBlock(t.link(), t.image(), icon); !s) return s;
        }
        return Ok();
      });
}

}  // namespace rqm27
