#include "codec/name_codec.h"

namespace rqm27 {

ChannelName DecodeName(const QByteArray& bytes) {
  ChannelName name;
  for (int k = 0; k < ChannelName::Length && 2 * k + 1 < bytes.size(); ++k) {
    const auto low = static_cast<unsigned char>(bytes[2 * k]);
    const auto high = static_cast<unsigned char>(bytes[2 * k + 1]);
    name.codes[k] = static_cast<std::uint16_t>(high * 256 + low);
  }
  return name;
}

QByteArray EncodeName(const ChannelName& name) {
  QByteArray bytes(NameBytes, '\0');
  for (int k = 0; k < ChannelName::Length; ++k) {
    bytes[2 * k] = static_cast<char>(name.codes[k] & 0xFF);
    bytes[2 * k + 1] = static_cast<char>(name.codes[k] >> 8);
  }
  return bytes;
}

}  // namespace rqm27
