// The image files named on the command line: a path, or "-" for standard input or output. The
// format is the one --from or --to names, else the path's extension; "-" has none, so it needs
// the option. A device or pipe named by its path (/dev/stdout) is written to as it is, never
// replaced by a file.
#pragma once

#include "files/image_file.h"

#include <optional>

namespace rqm27::cli {

inline constexpr char StandardStream[] = "-";

// The format `path` is read or written in; an error when neither the option nor the path says.
Result<ImageFormat> StreamFormat(const QString& path, std::optional<ImageFormat> format,
                                 const char* option);

// A usage error (exit status 2) when `path` is - and no FORMAT was given with `option`
// (--from or --to): standard input and output have no extension to go by.
std::optional<int> RequireStreamFormat(const char* command, const QString& path,
                                       std::optional<ImageFormat> format, const char* option);

// Fails before anything is done when the output could not be written: an unknown format, or a
// memory image (binary) bound for a terminal.
Status CheckOutput(const QString& path, std::optional<ImageFormat> format);

Result<Noted<CloneImage>> LoadImage(const QString& path, std::optional<ImageFormat> format,
                                    std::optional<int> firstSlot = std::nullopt);

// Saves as SaveImageFile does; a memory image is what a receiver holding `base` holds after a
// full write.
Result<FileNotes> SaveImage(const QString& path, std::optional<ImageFormat> format,
                            const CloneImage& image, const QByteArray& base);

}  // namespace rqm27::cli
