// Draws the pictures of the program: zestovar-artwork KIND WIDTH HEIGHT SEED OUT.jpg
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

void writeJpeg(const char* path, int width, int height, const std::vector<unsigned char>& rgb) {
  FILE* out = std::fopen(path, "wb");
  if (!out) {
    std::perror(path);
    std::exit(1);
  }
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 88, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&rgb[static_cast<std::size_t>(cinfo.next_scanline) * width * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(out) != 0) std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: zestovar-artwork KIND WIDTH HEIGHT SEED OUT.jpg\n");
    return 2;
  }
  const int width = std::atoi(argv[2]);
  const int height = std::atoi(argv[3]);
  const unsigned seed = static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10));
  if (width <= 0 || height <= 0) return 2;
  std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double fx = static_cast<double>(x) / width, fy = static_cast<double>(y) / height;
      const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
      rgb[i] = static_cast<unsigned char>(180 + 60 * std::sin(fx * 3 + seed));
      rgb[i + 1] = static_cast<unsigned char>(140 + 60 * std::cos(fy * 3 + seed));
      rgb[i + 2] = static_cast<unsigned char>(90 + 40 * std::sin((fx + fy) * 4));
    }
  writeJpeg(argv[5], width, height, rgb);
  return 0;
}
