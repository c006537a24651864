#include "lists/BookmarkList.h"

#include <algorithm>

#include "store/Cp1252.h"

namespace zestovar::lists {
namespace {

auto findName(std::vector<std::string>& lines, std::string_view name) {
  return std::find_if(lines.begin(), lines.end(),
                      [name](const std::string& line) { return store::equalsIgnoringCase(line, name); });
}

}  // namespace

bool addBookmark(std::vector<std::string>& lines, std::string_view name) {
  if (findName(lines, name) != lines.end()) return false;
  lines.emplace_back(name);
  return true;
}

bool removeBookmark(std::vector<std::string>& lines, std::string_view name) {
  const auto it = findName(lines, name);
  if (it == lines.end()) return false;
  lines.erase(it);
  return true;
}

}  // namespace zestovar::lists
