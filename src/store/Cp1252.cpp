#include "store/Cp1252.h"

#include <array>
#include <cstdint>

namespace zestovar::store {
namespace {

// Code points of 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char fromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string utf8ToCp1252(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  std::size_t i = 0;
  while (i < in.size()) {
    const auto b = static_cast<unsigned char>(in[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b & 0xE0) == 0xC0) {
      extra = 1;
      cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      cp = b & 0x07;
    } else {
      out += '?';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= in.size() || (static_cast<unsigned char>(in[j]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(in[j]) & 0x3F);
    }
    if (!ok) {
      out += '?';
      i = j;
      continue;
    }
    out += fromCodePoint(cp);
    i = j;
  }
  return out;
}

std::string cp1252ToUtf8(std::string_view in) {
  std::string out;
  out.reserve(in.size() + in.size() / 8);
  for (char c : in) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b < 0xA0)
      appendUtf8(out, kHigh[b - 0x80]);
    else
      appendUtf8(out, b);
  }
  return out;
}

char foldCase(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
  switch (b) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<char>(b + 16);
    case 0x9F:  // Ÿ
      return static_cast<char>(0xFF);
    default:
      return c;
  }
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  return true;
}

std::string_view umlautSpelling(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 0xC4:  // Ä
    case 0xE4:  // ä
      return "ae";
    case 0xD6:  // Ö
    case 0xF6:  // ö
      return "oe";
    case 0xDC:  // Ü
    case 0xFC:  // ü
      return "ue";
    case 0xDF:  // ß
      return "ss";
    default:
      return {};
  }
}

void appendFolded(std::string& out, char c, Spelling spelling) {
  const std::string_view digraph = spelling == Spelling::Umlauts ? umlautSpelling(c) : std::string_view();
  if (digraph.empty())
    out += c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  else
    out += digraph;
}

bool containsTest(std::string_view needle, std::string_view haystack, Spelling spelling) {
  if (spelling == Spelling::AsStored) {
    const auto foldAz = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (needle.size() > haystack.size()) return false;
    for (std::size_t start = 0; start + needle.size() <= haystack.size(); ++start) {
      std::size_t i = 0;
      while (i < needle.size() && foldAz(needle[i]) == foldAz(haystack[start + i])) ++i;
      if (i == needle.size()) return true;
    }
    return false;
  }
  std::string wanted;
  for (char c : needle) appendFolded(wanted, c, spelling);
  if (wanted.empty()) return true;
  // Whole stored characters from each start on, until their spelling is as long as the needle's.
  std::string run;
  for (std::size_t start = 0; start < haystack.size(); ++start) {
    run.clear();
    for (std::size_t end = start; end < haystack.size() && run.size() < wanted.size(); ++end)
      appendFolded(run, haystack[end], spelling);
    if (run == wanted) return true;
  }
  return false;
}

}  // namespace zestovar::store
