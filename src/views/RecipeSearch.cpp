#include "views/RecipeSearch.h"

#include "store/Entry.h"

namespace zestovar::views {

using namespace zestovar::store;

namespace {

char foldAz(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

bool containsTest(std::string_view needle, std::string_view haystack) {
  if (needle.size() > haystack.size()) return false;
  for (std::size_t start = 0; start + needle.size() <= haystack.size(); ++start) {
    std::size_t i = 0;
    while (i < needle.size() && foldAz(needle[i]) == foldAz(haystack[start + i])) ++i;
    if (i == needle.size()) return true;
  }
  return false;
}

void buildEntrySummary(RecipeStore& store, std::vector<EntrySummary>& summary) {
  store.walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    const std::uint64_t countAt = in.position();
    in.next();
    const std::string_view fifth = in.nextText();
    std::string origin(isOriginMarker(fifth) ? in.nextText() : kNoOrigin);
    summary.push_back(
        {std::move(head.category), std::move(head.subcategories), std::move(head.name), std::move(origin)});
    in.seek(countAt);
    skipRest(in);
  });
}

std::vector<std::string> filterBySubcategories(std::vector<EntrySummary> summary, std::string_view category,
                                               const std::vector<std::string>& ticked) {
  std::vector<std::string> names;
  // Entries of other categories are dropped at once; an entry is listed at most once.
  std::erase_if(summary, [&](const EntrySummary& e) { return e.category != category; });
  for (const auto& sub : ticked) {
    std::erase_if(summary, [&](EntrySummary& e) {
      if (!containsTest(sub, e.subcategories)) return false;
      names.push_back(std::move(e.name));
      return true;
    });
  }
  return names;
}

std::string recipeCountText(std::size_t names) { return std::to_string(names) + (names == 1 ? " Rezept" : " Rezepte"); }

std::vector<std::string> splitTerms(std::string_view text) {
  if (text.size() == 1) return {std::string(text)};
  std::vector<std::string> terms;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) terms.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return terms;
}

int searchRecipes(RecipeStore& store, const std::vector<std::string>& terms, std::string_view category, SearchKind kind,
                  std::vector<std::string>& names) {
  int hits = 0;
  std::vector<std::string> fields;
  store.walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    fields.clear();
    fields.push_back(head.category);
    fields.push_back(head.subcategories);
    fields.push_back(head.name);
    const int n1 = checkedIngredientCount(in);
    for (int i = 1; i < n1; ++i) fields.emplace_back(in.nextText());
    const int n2 = checkedPreparationCount(in);
    for (int i = 0; i < n2; ++i) fields.emplace_back(in.nextText());
    fields.emplace_back(in.nextText());  // author
    fields.emplace_back(in.nextText());  // persons
    readPicture(in, nullptr);
    if (category != kAllCategories && head.category != category) return;
    const auto found = [&](const std::string& term) {
      for (const auto& field : fields)
        if (containsTest(term, field)) return true;
      return false;
    };
    bool match;
    if (kind == SearchKind::And) {
      match = true;
      for (const auto& term : terms) match = match && found(term);
    } else {
      match = false;
      for (const auto& term : terms) match = match || found(term);
    }
    if (match) {
      names.push_back(head.name);
      ++hits;
    }
  });
  return hits;
}

std::string searchMessage(int hits) {
  return hits == 0 ? "Keine Rezepte gefunden." : std::to_string(hits) + " Rezepte gefunden.";
}

}  // namespace zestovar::views
