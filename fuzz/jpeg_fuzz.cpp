// libFuzzer target: the bytes of a picture through the program's JPEG decoder. Every input
// gives a picture no larger than the limit, or an error text; anything else is a finding.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "drawing/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const floemark::drawing::JpegResult r = floemark::drawing::DecodeJpeg(bytes);
  if (r.image.isNull() == r.error.isEmpty()) __builtin_trap();
  if (r.image.width() > floemark::drawing::kMaxJpegSide ||
      r.image.height() > floemark::drawing::kMaxJpegSide)
    __builtin_trap();
  return 0;
}
