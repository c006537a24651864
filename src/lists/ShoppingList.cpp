#include "lists/ShoppingList.h"

#include <algorithm>

#include "store/Amounts.h"
#include "store/Entry.h"

namespace zestovar::lists {

std::vector<std::string> recipeBlock(store::RecipeStore& store, std::string_view name, double factor) {
  std::vector<std::string> block{std::string(name), std::string()};
  store.walkMainThenUpdate([&](store::StoreFile, store::RecordReader& in, store::EntryHead& head) {
    if (head.name != name) return store::skipRest(in);
    store::StoredRecipe entry = store::readRest(in, head);
    for (const std::string& line : entry.ingredients) block.push_back(store::scaledLine(line, factor));
  });
  block.insert(block.end(), 2, std::string());
  return block;
}

std::string typedLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return text;
}

std::string printPage(const std::vector<std::string>& lines) {
  std::string page = "<p> Einkaufsliste </p>\r\n<p>&nbsp;</p>\r\n";
  for (const std::string& line : lines) page += "<p>" + line + "</p>\r\n";
  return page;
}

std::filesystem::path writePrintPage(store::Files& files, const std::filesystem::path& dir,
                                     const std::vector<std::string>& lines) {
  const std::filesystem::path path = store::resolveProgramFile(files, dir, kPrintPageFileName);
  store::writeWholeFile(files, path, printPage(lines));
  return path;
}

}  // namespace zestovar::lists
