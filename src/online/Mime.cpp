#include "online/Mime.h"

namespace zestovar::online {

std::string base64(std::string_view bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    for (int shift : {18, 12, 6, 0}) out += kDigits[(v >> shift) & 63];
  }
  if (const std::size_t rest = bytes.size() - i; rest > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kDigits[(v >> 18) & 63];
    out += kDigits[(v >> 12) & 63];
    out += rest == 2 ? kDigits[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string base64Lines(std::string_view bytes) {
  const std::string all = base64(bytes);
  std::string out;
  for (std::size_t i = 0; i < all.size(); i += 76) {
    out.append(all, i, 76);
    out += "\r\n";
  }
  return out;
}

std::string dataLines(std::string_view message) {
  std::string out;
  out.reserve(message.size() + message.size() / 32 + 2);
  bool lineStart = true;
  for (std::size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    if (c == '\r' || c == '\n') {
      // CR CR LF (a line of the editors' wrap points), CR LF, a lone CR or a lone LF: one line end.
      if (c == '\r') {
        std::size_t j = i + 1;
        while (j < message.size() && message[j] == '\r') ++j;
        if (j < message.size() && message[j] == '\n' && j - i <= 2) i = j;
      }
      out += "\r\n";
      lineStart = true;
      continue;
    }
    if (lineStart && c == '.') out += '.';
    out += c;
    lineStart = false;
  }
  if (!lineStart) out += "\r\n";
  return out;
}

std::string headerText(std::string_view text) {
  bool plain = true;
  for (char c : text) plain = plain && c >= 0x20 && c < 0x7f;
  if (plain) return std::string(text);
  return "=?ISO-8859-1?B?" + base64(text) + "?=";
}

}  // namespace zestovar::online
