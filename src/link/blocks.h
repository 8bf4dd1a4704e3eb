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

#include "codec/memory_map.h"
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

// Reads the bytes of an area (of the memory map) from offset `from` to `to` (the whole area by
// default), puts them over what the image holds there, and decodes the area into the image.
Status ReadArea(LinkSession& link, const MemoryArea& area, CloneImage& image, int from = 0,
                int to = -1);
// Writes the area's bytes for the image from `from` to `to` (the whole area by default). An
// area whose bytes the image keeps (the settings) is read afresh first and patched; the image
// then keeps the bytes written.
Status WriteArea(LinkSession& link, const MemoryArea& area, CloneImage& image, int from = 0,
                 int to = -1);
Status ReadChannelBlock(LinkSession& link, CloneImage& image, int slot);
// An empty slot is not sent when skipEmpty, and sent as 64 zero bytes otherwise.
Status WriteChannelBlock(LinkSession& link, const CloneImage& image, int slot, bool skipEmpty);

}  // namespace rqm27
