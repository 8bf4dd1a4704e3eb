// An image file's contents without the file: the bytes of an image in a given format, for
// images that come from standard input or go to standard output. `name` stands for the file
// in messages ("standard input").
#pragma once

#include "files/image_file.h"

#include <optional>

namespace rqm27 {

// Reads an image from the bytes of a file in `format`; a channel list of either layout is told
// by its header, as LoadImageFile does. A multi-radio list fills the slots from `firstSlot` on
// when one is given, instead of by its Location column.
Result<Noted<CloneImage>> ImageFromBytes(const QByteArray& bytes, ImageFormat format,
                                         const QString& name,
                                         std::optional<int> firstSlot = std::nullopt);

// The bytes SaveImageFile writes for the image in `format`, with what the format could not
// keep.
Result<Noted<QByteArray>> ImageToBytes(const CloneImage& image, ImageFormat format,
                                       const QByteArray& base, const QString& name);

}  // namespace rqm27
