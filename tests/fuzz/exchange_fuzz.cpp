// libFuzzer target: the input is an exchange file (Meal-Master, RezKonv, CookML, in any encoding).
// Reading it, mapping its recipes into ours, encoding them and writing them out as Meal-Master again
// end in a result or in ImportError, never in a crash, a hang or a read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "exchange/Import.h"
#include "exchange/Mapping.h"
#include "exchange/MealMasterExport.h"
#include "store/Entry.h"
#include "store/RecordFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zestovar::exchange;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<ForeignRecipe> recipes;
  try {
    recipes = readCollection(bytes);
  } catch (const ImportError&) {
    return 0;
  }
  std::string exported;
  for (const ForeignRecipe& recipe : recipes) {
    const zestovar::store::NewRecipe stored = toNewRecipe(recipe, kDefaultFallbackCategory);
    if (stored.name.empty() || stored.name.size() > zestovar::store::kMaxText) abort();
    for (const std::string& line : stored.ingredients)
      if (line.size() > zestovar::store::kMaxText) abort();
    const std::string entry = zestovar::store::encodeEntry(stored, zestovar::store::PictureState::None, {});
    if (entry.size() % zestovar::store::kRecordSize != 0) abort();

    zestovar::store::StoredRecipe back;
    back.head.category = stored.category;
    back.head.subcategories = zestovar::store::subcategoryRecord(stored.subcategories);
    back.head.name = stored.name;
    back.ingredients = stored.ingredients;
    back.preparationPieces = {stored.preparation};
    back.author = stored.author;
    back.persons = stored.persons;
    appendMealMaster(exported, back);
  }
  // The export reads back, or fails with a clear error where a recipe's own text looks like a line
  // of the format.
  try {
    readCollection(exported);
  } catch (const ImportError&) {
  }
  return 0;
}
