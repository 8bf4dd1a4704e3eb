#include "cli/image_streams.h"

#include "cli/commands.h"

#include "files/file_io.h"
#include "files/image_bytes.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <cstdio>

namespace rqm27::cli {

namespace {

bool IsStandardStream(const QString& path) {
  return path == QLatin1StringView(StandardStream);
}

QString StreamName(const QString& path, bool output) {
  if (!IsStandardStream(path)) return path;
  return output ? QStringLiteral("standard output") : QStringLiteral("standard input");
}

// A path that exists and is no regular file: a terminal, a pipe, /dev/null.
bool IsDevice(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isFile() && !info.isDir();
}

Status RefuseBinaryOnTerminal(int fd, ImageFormat format, const QString& name) {
  if (format == ImageFormat::MemoryImage && isatty(fd) != 0) {
    return Error{QStringLiteral("%1 is a terminal; a memory image is binary (redirect it, or "
                                "give --to json)")
                     .arg(name)};
  }
  return Ok();
}

// Writes straight to standard output or a device: there is no file to replace.
Status WriteToDevice(const QString& path, ImageFormat format, const QByteArray& bytes) {
  QFile file;
  const QString name = StreamName(path, true);
  const bool opened = IsStandardStream(path)
                          ? file.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)
                          : (file.setFileName(path), file.open(QIODevice::WriteOnly));
  if (!opened) return Error{QStringLiteral("cannot write %1: %2").arg(name, file.errorString())};
  if (Status terminal = RefuseBinaryOnTerminal(file.handle(), format, name); !terminal) {
    return terminal;
  }
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    return Error{QStringLiteral("cannot write %1: %2").arg(name, file.errorString())};
  }
  return Ok();
}

Result<QByteArray> ReadInput(const QString& path) {
  if (!IsStandardStream(path)) return ReadWholeFile(path);
  QFile in;
  if (!in.open(stdin, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
    return Error{QStringLiteral("cannot read standard input: %1").arg(in.errorString())};
  }
  return in.readAll();
}

}  // namespace

Result<ImageFormat> StreamFormat(const QString& path, std::optional<ImageFormat> format,
                                 const char* option) {
  if (format) return *format;
  if (IsStandardStream(path)) {
    return Error{
        QStringLiteral("- stands for %1, which has no extension: give %2 FORMAT")
            .arg(StreamName(path, QByteArrayView(option) == "--to"), QLatin1StringView(option))};
  }
  return FormatOfPath(path);
}

std::optional<int> RequireStreamFormat(const char* command, const QString& path,
                                       std::optional<ImageFormat> format, const char* option) {
  const auto resolved = StreamFormat(path, format, option);
  if (resolved || !IsStandardStream(path)) return std::nullopt;
  return FailUsage(QString::fromLatin1(command), resolved.error());
}

Status CheckOutput(const QString& path, std::optional<ImageFormat> format) {
  const auto resolved = StreamFormat(path, format, "--to");
  if (!resolved) return Error{resolved.error()};
  if (IsStandardStream(path)) {
    return RefuseBinaryOnTerminal(STDOUT_FILENO, *resolved, StreamName(path, true));
  }
  if (!IsDevice(path) && QFileInfo(path).absolutePath() == QLatin1StringView("/dev")) {
    return Error{QStringLiteral("%1: no such device (for standard output give - and --to FORMAT)")
                     .arg(path)};
  }
  return Ok();
}

Result<Noted<CloneImage>> LoadImage(const QString& path, std::optional<ImageFormat> format,
                                    std::optional<int> firstSlot) {
  const auto resolved = StreamFormat(path, format, "--from");
  if (!resolved) return Error{resolved.error()};
  const auto bytes = ReadInput(path);
  if (!bytes) return Error{bytes.error()};
  return ImageFromBytes(*bytes, *resolved, StreamName(path, false), firstSlot);
}

Result<FileNotes> SaveImage(const QString& path, std::optional<ImageFormat> format,
                            const CloneImage& image, const QByteArray& base) {
  if (const Status checked = CheckOutput(path, format); !checked) return Error{checked.error()};
  const ImageFormat resolved = *StreamFormat(path, format, "--to");
  const auto file = ImageToBytes(image, resolved, base, StreamName(path, true));
  if (!file) return Error{file.error()};
  const Status saved = IsStandardStream(path) || IsDevice(path)
                           ? WriteToDevice(path, resolved, file->value)
                           : SaveWholeFile(path, file->value);
  if (!saved) return Error{saved.error()};
  return file->notes;
}

}  // namespace rqm27::cli
