// A channel name or the opening title as the receiver holds it: 16 character codes of the CP932
// code page (a single-byte character c has code c, a double-byte one lead * 256 + trail, 0 is
// an unused position). Held as codes, not as Unicode text, so that whatever a receiver holds
// survives a read and a write unchanged, codes that are not valid CP932 included.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

namespace rqm27 {

struct ChannelName {
  static constexpr int Length = 16;
  std::array<std::uint16_t, Length> codes{};

  bool operator==(const ChannelName&) const = default;
  bool isEmpty() const;
};

// The name as text for showing and editing: each code as its character (U+FFFD where the code
// is not a CP932 character, U+0000 for a zero code inside the name), trailing zero codes left out.
QString NameToText(const ChannelName& name);

// The name of a text: its first 16 characters as CP932 codes; a character CP932 cannot
// represent becomes "?".
ChannelName NameFromText(QStringView text);

// True when NameFromText(NameToText(name)) gives the name back, that is when the text form
// holds all of it.
bool NameSurvivesText(const ChannelName& name);

}  // namespace rqm27
