// The deleted-recipes list: a name line and an author line for every recipe the user deleted, in
// the order of deletion, kept in "DelRez.dat" so that the database update does not offer those
// recipes again. One object holds the list for the whole run (Windows-1252 lines).
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

class DeletedRecipes {
 public:
  // The list of the program directory dir, empty until it is loaded.
  DeletedRecipes(Files& files, std::filesystem::path dir);

  // Reads "DelRez.dat"; a missing file is an empty list. When reading fails the list is left as it was.
  void load();

  // The lines as pairs: lines 1 and 2, 3 and 4, ... A last name without its author line (a file cut
  // short or edited by hand) reads with an empty author.
  std::vector<DeletedRecipe> pairs() const;

  // Appends the pair to the list and writes "DelRez.dat". When the write fails the pair stays in the
  // list.
  void remember(std::string_view name, std::string_view author);

  // Forgets every deleted recipe: the list is emptied and "DelRez.dat" written as an empty file.
  void forget();

  // "Entfernen": remembers the name with the author the store finds for it (empty when no entry
  // carries it), writes "DelRez.dat", and only then deletes every entry of that name, so a deletion
  // that fails part-way still leaves the recipe remembered.
  void deleteRecipe(RecipeStore& store, std::string_view name);

 private:
  Files& files_;
  std::filesystem::path dir_;
  std::vector<std::string> lines_;
};

}  // namespace zestovar::store
