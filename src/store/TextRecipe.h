// The plain-text recipe file: UTF-8, a header of "Key: value" lines, then "Zutaten:" and
// "Zubereitung:" blocks. Used by zestovar-tool and by the build of the shipped recipe book and of the
// demo site.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/Entry.h"
#include "store/RecipeStore.h"

namespace zestovar::store {

// A file that breaks the rules; the message names the line (UTF-8).
class TextRecipeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TextRecipe {
  NewRecipe recipe;
  std::size_t nameLine = 0;  // the line of "Name:", for messages about the name
  std::string date;          // "Datum:", the publication date on the demo site (day.month.year); may be empty
};

// Parses a plain-text recipe. The subcategories are checked against the category and put into the
// order of the editor's sorted list. dir resolves a relative "Bild:" path.
TextRecipe parseTextRecipe(std::string_view utf8, const std::filesystem::path& dir);
TextRecipe readTextRecipeFile(Files& files, const std::filesystem::path& file);

// Appends the recipes of plain-text recipe files to the main recipe file, as the editor's "Speichern"
// would: a name the book or an earlier file holds is refused. Every file is read and checked, and every
// picture read, before anything is written; the book is walked once for its names and written once, so
// a refused file leaves it as it was. Throws TextRecipeError or StoreError naming the file.
void addTextRecipeFiles(RecipeStore& store, const std::vector<std::string>& paths);

// A stored entry as a plain-text recipe (UTF-8). pictureFile is written into "Bild:" when given.
std::string formatTextRecipe(const StoredRecipe& entry, std::string_view pictureFile);

}  // namespace zestovar::store
