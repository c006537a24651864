#include "editing/SubcategoryTicks.h"

#include "store/Cp1252.h"
#include "store/Words.h"

namespace zestovar::editing {

void tickNamed(std::vector<Subcategory>& items, std::string_view words) {
  for (const std::string_view word : store::words(words))
    for (Subcategory& item : items)
      if (store::equalsIgnoringCase(item.name, word)) item.ticked = true;
}

}  // namespace zestovar::editing
