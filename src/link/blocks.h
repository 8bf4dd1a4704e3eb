// The block functions: each area of the receiver's memory read or written with the block
// commands, and decoded into or encoded from an image.
//
//   command                                  reply
//   "ZT~F" + 5 hex address digits + "R"      the 64 bytes from the address, 128 hex characters
//   "ZT~F" + address + "W" + hex data        "OK"
//
// Reads change the image they are given only when the whole area arrived and decoded; the
// transfer procedures give them a copy. Multi-block writes stop at the first refusal, so the
// blocks before it are written. Every error names what was being moved and the address.
#pragma once

#include "link/session.h"
#include "model/clone_image.h"
#include "model/result.h"

#include <QByteArray>

namespace rqm27 {

inline constexpr int BlockBytes = 64;

QByteArray BlockReadCommand(int address);
QByteArray BlockWriteCommand(int address, const QByteArray& bytes);

// 64 bytes from the address; `what` names the area in the error.
Result<QByteArray> ReadBlock(LinkSession& link, int address, const QString& what);
Status WriteBlock(LinkSession& link, int address, const QByteArray& bytes, const QString& what);

Status ReadBankTable(LinkSession& link, CloneImage& image);
Status WriteBankTable(LinkSession& link, const CloneImage& image);
// Matches the stored banks against the image's bank table.
Status ReadOneTouch(LinkSession& link, CloneImage& image);
Status WriteOneTouch(LinkSession& link, const CloneImage& image);
// Keeps the settings area's bytes in image.settingsImage (decoding is the caller's step).
Status ReadSettingsImage(LinkSession& link, CloneImage& image);
// Reads the area afresh, patches the image's selections into it and writes it back.
Status WriteSettingsImage(LinkSession& link, CloneImage& image);
Status DecodeReadSettings(CloneImage& image);
Status ReadMemoryProtect(LinkSession& link, CloneImage& image);
Status ReadTitleBlock(LinkSession& link, CloneImage& image);
Status WriteTitleBlock(LinkSession& link, const CloneImage& image);
Status ReadBankLinks(LinkSession& link, CloneImage& image);
Status WriteBankLinks(LinkSession& link, const CloneImage& image);
Status ReadIconBlock(LinkSession& link, CloneImage& image, int icon);
Status WriteIconBlock(LinkSession& link, const CloneImage& image, int icon);
Status ReadChannelBlock(LinkSession& link, CloneImage& image, int slot);
// An empty slot is not sent when skipEmpty, and sent as 64 zero bytes otherwise.
Status WriteChannelBlock(LinkSession& link, const CloneImage& image, int slot, bool skipEmpty);

}  // namespace rqm27
