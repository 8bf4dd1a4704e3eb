#include "model/code_page.h"

#include <iconv.h>

#include <QList>

#include <cerrno>
#include <string>

namespace rqm27 {

namespace {

constexpr char kCodePage[] = "CP932";
constexpr char32_t kReplacement = 0xFFFD;

// One conversion direction of glibc's iconv, opened for the duration of one call.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // iconv_open reports failure as (iconv_t)-1.
  bool valid() const {
    return handle_ != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
  }

  // Converts all of input; nullopt when any part of it cannot be converted.
  std::optional<std::string> convert(const std::string& input) {
    if (!valid()) return std::nullopt;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string output(input.size() * 4 + 8, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
      return std::nullopt;
    }
    if (iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) {
      return std::nullopt;
    }
    output.resize(output.size() - outLeft);
    return output;
  }

 private:
  iconv_t handle_;
};

std::string Utf32ToUtf8(char32_t c) {
  return QString::fromUcs4(&c, 1).toStdString();
}

}  // namespace

QString Cp932ToUnicode(const QByteArray& bytes) {
  Converter toUtf8("UTF-8", kCodePage);
  QString text;
  qsizetype i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    const qsizetype length = (doubleByte && i + 1 < bytes.size()) ? 2 : 1;
    const auto converted = toUtf8.convert(bytes.mid(i, length).toStdString());
    if (converted && !converted->empty()) {
      text += QString::fromStdString(*converted);
    } else {
      text += QChar(static_cast<char16_t>(kReplacement));
    }
    i += length;
  }
  return text;
}

namespace {
std::optional<QByteArray> EncodeChar(Converter& fromUtf8, char32_t character) {
  if (character == 0) return QByteArray(1, '\0');
  const auto converted = fromUtf8.convert(Utf32ToUtf8(character));
  if (!converted || converted->empty()) return std::nullopt;
  return QByteArray::fromStdString(*converted);
}
}  // namespace

std::optional<QByteArray> CharToCp932(char32_t character) {
  Converter fromUtf8(kCodePage, "UTF-8");
  return EncodeChar(fromUtf8, character);
}

QByteArray UnicodeToCp932(QStringView text) {
  Converter fromUtf8(kCodePage, "UTF-8");
  QByteArray bytes;
  for (char32_t c : text.toUcs4()) {
    const auto encoded = EncodeChar(fromUtf8, c);
    bytes += encoded ? *encoded : QByteArray("?");
  }
  return bytes;
}

int Cp932ByteLength(QStringView text) {
  return static_cast<int>(UnicodeToCp932(text).size());
}

}  // namespace rqm27
