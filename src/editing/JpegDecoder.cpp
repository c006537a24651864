#include "editing/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <string>

// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace zestovar::editing {
namespace {

// A progressive picture of more scans than any encoder writes only costs time.
constexpr int kMaxScans = 256;
// The decoder's own memory (a progressive picture keeps all its coefficients) stays below this.
constexpr long kMaxDecoderMemory = 512L << 20;

// What libjpeg's callbacks report back. libjpeg's default error handler ends the process; ours
// returns through longjmp to decode(), which holds only plain data, so no destructor is skipped.
struct Session {
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
  bool truncated = false;
};

Session& sessionOf(j_common_ptr cinfo) { return *static_cast<Session*>(cinfo->client_data); }

[[noreturn]] void onError(j_common_ptr cinfo) {
  Session& session = sessionOf(cinfo);
  (*cinfo->err->format_message)(cinfo, session.message);
  std::longjmp(session.jump, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
  // Warnings (level -1) about corrupt data let the decoding go on; a file that ends early is one.
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) sessionOf(cinfo).truncated = true;
}

void onProgress(j_common_ptr cinfo) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxScans) {
    Session& session = sessionOf(cinfo);
    std::snprintf(session.message, sizeof session.message, "mehr als %d Durchgänge", kMaxScans);
    std::longjmp(session.jump, 1);
  }
}

// The largest denominator 1, 2, 4 or 8 that keeps both edges at least `edge` pixels.
unsigned scaleFor(JDIMENSION width, JDIMENSION height, int edge) {
  unsigned denominator = 1;
  if (edge <= 0) return denominator;
  const auto fits = [&](unsigned d) {
    return (width + d - 1) / d >= static_cast<unsigned>(edge) && (height + d - 1) / d >= static_cast<unsigned>(edge);
  };
  while (denominator < 8 && fits(denominator * 2)) denominator *= 2;
  return denominator;
}

enum class Outcome { Decoded, Failed, TooLarge };

// Everything between setjmp and the end lives in plain data owned by the caller.
Outcome decode(jpeg_decompress_struct& cinfo, Session& session, std::string_view bytes, int previewEdge,
               std::uint64_t maxPixels, DecodedPicture& picture, std::vector<unsigned char>& row) {
  if (setjmp(session.jump) != 0) return Outcome::Failed;
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height > maxPixels) {
    std::snprintf(session.message, sizeof session.message, "%u x %u Bildpunkte sind zu viele", cinfo.image_width,
                  cinfo.image_height);
    return Outcome::TooLarge;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  cinfo.scale_num = 1;
  cinfo.scale_denom = scaleFor(cinfo.image_width, cinfo.image_height, previewEdge);
  jpeg_start_decompress(&cinfo);
  const int components = cinfo.output_components;
  picture.width = static_cast<int>(cinfo.output_width);
  picture.height = static_cast<int>(cinfo.output_height);
  picture.rgb.resize(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_height * 3);
  row.resize(static_cast<std::size_t>(cinfo.output_width) * static_cast<std::size_t>(components));
  while (cinfo.output_scanline < cinfo.output_height) {
    unsigned char* out = picture.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * cinfo.output_width * 3;
    JSAMPROW rows[1] = {components == 3 ? out : row.data()};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
    if (components == 3) continue;
    for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
      const unsigned char* p = row.data() + x * static_cast<std::size_t>(components);
      if (components == 4) {
        // Adobe writes CMYK inverted: each value is already 255 minus the ink.
        for (int c = 0; c < 3; ++c)
          out[x * 3 + static_cast<JDIMENSION>(c)] = static_cast<unsigned char>(p[c] * p[3] / 255);
      } else {
        out[x * 3] = out[x * 3 + 1] = out[x * 3 + 2] = p[0];
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  return Outcome::Decoded;
}

}  // namespace

DecodedPicture decodeJpeg(std::string_view bytes, int previewEdge, std::uint64_t maxPixels) {
  Session session;
  jpeg_decompress_struct cinfo{};
  cinfo.err = jpeg_std_error(&session.errors);
  session.errors.error_exit = onError;
  session.errors.emit_message = onMessage;
  cinfo.client_data = &session;
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  session.progress.progress_monitor = onProgress;
  cinfo.progress = &session.progress;

  DecodedPicture picture;
  std::vector<unsigned char> row;
  const Outcome outcome = decode(cinfo, session, bytes, previewEdge, maxPixels, picture, row);
  jpeg_destroy_decompress(&cinfo);
  if (outcome != Outcome::Decoded)
    throw PictureError("Das Bild kann nicht angezeigt werden: " + std::string(session.message));
  picture.truncated = session.truncated;
  return picture;
}

}  // namespace zestovar::editing
