#include "store/DeletedRecipes.h"

#include "store/SideFile.h"

namespace zestovar::store {

DeletedRecipes::DeletedRecipes(Files& files, std::filesystem::path dir) : files_(files), dir_(std::move(dir)) {}

void DeletedRecipes::load() { lines_ = readSideFile(files_, dir_, kDeletedRecipesFileName); }

std::vector<DeletedRecipe> DeletedRecipes::pairs() const {
  std::vector<DeletedRecipe> pairs;
  pairs.reserve((lines_.size() + 1) / 2);
  for (std::size_t i = 0; i < lines_.size(); i += 2)
    pairs.push_back({lines_[i], i + 1 < lines_.size() ? lines_[i + 1] : std::string()});
  return pairs;
}

void DeletedRecipes::remember(std::string_view name, std::string_view author) {
  lines_.emplace_back(name);
  lines_.emplace_back(author);
  writeSideFile(files_, dir_, kDeletedRecipesFileName, lines_);
}

void DeletedRecipes::forget() {
  lines_.clear();
  writeSideFile(files_, dir_, kDeletedRecipesFileName, lines_);
}

void DeletedRecipes::deleteRecipe(RecipeStore& store, std::string_view name) {
  remember(name, store.authorByName(name));
  store.deleteEntry(name);
}

}  // namespace zestovar::store
