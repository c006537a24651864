#include "store/DeletedRecipes.h"

#include "store/SideFile.h"

namespace zestovar::store {

std::vector<DeletedRecipe> deletedRecipePairs(const std::vector<std::string>& lines) {
  std::vector<DeletedRecipe> pairs;
  pairs.reserve((lines.size() + 1) / 2);
  for (std::size_t i = 0; i < lines.size(); i += 2)
    pairs.push_back({lines[i], i + 1 < lines.size() ? lines[i + 1] : std::string()});
  return pairs;
}

void rememberDeletedRecipe(Files& files, const std::filesystem::path& dir, std::vector<std::string>& lines,
                           std::string_view name, std::string_view author) {
  lines.emplace_back(name);
  lines.emplace_back(author);
  writeSideFile(files, dir, kDeletedRecipesFileName, lines);
}

void forgetDeletedRecipes(Files& files, const std::filesystem::path& dir, std::vector<std::string>& lines) {
  lines.clear();
  writeSideFile(files, dir, kDeletedRecipesFileName, lines);
}

void deleteRecipe(RecipeStore& store, std::vector<std::string>& lines, std::string_view name) {
  rememberDeletedRecipe(store.files(), store.dir(), lines, name, store.authorByName(name));
  store.deleteEntry(name);
}

}  // namespace zestovar::store
