// The lines of "Merklist.dat": recipe names, one a line, in the order they were bookmarked
// (Windows-1252). A name occurs there once, compared without regard to letter case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zestovar::lists {

// Appends name unless a line equals it, letter case ignored; returns whether it was appended.
bool addBookmark(std::vector<std::string>& lines, std::string_view name);

// Removes the first line that equals name, letter case ignored; returns whether one was removed.
bool removeBookmark(std::vector<std::string>& lines, std::string_view name);

}  // namespace zestovar::lists
