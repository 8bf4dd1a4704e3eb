// The transfer procedures: every read and write between an image and the receiver, each one
// link session. They work on a copy of the image: a read hands back the new image only when
// it succeeded as a whole, so that a failure changes nothing in the program. They report
// progress as value and maximum, can be cancelled between blocks, and say what failed by
// step and address.
#pragma once

#include "link/command.h"
#include "link/port.h"
#include "link/session.h"
#include "model/clone_image.h"

#include <QString>

#include <functional>
#include <optional>

namespace rqm27 {

struct TransferHooks {
  // Value and maximum of the progress, after every step that moves it.
  std::function<void(int value, int maximum)> progress;
  // Asked between blocks; true stops the transfer there.
  std::function<bool()> cancelRequested;
  // True while the receiver initialises its memory (up to 10 s), false afterwards.
  std::function<void(bool waiting)> waitingForReceiver;
};

struct TransferResult {
  enum class Outcome { Done, Failed, Cancelled };
  Outcome outcome = Outcome::Failed;
  // What failed, naming the step and the address; for a cancelled write, how far it got.
  QString message;
  // The image after the transfer, when it is done (a read's new image; a write's image with
  // the settings area as last read).
  std::optional<CloneImage> image;
  LinkCounters counters;
  // After a full write that did not finish: what the receiver holds now, in plain words
  // ("The receiver now holds the new bank table ...; its channels were cleared and 52 of 300
  // were written; its groups are the old ones."). Empty for every other transfer.
  QString receiverState;

  bool done() const { return outcome == Outcome::Done; }
};

// The whole memory: bank table, one-touch memories, settings, memory-protect setting, title,
// icons, groups, then channel slots 1-1700.
TransferResult ReadAll(Port& port, Variant variant, const CloneImage& image,
                       const TransferHooks& hooks = {});
// What the receiver holds after a full write that sent nothing.
QString NothingWrittenText();

// Why an image must not go to the receiver by a full write: its bank table does not hold the
// 1200 channels, or a used channel is outside the receiver's ranges. Nothing when it may.
std::optional<QString> FullWriteFault(const CloneImage& image);

// Whether a full write first refuses an image with a fault (Refuse), or writes it as it is
// (Allow: a backup goes back as the receiver held it).
enum class ImageCheck { Refuse, Allow };

// The same areas the other way, in the same order; the receiver clears its channels
// ("ZT~IM") and only the used slots 1-1700 are written. A write that does not finish says in
// receiverState what the receiver now holds.
TransferResult WriteAll(Port& port, Variant variant, const CloneImage& image,
                        const TransferHooks& hooks = {}, ImageCheck check = ImageCheck::Refuse);

// Reads back what a full write of `written` (the image a finished write returned) left in the
// receiver and fails naming the first difference by slot or area and address: Written reads
// the areas and the used slots, Full every slot as a full read does.
enum class VerifyScope { Written, Full };
TransferResult VerifyWrite(Port& port, Variant variant, const CloneImage& written,
                           VerifyScope scope, const TransferHooks& hooks = {});

// Channel slots between two rows given in either order (the presets included); an empty slot
// is written as 64 zero bytes.
TransferResult ReadSelectedRows(Port& port, Variant variant, const CloneImage& image, int rowA,
                                int rowB, const TransferHooks& hooks = {});
TransferResult WriteSelectedRows(Port& port, Variant variant, const CloneImage& image, int rowA,
                                 int rowB, const TransferHooks& hooks = {});

TransferResult ReadBanks(Port& port, Variant variant, const CloneImage& image,
                         const TransferHooks& hooks = {});
TransferResult WriteBanks(Port& port, Variant variant, const CloneImage& image,
                          const TransferHooks& hooks = {});
TransferResult ReadOneTouchMemories(Port& port, Variant variant, const CloneImage& image,
                                    const TransferHooks& hooks = {});
TransferResult WriteOneTouchMemories(Port& port, Variant variant, const CloneImage& image,
                                     const TransferHooks& hooks = {});
// Settings area, memory-protect setting and title.
TransferResult ReadSettings(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks = {});
// Settings area (read afresh and patched) and title.
TransferResult WriteSettings(Port& port, Variant variant, const CloneImage& image,
                             const TransferHooks& hooks = {});
TransferResult ReadGroups(Port& port, Variant variant, const CloneImage& image,
                          const TransferHooks& hooks = {});
TransferResult WriteGroups(Port& port, Variant variant, const CloneImage& image,
                           const TransferHooks& hooks = {});
TransferResult ReadIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                        const TransferHooks& hooks = {});
TransferResult WriteIcon(Port& port, Variant variant, const CloneImage& image, int icon,
                         const TransferHooks& hooks = {});
TransferResult ReadAllIcons(Port& port, Variant variant, const CloneImage& image,
                            const TransferHooks& hooks = {});
TransferResult WriteAllIcons(Port& port, Variant variant, const CloneImage& image,
                             const TransferHooks& hooks = {});

}  // namespace rqm27
