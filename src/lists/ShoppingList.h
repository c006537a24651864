// The shopping list's plain parts: the block a recipe adds, a line typed by hand, and the print page
// "temp.htm". Texts are Windows-1252.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/Amounts.h"
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

// A line of the list read as amount, unit and ingredient: "200 g Mehl", "2 Dosen Tomaten", "3 Eier".
struct IngredientLine {
  store::LeadingAmount amount;
  int unit = -1;              // the unit of the fixed list, -1 without one
  std::size_t unitBegin = 0;  // the unit as written lies between unitBegin and unitEnd
  std::size_t unitEnd = 0;
  std::string_view ingredient;  // the rest of the line after the unit and its blanks; never empty
};

// The line read that way, if it reads: a leading amount, optionally a unit of the fixed list (g, kg,
// mg, ml, cl, dl, l, EL, TL, Msp., Prise, Stück, Scheibe, Becher, Dose, Glas, Pck., Päckchen, Bund,
// Zehe, Zweig, Tasse; letter case ignored, a plural "n" or "en" allowed), then the ingredient.
std::optional<IngredientLine> readIngredientLine(std::string_view line);

// Whether the list holds a block as adding a recipe's ingredients appends it: a line, an empty line,
// lines that are not empty, two empty lines.
bool holdsRecipeBlocks(const std::vector<std::string>& lines);

// The list with the lines that name the same ingredient in the same unit (or both without one; the
// ingredient compared without regard to letter case and blanks) added into one: g and kg, ml and l
// are added in the smaller unit and written in the larger one from 1,000 on. A sum is written in the
// spelling of its first line, a line without a partner stays as it stands. The sums come first, in the
// order of their first lines, then the lines that do not read (ranges included) in their order. The
// name lines and empty lines of the recipe blocks go when dropRecipeHeads is set; otherwise every line
// of a list with recipe blocks keeps its place and a sum stands where its first line stood.
std::vector<std::string> mergedShoppingList(const std::vector<std::string>& lines, bool dropRecipeHeads);

// Writes "temp.htm" into the program directory; returns its path.
std::filesystem::path writePrintPage(store::Files& files, const std::filesystem::path& dir,
                                     const std::vector<std::string>& lines);

}  // namespace zestovar::lists
