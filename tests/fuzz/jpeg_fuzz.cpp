// libFuzzer target: the input is a picture file as the editors' previews and the picture dialog meet
// it. Whatever the bytes, the decoder returns a picture of the size it reports or PictureError.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editing/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A small pixel cap keeps each run short; the checks before decoding are the same.
  for (const int previewEdge : {0, 64}) {
    try {
      const auto picture = zestovar::editing::decodeJpeg(bytes, previewEdge, 4'000'000);
      if (picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) abort();
    } catch (const zestovar::editing::PictureError&) {
    }
  }
  return 0;
}
