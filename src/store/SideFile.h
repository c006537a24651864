// Side files: text files of one item a line in the program directory, every line ended by CR LF,
// Windows-1252, no header.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileIo.h"

namespace zestovar::store {

inline constexpr std::string_view kShoppingListFileName = "EList.dat";
inline constexpr std::string_view kDeletedRecipesFileName = "DelRez.dat";
inline constexpr std::string_view kBookmarksFileName = "Merklist.dat";
inline constexpr std::string_view kProxySettingsFileName = "Proxy.cfg";

// Splits at CR LF, at a lone CR and at a lone LF; a line break at the very end makes no empty item.
std::vector<std::string> splitSideFileLines(std::string_view bytes);

// Every line followed by CR LF. A CR or LF inside a line becomes a blank, so one item never splits
// into two lines and shifts the lines after it.
std::string joinSideFileLines(const std::vector<std::string>& lines);

// The lines of a side file of the program directory (its name resolved without regard to letter
// case); a missing file is an empty list.
std::vector<std::string> readSideFile(Files& files, const std::filesystem::path& dir, std::string_view name);

// Rewrites a side file whole, in one step (see ReplacementFile).
void writeSideFile(Files& files, const std::filesystem::path& dir, std::string_view name,
                   const std::vector<std::string>& lines, std::optional<Permissions> fixed = std::nullopt);

}  // namespace zestovar::store
