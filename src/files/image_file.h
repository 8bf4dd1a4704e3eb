// Image files of every kind the program reads and writes, chosen by the file's extension
// (compared without regard to case): ".bin" a raw memory image, ".json" a JSON image, ".M27" a
// clone file, ".CSV" a channel list, the program's own or the multi-radio one (told apart by the
// header row). Writing the multi-radio list is asked for by its format.
#pragma once

#include "model/clone_image.h"
#include "model/file_notes.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>

namespace rqm27 {

enum class ImageFormat { MemoryImage, Json, CloneFile, Csv, MultiCsv };

// The format a path's extension names, or an error naming the path. ".csv" names the program's
// own channel list.
Result<ImageFormat> FormatOfPath(const QString& path);

// The format of a name, case aside: "bin", "json", "m27", "csv" or "multicsv".
Result<ImageFormat> FormatOfName(const QString& name);

// Loads an image file; a memory image is decoded as a full read would decode it, a channel
// list of either layout is imported into a start-up image. What the reader left out or changed
// comes with it.
Result<Noted<CloneImage>> LoadImageFile(const QString& path);

// The bytes of a memory image file (.bin), refused, naming the file, unless there are exactly
// 131072 of them.
Result<QByteArray> ReadMemoryImageFile(const QString& path);

// A memory to write an image onto when no receiver's memory is at hand: all zero but for the
// memory-protect setting, which a full write leaves as the receiver has it and which is here
// taken from the image itself.
QByteArray BlankMemoryFor(const CloneImage& image);

// Saves an image in the format of the path's extension, or in `format`; a memory image is what
// a receiver holding `base` holds after a full write. The file is replaced only when it has
// been written completely. Gives what the format could not keep.
Result<FileNotes> SaveImageFile(const QString& path, const CloneImage& image,
                                const QByteArray& base);
Result<FileNotes> SaveImageFile(const QString& path, ImageFormat format, const CloneImage& image,
                                const QByteArray& base);

}  // namespace rqm27
