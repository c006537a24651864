// libFuzzer target: the input is an exchange file (Meal-Master, RezKonv, CookML, in any encoding).
// Reading it, mapping its recipes into ours, encoding them and writing them out as Meal-Master again
// end in a result or in ImportError, never in a crash, a hang or a read out of bounds; and the
// Meal-Master export of the recipes reads back as the same recipes, whatever lines they hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ImportedRecipeChecks.h"
#include "exchange/Import.h"
#include "exchange/Mapping.h"
#include "exchange/MealMasterExport.h"
#include "store/Entry.h"
#include "store/RecordFormat.h"

namespace {

using namespace zestovar::exchange;
using zestovar::store::NewRecipe;
using zestovar::test::check;

std::vector<std::string> withoutEmptyLines(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& line : lines)
    if (!line.empty()) out.push_back(line);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<NewRecipe> first;
  try {
    readCollection(bytes,
                   [&](ForeignRecipe&& recipe) { first.push_back(toNewRecipe(recipe, kDefaultFallbackCategory)); });
  } catch (const ImportError&) {
    return 0;
  }
  std::string exported;
  for (const NewRecipe& stored : first) {
    zestovar::test::checkRecords(stored);
    const std::string entry = zestovar::store::encodeEntry(stored, zestovar::store::PictureState::None, {});
    check(entry.size() % zestovar::store::kRecordSize == 0);

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
  if (first.empty()) return 0;

  // The export reads back as the same recipes.
  std::vector<NewRecipe> second;
  try {
    readCollection(exported, [&](ForeignRecipe&& recipe) {
      check(recipe.ownExport);
      second.push_back(toNewRecipe(recipe, kDefaultFallbackCategory));
    });
  } catch (const ImportError&) {
    abort();
  }
  check(second.size() == first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    const NewRecipe& a = first[i];
    const NewRecipe& b = second[i];
    check(a.name == b.name && a.category == b.category && a.persons == b.persons && a.author == b.author);
    // A subcategory record cut in the middle of a name loses that name.
    if (zestovar::store::subcategoryRecord(a.subcategories).size() < zestovar::store::kMaxText)
      check(a.subcategories == b.subcategories);
    check(withoutEmptyLines(a.ingredients) == withoutEmptyLines(b.ingredients));
    check(a.preparation == b.preparation);
  }
  return 0;
}
