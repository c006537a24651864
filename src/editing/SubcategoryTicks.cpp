#include "editing/SubcategoryTicks.h"

#include <algorithm>

#include "store/Cp1252.h"

namespace zestovar::editing {

void tickNamed(std::vector<Subcategory>& items, std::string_view words) {
  for (std::size_t start = 0; start <= words.size();) {
    const std::size_t blank = std::min(words.find(' ', start), words.size());
    const std::string_view word = words.substr(start, blank - start);
    for (Subcategory& item : items)
      if (!word.empty() && store::equalsIgnoringCase(item.name, word)) item.ticked = true;
    start = blank + 1;
  }
}

}  // namespace zestovar::editing
