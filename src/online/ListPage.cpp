#include "online/ListPage.h"

#include <algorithm>
#include <array>
#include <deque>
#include <unordered_map>

#include "store/Cp1252.h"
#include "store/Errors.h"
#include "store/SideFile.h"

namespace zestovar::online {

std::vector<ListRecord> parseListPage(std::string_view body) {
  // The page's lines split as a side file's do.
  const std::vector<std::string> lines = store::splitSideFileLines(body);
  std::vector<ListRecord> records;
  records.reserve(lines.size() / 5);
  for (std::size_t i = 0; i + 5 <= lines.size(); i += 5)
    records.push_back({lines[i], lines[i + 1], lines[i + 2], lines[i + 3], lines[i + 4]});
  return records;
}

std::vector<KnownPair> knownPairs(store::RecipeStore& store, const std::vector<KnownPair>& deleted) {
  std::vector<KnownPair> pairs;
  std::string author;
  store.walkMainThenUpdate([&](store::StoreFile, store::RecordReader& in, store::EntryHead& head) {
    store::skipRest(in, &author);
    pairs.emplace_back(head.name, author);
  });
  pairs.insert(pairs.end(), deleted.begin(), deleted.end());
  return pairs;
}

void removeKnown(std::vector<ListRecord>& offer, const std::vector<KnownPair>& known) {
  // The records of each name (letter case folded) in page order: the front one is the first that is
  // still on the page. One look-up a known pair, so a large store meets a long page quickly.
  const auto folded = [](std::string_view text) {
    std::string out(text);
    for (char& c : out) c = store::foldCase(c);
    return out;
  };
  std::unordered_map<std::string, std::deque<std::size_t>> byName;
  for (std::size_t i = 0; i < offer.size(); ++i) byName[folded(offer[i].name)].push_back(i);
  std::vector<bool> removed(offer.size(), false);
  for (const KnownPair& pair : known) {
    const auto it = byName.find(folded(pair.first));
    if (it == byName.end() || it->second.empty()) continue;
    const std::size_t first = it->second.front();
    if (offer[first].author != pair.second) continue;
    removed[first] = true;
    it->second.pop_front();
  }
  // The predicate sees each record at its place before anything is moved onto it.
  const ListRecord* const front = offer.data();
  std::erase_if(offer, [&](const ListRecord& record) { return removed[static_cast<std::size_t>(&record - front)]; });
}

std::vector<std::size_t> filterOffer(const std::vector<ListRecord>& offer, std::string_view filterName,
                                     const std::vector<std::string>* tickedSubcategories) {
  std::vector<std::size_t> shown;
  const bool all = filterName == kAllCategories;
  for (std::size_t i = 0; i < offer.size(); ++i) {
    const std::string_view line = offer[i].categoryLine;
    if (!all && !line.starts_with(filterName)) continue;
    if (!all && tickedSubcategories) {
      const std::string_view rest = line.substr(filterName.empty() ? 0 : filterName.size() - 1);
      if (std::none_of(tickedSubcategories->begin(), tickedSubcategories->end(),
                       [&](const std::string& sub) { return store::containsTest(sub, rest); }))
        continue;
    }
    shown.push_back(i);
  }
  return shown;
}

namespace {

// The next part of a date: the text before its dot, or, without a dot, all but the last character.
std::string_view nextPart(std::string_view& rest) {
  std::size_t i = 0;
  while (i + 1 < rest.size() && rest[i] != '.') ++i;
  const std::string_view part = rest.substr(0, i);
  rest.remove_prefix(std::min(i + 1, rest.size()));
  return part;
}

int number(std::string_view part) {
  try {
    return store::toInteger(part);
  } catch (const store::StoreError&) {
    return 0;
  }
}

}  // namespace

int compareDates(std::string_view a, std::string_view b) {
  const auto key = [](std::string_view date) {
    const int day = number(nextPart(date));
    const int month = number(nextPart(date));
    return std::array<int, 3>{number(date), month, day};
  };
  const auto ka = key(a), kb = key(b);
  return ka < kb ? -1 : kb < ka ? 1 : 0;
}

int compareTexts(std::string_view a, std::string_view b) {
  const auto fold = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : static_cast<unsigned char>(c);
  };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = fold(a[i]), y = fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace zestovar::online
