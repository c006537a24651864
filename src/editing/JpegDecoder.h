// Decoding the recipe pictures for the previews of the editors and of the picture dialog. The pictures
// themselves are stored byte for byte; this only draws them. A broken or hostile file never crashes
// the program: it gives PictureError, and a file that merely ends early shows what it holds.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace zestovar::editing {

// The message is UTF-8, for the error box.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // width * height * 3 bytes, rows from the top
  bool truncated = false;          // the file ended early: the rest of the picture is grey
};

// Pictures above this many pixels are refused before anything is decoded (a 7,000 x 7,000 photo still
// passes).
inline constexpr std::uint64_t kMaxPixels = 50'000'000;

// Decodes a JPEG file's bytes to RGB. With previewEdge > 0 the picture is decoded scaled down by 1/2,
// 1/4 or 1/8 as far as both edges stay at least previewEdge pixels, which is much faster for a photo
// shown in a small preview. Throws PictureError for bytes that are no JPEG picture, for corrupt data
// and for a picture above maxPixels.
DecodedPicture decodeJpeg(std::string_view bytes, int previewEdge = 0, std::uint64_t maxPixels = kMaxPixels);

}  // namespace zestovar::editing
