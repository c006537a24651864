// Side files: text files of one item a line in the program directory ("EList.dat", "DelRez.dat", ...).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zestovar::views {

// Splits at CR LF, at a lone CR and at a lone LF; a line break at the very end makes no empty item.
std::vector<std::string> splitSideFileLines(std::string_view bytes);

// The lines of a side file (Windows-1252); a missing file is an empty list. A file that exists but
// cannot be read throws StoreError with the system's text.
std::vector<std::string> readSideFile(const std::filesystem::path& path);

}  // namespace zestovar::views
