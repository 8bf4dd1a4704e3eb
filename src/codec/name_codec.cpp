#include "codec/name_codec.h"

#include "codec/byte_view.h"

namespace rqm27 {

ChannelName DecodeName(const QByteArray& bytes) {
  const QByteArray padded = ZeroPadded(bytes, NameBytes);
  const ByteReader read(padded);
  ChannelName name;
  for (int k = 0; k < ChannelName::Length; ++k) name.codes[k] = read.u16(2 * k);
  return name;
}

QByteArray EncodeName(const ChannelName& name) {
  QByteArray bytes(NameBytes, '\0');
  ByteWriter write(bytes);
  for (int k = 0; k < ChannelName::Length; ++k) write.setU16(2 * k, name.codes[k]);
  return bytes;
}

}  // namespace rqm27
