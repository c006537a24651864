#include "exchange/Encoding.h"

#include <array>
#include <cstdint>

#include "store/Cp1252.h"

namespace zestovar::exchange {

namespace {

using store::appendUtf8;

// Code page 850 from 0x80 on, as Unicode code points.
constexpr std::array<char16_t, 128> kCp850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// The length of the valid UTF-8 sequence at pos, 0 when there is none (overlong forms, surrogates and
// code points above U+10FFFF are invalid).
std::size_t sequenceLength(std::string_view bytes, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t lowest = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
    lowest = 0x80;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    lowest = 0x800;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() - pos < length) return 0;
  std::uint32_t code = lead & (0x7f >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xc0) != 0x80) return 0;
    code = (code << 6) | (byte(pos + i) & 0x3f);
  }
  if (code < lowest || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return 0;
  return length;
}

bool validUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = sequenceLength(bytes, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace

Encoding detectEncoding(std::string_view bytes) {
  if (bytes.starts_with(store::kUtf8ByteOrderMark) || validUtf8(bytes)) return Encoding::Utf8;
  // ä ö ü Ä Ö Ü ß in each code page.
  std::size_t cp850 = 0, cp1252 = 0;
  for (const char c : bytes) {
    switch (static_cast<unsigned char>(c)) {
      case 0x84:
      case 0x94:
      case 0x81:
      case 0x8e:
      case 0x99:
      case 0x9a:
      case 0xe1:
        ++cp850;
        break;
      case 0xe4:
      case 0xf6:
      case 0xfc:
      case 0xc4:
      case 0xd6:
      case 0xdc:
      case 0xdf:
        ++cp1252;
        break;
      default:
        break;
    }
  }
  return cp850 > cp1252 ? Encoding::Cp850 : Encoding::Cp1252;
}

std::string toUtf8(std::string_view bytes, Encoding encoding) {
  if (encoding == Encoding::Cp1252) return store::cp1252ToUtf8(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  if (encoding == Encoding::Cp850) {
    for (const char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      appendUtf8(out, byte < 0x80 ? byte : kCp850[byte - 0x80]);
    }
    return out;
  }
  if (bytes.starts_with(store::kUtf8ByteOrderMark)) bytes.remove_prefix(store::kUtf8ByteOrderMark.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = sequenceLength(bytes, pos);
    if (length == 0) {
      appendUtf8(out, 0xfffd);
      ++pos;
    } else {
      out.append(bytes.substr(pos, length));
      pos += length;
    }
  }
  return out;
}

std::string toCp1252(std::string_view bytes, Encoding encoding) {
  if (encoding == Encoding::Cp1252) return std::string(bytes);
  return store::utf8ToCp1252(toUtf8(bytes, encoding));
}

}  // namespace zestovar::exchange
