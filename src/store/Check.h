// Checking a recipe file for malformed entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/FileIo.h"

namespace zestovar::store {

struct Problem {
  std::uint64_t record;  // where the fault was found, counted from 0
  std::string text;      // UTF-8
  // Something the walks pass over without an error (a torn tail, an incomplete last record, a tail
  // length out of range): the file still counts as well-formed.
  bool warning = false;
};

// Walks the file entry by entry and reports every malformed entry it can reach: after a fault the
// walk resumes at the next record that holds a category name. Linear in the records, however many
// faults there are.
std::vector<Problem> checkRecipeFile(FileIo& file);

}  // namespace zestovar::store
