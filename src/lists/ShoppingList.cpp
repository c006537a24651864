#include "lists/ShoppingList.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <unordered_map>

#include "store/Amounts.h"
#include "store/Cp1252.h"
#include "store/Entry.h"
#include "store/Words.h"

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

namespace {

struct Unit {
  std::string_view spelling;  // Windows-1252
  int addsTo;                 // the unit its amounts are added in
  double factor;              // how many of that unit one of this is
};

// The index in this table is the unit of an IngredientLine; kg adds to g, l to ml.
constexpr std::array<Unit, 22> kUnits = {{
    {"g", 0, 1},
    {"kg", 0, 1000},
    {"mg", 2, 1},
    {"ml", 3, 1},
    {"cl", 4, 1},
    {"dl", 5, 1},
    {"l", 3, 1000},
    {"EL", 7, 1},
    {"TL", 8, 1},
    {"Msp.", 9, 1},
    {"Prise", 10, 1},
    {"St\xfc"
     "ck",
     11, 1},
    {"Scheibe", 12, 1},
    {"Becher", 13, 1},
    {"Dose", 14, 1},
    {"Glas", 15, 1},
    {"Pck.", 16, 1},
    {"P\xe4"
     "ckchen",
     17, 1},
    {"Bund", 18, 1},
    {"Zehe", 19, 1},
    {"Zweig", 20, 1},
    {"Tasse", 21, 1},
}};
constexpr int kKilogram = 1, kLitre = 6;

int unitOf(std::string_view word) {
  for (std::size_t i = 0; i < kUnits.size(); ++i) {
    const std::string_view unit = kUnits[i].spelling;
    if (word.size() < unit.size() || !store::equalsIgnoringCase(word.substr(0, unit.size()), unit)) continue;
    const std::string_view plural = word.substr(unit.size());
    // An abbreviation with its point takes no plural ending.
    if (plural.empty() ||
        (unit.back() != '.' && (store::equalsIgnoringCase(plural, "n") || store::equalsIgnoringCase(plural, "en"))))
      return static_cast<int>(i);
  }
  return -1;
}

// What makes two lines one ingredient: the unit they add in, and the ingredient folded, without blanks.
std::string mergeKey(const IngredientLine& line) {
  std::string key(1, static_cast<char>(line.unit < 0 ? -1 : kUnits[static_cast<std::size_t>(line.unit)].addsTo));
  for (char c : line.ingredient)
    if (!store::isBlank(c)) key += store::foldCase(c);
  return key;
}

// For each line, whether it is the name line or an empty line of a recipe block.
std::vector<bool> recipeBlockFrame(const std::vector<std::string>& lines) {
  std::vector<bool> frame(lines.size(), false);
  std::size_t i = 0;
  while (i + 3 < lines.size()) {
    if (lines[i].empty() || !lines[i + 1].empty()) {
      ++i;
      continue;
    }
    std::size_t end = i + 2;
    while (end < lines.size() && !lines[end].empty()) ++end;
    if (end + 1 >= lines.size() || !lines[end + 1].empty()) {
      ++i;
      continue;
    }
    frame[i] = frame[i + 1] = frame[end] = frame[end + 1] = true;
    i = end + 2;
  }
  return frame;
}

}  // namespace

std::optional<IngredientLine> readIngredientLine(std::string_view line) {
  const std::optional<store::LeadingAmount> amount = store::leadingAmount(line);
  if (!amount) return std::nullopt;
  IngredientLine read{*amount, -1, amount->end, amount->end, {}};
  std::size_t word = amount->end;
  while (word < line.size() && store::isBlank(line[word])) ++word;
  std::size_t wordEnd = word;
  while (wordEnd < line.size() && !store::isBlank(line[wordEnd])) ++wordEnd;
  std::size_t ingredient = word;
  if (const int unit = unitOf(line.substr(word, wordEnd - word)); unit >= 0) {
    read.unit = unit;
    read.unitBegin = word;
    read.unitEnd = wordEnd;
    ingredient = wordEnd;
    while (ingredient < line.size() && store::isBlank(line[ingredient])) ++ingredient;
  }
  read.ingredient = line.substr(ingredient);
  if (read.ingredient.empty()) return std::nullopt;
  return read;
}

bool holdsRecipeBlocks(const std::vector<std::string>& lines) {
  const std::vector<bool> frame = recipeBlockFrame(lines);
  return std::find(frame.begin(), frame.end(), true) != frame.end();
}

std::vector<std::string> mergedShoppingList(const std::vector<std::string>& lines, bool dropRecipeHeads) {
  constexpr std::size_t kNoSum = static_cast<std::size_t>(-1);
  struct Sum {
    std::size_t first;  // the line whose spelling the sum takes
    IngredientLine read;
    double total = 0;  // in the unit it adds in
    int lines = 0;
  };
  const std::vector<bool> frame = recipeBlockFrame(lines);
  const bool keepFrame = !dropRecipeHeads && std::find(frame.begin(), frame.end(), true) != frame.end();
  std::vector<Sum> sums;
  std::vector<std::size_t> sumAt(lines.size(), kNoSum);
  std::unordered_map<std::string, std::size_t> sumOf;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (frame[i]) continue;
    const std::optional<IngredientLine> read = readIngredientLine(lines[i]);
    if (!read || read->amount.high) continue;
    const auto [at, added] = sumOf.try_emplace(mergeKey(*read), sums.size());
    if (added) sums.push_back({i, *read});
    Sum& sum = sums[at->second];
    sum.total += read->amount.low * (read->unit < 0 ? 1 : kUnits[static_cast<std::size_t>(read->unit)].factor);
    ++sum.lines;
    sumAt[i] = at->second;
  }
  const auto written = [&lines](const Sum& sum) {
    const std::string_view line = lines[sum.first];
    if (sum.lines == 1) return std::string(line);
    const IngredientLine& read = sum.read;
    double amount = sum.total;
    std::string_view unit = line.substr(read.unitBegin, read.unitEnd - read.unitBegin);
    if (read.unit >= 0) {
      const int addsTo = kUnits[static_cast<std::size_t>(read.unit)].addsTo;
      const int larger = addsTo == 0 ? kKilogram : addsTo == 3 ? kLitre : -1;
      // Compared as written, with two decimals, so a sum a hair below 1,000 never reads "1000 g".
      const int shown = larger >= 0 && std::round(amount * 100) >= 100000 ? larger : addsTo;
      if (shown == larger) amount /= 1000;
      if (shown != read.unit) unit = kUnits[static_cast<std::size_t>(shown)].spelling;
    }
    std::string out(line.substr(0, read.amount.begin));
    out += store::formatAmount(amount);
    out += line.substr(read.amount.end, read.unitBegin - read.amount.end);
    out += unit;
    out += line.substr(read.unitEnd);
    return out;
  };

  std::vector<std::string> merged;
  merged.reserve(lines.size());
  if (keepFrame) {
    // The recipe blocks the user keeps stay as they were: each sum stands where its first line stood.
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (sumAt[i] == kNoSum)
        merged.push_back(lines[i]);
      else if (sums[sumAt[i]].first == i)
        merged.push_back(written(sums[sumAt[i]]));
    }
    return merged;
  }
  for (const Sum& sum : sums) merged.push_back(written(sum));
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (sumAt[i] == kNoSum && !frame[i]) merged.push_back(lines[i]);
  return merged;
}

}  // namespace zestovar::lists
