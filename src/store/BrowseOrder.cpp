#include "store/BrowseOrder.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace zestovar::store {
namespace {

struct SortKey {
  std::vector<std::uint16_t> primary;
  std::vector<std::uint8_t> secondary;  // the accent: 0 for a plain letter
  std::vector<std::uint8_t> tertiary;   // 0 lower case, 1 upper case
};

// Base letters of the accented capitals of Windows-1252, 0xC0 to 0xDF; the small letters 0xE0 to
// 0xFF lie 0x20 above them (÷ above ×, and ÿ above ß, which is handled on its own).
constexpr std::string_view kLatin1Base =
    "aaaaaa\x01"
    "ceeeeiiii"
    "dnooooo"
    "\x02"
    "ouuuuy"
    "\x03"
    "\x04";

void addLetter(SortKey& key, char base, std::uint8_t accent, bool upper) {
  key.primary.push_back(static_cast<std::uint16_t>(0x300 + static_cast<unsigned char>(base)));
  key.secondary.push_back(accent);
  key.tertiary.push_back(upper ? 1 : 0);
}

SortKey makeKey(std::string_view text) {
  SortKey key;
  key.primary.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') {
      addLetter(key, static_cast<char>(c), 0, false);
    } else if (c >= 'A' && c <= 'Z') {
      addLetter(key, static_cast<char>(c + 32), 0, true);
    } else if (c >= '0' && c <= '9') {
      key.primary.push_back(static_cast<std::uint16_t>(0x200 + c));
      key.secondary.push_back(0);
      key.tertiary.push_back(0);
    } else if (c >= 0xC0) {
      const bool upper = c < 0xE0 && c != 0xDF;
      const char base = c == 0xFF ? 'y' : kLatin1Base[(c - 0xC0) & 0x1F];
      switch (base) {
        case '\x01':  // Æ æ
          addLetter(key, 'a', c, upper);
          addLetter(key, 'e', c, upper);
          break;
        case '\x02':  // × ÷
          key.primary.push_back(static_cast<std::uint16_t>(0x100 + c));
          key.secondary.push_back(0);
          key.tertiary.push_back(0);
          break;
        case '\x03':  // Þ þ
          addLetter(key, 't', c, upper);
          addLetter(key, 'h', c, upper);
          break;
        case '\x04':  // ß
          addLetter(key, 's', c, false);
          addLetter(key, 's', c, false);
          break;
        default:
          addLetter(key, base, c, upper);
      }
    } else if (c == 0x8A || c == 0x9A) {
      addLetter(key, 's', c, c == 0x8A);
    } else if (c == 0x8E || c == 0x9E) {
      addLetter(key, 'z', c, c == 0x8E);
    } else if (c == 0x8C || c == 0x9C) {
      addLetter(key, 'o', c, c == 0x8C);
      addLetter(key, 'e', c, c == 0x8C);
    } else if (c == 0x9F) {
      addLetter(key, 'y', c, true);
    } else {
      key.primary.push_back(static_cast<std::uint16_t>(0x100 + c));
      key.secondary.push_back(0);
      key.tertiary.push_back(0);
    }
  }
  return key;
}

int compareKeys(const SortKey& a, const SortKey& b, std::string_view ra, std::string_view rb) {
  if (a.primary != b.primary) return a.primary < b.primary ? -1 : 1;
  if (a.secondary != b.secondary) return a.secondary < b.secondary ? -1 : 1;
  if (a.tertiary != b.tertiary) return a.tertiary < b.tertiary ? -1 : 1;
  if (ra != rb) return ra < rb ? -1 : 1;
  return 0;
}

}  // namespace

bool browseLess(std::string_view a, std::string_view b) { return compareKeys(makeKey(a), makeKey(b), a, b) < 0; }

void sortBrowseList(std::vector<std::string>& items) {
  std::vector<SortKey> keys;
  keys.reserve(items.size());
  for (const auto& item : items) keys.push_back(makeKey(item));
  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t x, std::size_t y) { return compareKeys(keys[x], keys[y], items[x], items[y]) < 0; });
  std::vector<std::string> sorted;
  sorted.reserve(items.size());
  for (std::size_t i : order) sorted.push_back(std::move(items[i]));
  items = std::move(sorted);
}

void finishRecipeList(std::vector<std::string>& names) {
  if (names.size() > kLetterItemThreshold)
    for (char c = 'A'; c <= 'Z'; ++c) names.emplace_back(1, c);
  sortBrowseList(names);
}

bool isLetterItem(std::string_view text) { return text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z'; }

}  // namespace zestovar::store
