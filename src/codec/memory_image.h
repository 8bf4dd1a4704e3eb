// The receiver's whole memory as one flat image of 131072 bytes, byte n at address n; its
// areas are the rows of the memory map (memory_map.h).
#pragma once

#include "codec/memory_map.h"
#include "model/clone_image.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace rqm27 {

inline constexpr int MemoryImageSize = 131072;

// What lies at an address, in words: "channel slot 52 (address 02440)", "the opening title
// (address 001A4)".
QString DescribeAddress(int address);

// The first address at which two memories differ, or nothing when they are the same.
std::optional<int> FirstDifference(const QByteArray& a, const QByteArray& b);

// What a full read of a receiver holding this memory gives: a start-up image with every area
// decoded, in the order the read takes them. Fails, naming the area, slot or setting, when a
// byte cannot be decoded or the size is not 131072.
Result<CloneImage> DecodeMemoryImage(const QByteArray& memory);

// What a receiver holding `base` holds after a full write of the image: every area written,
// the channel area cleared and the used slots 1-1700 written; the memory-protect byte and the
// preset slots are left as they were.
Result<QByteArray> EncodeMemoryImage(const CloneImage& image, const QByteArray& base);

}  // namespace rqm27
