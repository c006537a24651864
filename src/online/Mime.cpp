#include "online/Mime.h"

#include <algorithm>

namespace zestovar::online {
namespace {

// Folded header lines should stay within 78 characters (RFC 5322 2.1.1).
constexpr std::size_t kFoldAt = 78;
// Bytes of text in one encoded word: "=?windows-1252?B?" and "?=" around the base64 of 42 bytes make
// the 75 characters RFC 2047 allows.
constexpr std::size_t kEncodedWordBytes = 42;

bool printableAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

std::string withoutNul(std::string_view text) {
  std::string out(text);
  std::erase(out, '\0');
  return out;
}

// RFC 2047 encoded words for the text, folded onto lines of their own; a reader joins them again.
std::string encodedWords(std::string_view text) {
  const std::string prefix = "=?" + std::string(charsetOf(text)) + "?B?";
  std::string out;
  do {
    if (!out.empty()) out += "\r\n ";
    out += prefix + base64(text.substr(0, kEncodedWordBytes)) + "?=";
    text.remove_prefix(std::min(text.size(), kEncodedWordBytes));
  } while (!text.empty());
  return out;
}

bool isAtext(char c) {
  constexpr std::string_view specials = "!#$%&'*+-/=?^_`{|}~";
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         specials.find(c) != std::string_view::npos;
}

// A display name as the phrase of a header: plain words as they stand, other ASCII as a quoted
// string, anything beyond ASCII as encoded words. "=?" outside quotes would be read as an encoded word.
std::string phrase(std::string_view name) {
  if (!printableAscii(name)) return encodedWords(name);
  const bool words = !name.starts_with(' ') && !name.ends_with(' ') && name.find("  ") == std::string_view::npos &&
                     name.find("=?") == std::string_view::npos &&
                     std::all_of(name.begin(), name.end(), [](char c) { return c == ' ' || isAtext(c); });
  if (words) return std::string(name);
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string mailbox(const MailAddress& mailbox) {
  if (mailbox.displayName.empty()) return mailbox.address;
  return phrase(withoutNul(mailbox.displayName)) + " <" + mailbox.address + ">";
}

}  // namespace

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

std::string mailBodyText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / kMaxMailLineBytes * 2);
  std::size_t lineStart = 0;
  for (const char c : text) {
    if (c == '\0') continue;
    out += c;
    if (c == '\r' || c == '\n') {
      lineStart = out.size();
    } else if (out.size() - lineStart > kMaxMailLineBytes) {
      const std::string_view fits(out.data() + lineStart, kMaxMailLineBytes);
      const std::size_t blank = fits.find_last_of(" \t");
      const std::size_t cut = lineStart + (blank == std::string_view::npos ? kMaxMailLineBytes : blank + 1);
      out.insert(cut, "\r\n");
      lineStart = cut + 2;
    }
  }
  return out;
}

std::string_view charsetOf(std::string_view text) {
  const bool own = std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 && byte <= 0x9f;
  });
  return own ? "windows-1252" : "ISO-8859-1";
}

std::string_view transferEncodingOf(std::string_view text) {
  const bool eight = std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7f; });
  return eight ? "8bit" : "7bit";
}

std::string headerLine(std::string_view name, std::string_view value) {
  const std::string text = withoutNul(value);
  const std::string start = std::string(name) + ": ";
  if (printableAscii(text) && start.size() + text.size() <= kMaxMailLineBytes) return start + text;
  return start + encodedWords(text);
}

std::string addressHeader(std::string_view name, const std::vector<MailAddress>& mailboxes) {
  std::string out = std::string(name) + ":";
  std::size_t column = out.size();
  for (std::size_t i = 0; i < mailboxes.size(); ++i) {
    const std::string box = mailbox(mailboxes[i]);
    const std::size_t firstLine = std::min(box.find("\r\n"), box.size());
    if (i > 0) {
      out += ',';
      ++column;
    }
    if (i > 0 && column + 1 + firstLine > kFoldAt) {
      out += "\r\n ";
      column = 1;
    } else {
      out += ' ';
      ++column;
    }
    out += box;
    const std::size_t lastBreak = box.rfind("\r\n");
    column = lastBreak == std::string::npos ? column + box.size() : box.size() - lastBreak - 2;
  }
  return out;
}

}  // namespace zestovar::online
