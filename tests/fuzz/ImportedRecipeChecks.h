// What the exchange fuzz targets require of every recipe an import makes: a finding aborts.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include "store/Entry.h"
#include "store/RecordFormat.h"

namespace zestovar::test {

inline void check(bool holds) {
  if (!holds) std::abort();
}

inline bool oneLine(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

// The records of one line hold no control character, and no text is longer than a record.
inline void checkRecords(const store::NewRecipe& stored) {
  check(stored.name.size() <= store::kMaxText);
  check(oneLine(stored.name) && oneLine(stored.author) && oneLine(stored.persons));
  for (const std::string& line : stored.ingredients) check(line.size() <= store::kMaxText && oneLine(line));
}

}  // namespace zestovar::test
