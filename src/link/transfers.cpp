#include "link/transfers.h"

#include "link/blocks.h"

#include <algorithm>

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
  for (AreaStep step : {ReadMemoryModeSetting, ReadTitleBlock}) {
    if (t.cancelled({})) return Stopped();
    if (const Status s = step(t.link(), t.image()); !s) return s;
  }
  for (int icon = 0; icon < IconCount; ++icon) {
    if (t.cancelled({})) return Stopped();
    if (const Status s = ReadFontData(t.link(), t.image(), icon); !s) return s;
  }
  if (t.cancelled({})) return Stopped();
  return ReadBankLinkData(t.link(), t.image());
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

}  // namespace

TransferResult ReadAll(Port& port, Variant variant, const CloneImage& image,
                       const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Read all")).run([](Transfer& t) {
    t.progress(0, LastTransferredSlot);
    if (const Status s = ReadAreas(t); !s) return s;
    return ReadRows(t, 1, LastTransferredSlot);
  });
}

TransferResult WriteAll(Port& port, Variant variant, const CloneImage& image,
                        const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Write all")).run([](Transfer& t) {
    constexpr int kAreaSteps = 14;
    t.progress(1, kAreaSteps);
    const std::pair<const char*, Status (*)(LinkSession&, const CloneImage&)> areas[] = {
        {"", WriteBankTable}, {"the bank table", WriteOneTouch}};
    for (const auto& [before, step] : areas) {
      if (t.cancelled(QString::fromLatin1(before))) return Stopped();
      if (const Status s = step(t.link(), t.image()); !s) return s;
      t.advance();
    }
    if (t.cancelled(QStringLiteral("the bank table and the one-touch memories"))) return Stopped();
    if (const Status s = WriteSettingsImage(t.link(), t.image()); !s) return s;
    t.advance();
    if (const Status s = WriteTitleBlock(t.link(), t.image()); !s) return s;
    t.advance();
    for (int icon = 0; icon < IconCount; ++icon) {
      if (t.cancelled(QStringLiteral("the settings, the title and %1 icons").arg(icon))) {
        return Stopped();
      }
      if (const Status s = WriteFontData(t.link(), t.image(), icon); !s) return s;
      t.advance();
    }
    if (t.cancelled(QStringLiteral("every area but the channels and the groups"))) {
      return Stopped();
    }
    t.waiting(true);
    const QByteArray reply = t.link().send("ZT~IM");
    t.waiting(false);
    if (reply != "OK") {
      return Status(Error{reply.isEmpty()
                              ? QStringLiteral("the receiver did not confirm clearing its "
                                               "channels (ZT~IM) within 10 seconds")
                              : QStringLiteral("the receiver answered \"%1\" to clearing its "
                                               "channels (ZT~IM)")
                                    .arg(QString::fromLatin1(reply.left(20)))});
    }
    const QString before =
        QStringLiteral("writing every area but the groups and clearing the receiver's channels");
    if (const Status s = WriteRows(t, 1, LastTransferredSlot, true, before); !s) return s;
    if (t.cancelled(QStringLiteral("all channels; the groups are not written"))) return Stopped();
    if (const Status s = WriteBankLinkData(t.link(), t.image()); !s) return s;
    t.advance();
    return Ok();
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
        if (const Status s = ReadMemoryModeSetting(t.link(), t.image()); !s) return s;
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
    return ReadBankLinkData(t.link(), t.image());
  });
}

TransferResult WriteGroups(Port& port, Variant variant, const CloneImage& image,
                           const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Groups write")).run([](Transfer& t) {
    return WriteBankLinkData(t.link(), t.image());
  });
}

TransferResult ReadIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                        const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Icon read"))
      .run([icon](Transfer& t) { return ReadFontData(t.link(), t.image(), icon); });
}

TransferResult WriteIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                         const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Icon write"))
      .run([icon](Transfer& t) { return WriteFontData(t.link(), t.image(), icon); });
}

TransferResult ReadAllIcons(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks) {
  return Transfer(port, variant, image, hooks, QStringLiteral("Read ALL icons"))
      .run([](Transfer& t) {
        for (int icon = 0; icon < IconCount; ++icon) {
          if (t.cancelled({})) return Stopped();
          if (const Status s = ReadFontData(t.link(), t.image(), icon); !s) return s;
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
          if (const Status s = WriteFontData(t.link(), t.image(), icon); !s) return s;
        }
        return Ok();
      });
}

}  // namespace rqm27
