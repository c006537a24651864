// The deleted-recipes list: a name line and an author line for every recipe the user deleted, in
// the order of deletion, kept in "DelRez.dat" so that the database update does not offer those
// recipes again. The list is held by the main window as plain lines (Windows-1252).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileIo.h"
#include "store/RecipeStore.h"

namespace zestovar::store {

struct DeletedRecipe {
  std::string name;
  std::string author;
};

// The lines read as pairs: lines 1 and 2, 3 and 4, ... A last name without its author line (a file
// cut short or edited by hand) reads with an empty author.
std::vector<DeletedRecipe> deletedRecipePairs(const std::vector<std::string>& lines);

// Appends the pair to the list and writes "DelRez.dat". When the write fails the pair stays in the
// list.
void rememberDeletedRecipe(Files& files, const std::filesystem::path& dir, std::vector<std::string>& lines,
                           std::string_view name, std::string_view author);

// Forgets every deleted recipe: the list is emptied and "DelRez.dat" written as an empty file.
void forgetDeletedRecipes(Files& files, const std::filesystem::path& dir, std::vector<std::string>& lines);

// "Entfernen": remembers the name with the author the store finds for it (empty when no entry
// carries it), writes "DelRez.dat", and only then deletes every entry of that name, so a deletion
// that fails part-way still leaves the recipe remembered.
void deleteRecipe(RecipeStore& store, std::vector<std::string>& lines, std::string_view name);

}  // namespace zestovar::store
