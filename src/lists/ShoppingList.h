// The shopping list's plain parts: the block a recipe adds, a line typed by hand, and the print page
// "temp.htm". Texts are Windows-1252.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileIo.h"
#include "store/RecipeStore.h"

namespace zestovar::lists {

inline constexpr std::string_view kPrintPageFileName = "temp.htm";

// What adding a recipe's ingredients appends: the name, an empty line, the ingredient lines of every
// entry whose name record equals name exactly (main recipe file first, as stored, origin marker and
// origin left out), two empty lines. A name no entry carries gives the name and three empty lines.
// A factor other than 1 scales the leading amount of every ingredient line, as the page for another
// number of persons does.
std::vector<std::string> recipeBlock(store::RecipeStore& store, std::string_view name, double factor = 1);

// A line typed into the one-line field: a CR or LF pasted into it becomes a blank, so the line stays
// one line of the list and of "EList.dat".
std::string typedLine(std::string text);

// The bytes of "temp.htm": the heading, a blank paragraph, then one paragraph per line of the list,
// inserted as it stands (its markup is the browser's to read); every line ended by CR LF.
std::string printPage(const std::vector<std::string>& lines);

// Writes "temp.htm" into the program directory; returns its path.
std::filesystem::path writePrintPage(store::Files& files, const std::filesystem::path& dir,
                                     const std::vector<std::string>& lines);

}  // namespace zestovar::lists
