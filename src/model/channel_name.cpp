#include "model/channel_name.h"

#include "model/code_page.h"

#include <QByteArray>
#include <QList>

#include <algorithm>

namespace rqm27 {

bool ChannelName::isEmpty() const {
  return std::all_of(codes.begin(), codes.end(), [](std::uint16_t c) { return c == 0; });
}

QString NameToText(const ChannelName& name) {
  int length = ChannelName::Length;
  while (length > 0 && name.codes[length - 1] == 0) --length;
  QString text;
  for (int k = 0; k < length; ++k) {
    const std::uint16_t code = name.codes[k];
    if (code == 0) {
      text += QChar(u'\0');
      continue;
    }
    QByteArray bytes;
    if (code > 0xFF) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    const QString character = Cp932ToUnicode(bytes);
    // A code that is not one character (a lead byte alone, two single bytes) shows as U+FFFD.
    text += character.size() == 1 || character.toUcs4().size() == 1 ? character
                                                                    : QString(QChar(0xFFFD));
  }
  return text;
}

ChannelName NameFromText(QStringView text) {
  ChannelName name;
  const QList<uint> characters = text.toUcs4();
  const int n = std::min<int>(static_cast<int>(characters.size()), ChannelName::Length);
  for (int i = 0; i < n; ++i) {
    const QByteArray bytes =
        UnicodeToCp932(QString::fromUcs4(reinterpret_cast<const char32_t*>(&characters[i]), 1));
    std::uint16_t code = 0;
    for (char b : bytes.left(2))
      code = static_cast<std::uint16_t>(code * 256 + static_cast<unsigned char>(b));
    name.codes[i] = code;
  }
  return name;
}

bool NameSurvivesText(const ChannelName& name) {
  return NameFromText(NameToText(name)) == name;
}

}  // namespace rqm27
