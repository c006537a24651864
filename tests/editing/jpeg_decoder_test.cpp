// The picture decoder on the program's own pictures, on pictures encoded here in every colour space,
// and on files that end early, are corrupt or are no pictures at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <jpeglib.h>

#include "StoreFixtures.h"
#include "editing/JpegDecoder.h"

namespace {

using zestovar::editing::DecodedPicture;
using zestovar::editing::decodeJpeg;
using zestovar::editing::PictureError;
using zestovar::test::readFile;

const std::string kDefault = readFile(ZESTOVAR_DATA_DIR "/program/default.jpg");
const std::string kRecipe = readFile(ZESTOVAR_DATA_DIR "/recipes/bruschetta.jpg");

// A picture encoded with libjpeg: `pixels` holds `components` bytes a pixel in `colours`.
std::string encode(int width, int height, J_COLOR_SPACE colours, int components,
                   const std::vector<unsigned char>& pixels, bool progressive = false) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = colours;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row =
        const_cast<unsigned char*>(pixels.data()) + cinfo.next_scanline * static_cast<unsigned>(width * components);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

void expectNear(const DecodedPicture& picture, int x, int y, int r, int g, int b) {
  const unsigned char* p = picture.rgb.data() + (static_cast<std::size_t>(y) * picture.width + x) * 3;
  EXPECT_NEAR(p[0], r, 12) << x << "," << y;
  EXPECT_NEAR(p[1], g, 12) << x << "," << y;
  EXPECT_NEAR(p[2], b, 12) << x << "," << y;
}

TEST(JpegDecoder, ProgramPicturesAndEveryColourSpace) {
  const DecodedPicture def = decodeJpeg(kDefault);
  EXPECT_EQ(def.width, 128);
  EXPECT_EQ(def.height, 128);
  EXPECT_EQ(def.rgb.size(), 128u * 128 * 3);
  EXPECT_FALSE(def.truncated);
  const DecodedPicture recipe = decodeJpeg(kRecipe);
  EXPECT_EQ(recipe.width, 240);
  EXPECT_EQ(recipe.height, 180);

  // Left half one colour, right half another, in each colour space the editors may meet.
  const int w = 32, h = 16;
  std::vector<unsigned char> rgb, grey, cmyk;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool left = x < w / 2;
      for (int v : left ? std::vector<int>{200, 40, 40} : std::vector<int>{30, 90, 220})
        rgb.push_back(static_cast<unsigned char>(v));
      grey.push_back(left ? 30 : 220);
      // Inverted CMYK, as Adobe writes it: 255 is no ink. Left: cyan; right: white.
      for (int v : left ? std::vector<int>{0, 255, 255, 255} : std::vector<int>{255, 255, 255, 255})
        cmyk.push_back(static_cast<unsigned char>(v));
    }
  for (const bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    const DecodedPicture colour = decodeJpeg(encode(w, h, JCS_RGB, 3, rgb, progressive));
    expectNear(colour, 4, 8, 200, 40, 40);
    expectNear(colour, 28, 8, 30, 90, 220);
    const DecodedPicture gray = decodeJpeg(encode(w, h, JCS_GRAYSCALE, 1, grey, progressive));
    expectNear(gray, 4, 8, 30, 30, 30);
    expectNear(gray, 28, 8, 220, 220, 220);
    const DecodedPicture ink = decodeJpeg(encode(w, h, JCS_CMYK, 4, cmyk, progressive));
    expectNear(ink, 4, 8, 0, 255, 255);
    expectNear(ink, 28, 8, 255, 255, 255);
  }
}

TEST(JpegDecoder, PreviewsAreDecodedScaledDown) {
  struct Row {
    int edge, width, height;
  };
  for (const Row& row : {Row{0, 240, 180}, Row{500, 240, 180}, Row{100, 240, 180}, Row{90, 120, 90}, Row{60, 120, 90},
                         Row{45, 60, 45}, Row{16, 30, 23}, Row{1, 30, 23}}) {
    SCOPED_TRACE(row.edge);
    const DecodedPicture preview = decodeJpeg(kRecipe, row.edge);
    EXPECT_EQ(preview.width, row.width);
    EXPECT_EQ(preview.height, row.height);
    EXPECT_EQ(preview.rgb.size(), static_cast<std::size_t>(row.width * row.height * 3));
  }
}

TEST(JpegDecoder, FileThatEndsEarlyShowsWhatItHolds) {
  const DecodedPicture whole = decodeJpeg(kRecipe);
  for (const std::size_t keep : {kRecipe.size() / 3, kRecipe.size() / 2, kRecipe.size() - 3}) {
    SCOPED_TRACE(keep);
    const DecodedPicture part = decodeJpeg(kRecipe.substr(0, keep));
    EXPECT_TRUE(part.truncated);
    EXPECT_EQ(part.width, 240);
    EXPECT_EQ(part.height, 180);
    // The first rows came before the end: they are the picture's own.
    EXPECT_TRUE(std::equal(part.rgb.begin(), part.rgb.begin() + 240 * 8 * 3, whole.rgb.begin()));
  }
}

TEST(JpegDecoder, NoPictureCorruptPictureAndTooLargePictureGiveAnError) {
  std::string tooLarge = kDefault;
  // Height and width in the frame header (0xFFC0 at 158): 10,000 x 10,000.
  ASSERT_EQ(static_cast<unsigned char>(tooLarge[159]), 0xC0);
  tooLarge[163] = tooLarge[165] = static_cast<char>(0x27);
  tooLarge[164] = tooLarge[166] = static_cast<char>(0x10);
  const std::vector<std::pair<const char*, std::string>> refused = {
      {"empty", ""},
      {"a GIF", "GIF89a\x01\x00\x01\x00\x00\x00\x00;"},
      {"a text", "Kategorie: Suppe\nName: Gulasch\n"},
      {"the header alone", kDefault.substr(0, 20)},
      {"too many pixels", tooLarge},
  };
  for (const auto& [what, bytes] : refused) {
    SCOPED_TRACE(what);
    try {
      decodeJpeg(bytes);
      ADD_FAILURE() << "decoded";
    } catch (const PictureError& e) {
      EXPECT_TRUE(std::string(e.what()).starts_with("Das Bild kann nicht angezeigt werden: ")) << e.what();
    }
  }
  EXPECT_THROW(decodeJpeg(kDefault, 0, 128 * 128 - 1), PictureError);
}

}  // namespace
