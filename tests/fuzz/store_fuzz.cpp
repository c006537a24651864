// libFuzzer target: the input is a recipe file. Every reader of the store walks it (the recipe page,
// the summary list and the search among them), the checker judges it, and the record map's judgement
// of every record is compared with the rules read record by record. A malformed file must end in
// StoreError, never in a crash, a hang or a read out of bounds. The files live in memory; the writers
// have a target of their own (store_write_fuzz.cpp).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "StoreFuzzInput.h"
#include "store/Amounts.h"
#include "store/Categories.h"
#include "store/Check.h"
#include "store/Entry.h"
#include "store/EntryRules.h"
#include "store/RecordMap.h"
#include "views/RecipePage.h"
#include "views/RecipeSearch.h"

namespace {

using namespace zestovar::store;
using zestovar::test::expectOnlyStoreErrors;

// The rules of a well-formed entry read record by record: what the record map's judgement must give.
struct Reference {
  EntryVerdict::Kind kind;
  std::uint64_t end;
  bool wellFormed;
};

Reference judgeByReading(FileIo& file, std::uint64_t p) {
  using Kind = EntryVerdict::Kind;
  RecordReader in(file);
  const std::uint64_t end = in.recordCount();
  const auto record = [&](std::uint64_t x) {
    in.seek(x);
    return in.next();
  };
  const auto tooLong = [&](std::uint64_t x) { return record(x)[0] > kMaxText; };
  const auto count = [&](std::uint64_t x) { return parseInteger(recordText(record(x))); };
  const auto allText = [&](std::uint64_t from, std::uint64_t to) {
    for (std::uint64_t x = from; x < std::min(to, end); ++x)
      if (tooLong(x)) return false;
    return true;
  };
  const Reference fault{Kind::Fault, 0, false};
  const auto ranOut = [](bool wellFormed) { return Reference{Kind::RanOut, 0, wellFormed}; };
  if (tooLong(p) || !categoryCode(recordText(record(p)))) return fault;
  for (std::uint64_t x = p + 1; x <= p + 3; ++x) {
    if (x >= end) return ranOut(true);
    if (tooLong(x)) return fault;
  }
  const auto n1 = count(p + 3);
  if (!n1 || *n1 < 1) return fault;
  const bool marker = *n1 == 2 && p + 4 < end && isOriginMarker(recordText(record(p + 4)));
  const std::uint64_t n2At = p + 3 + static_cast<std::uint64_t>(*n1);
  if (n2At >= end) return ranOut(!marker && allText(p + 4, end));
  if (!allText(p + 4, n2At) || marker || tooLong(n2At)) return fault;
  const auto n2 = count(n2At);
  if (!n2 || *n2 < 0) return fault;
  const std::uint64_t persons = n2At + static_cast<std::uint64_t>(*n2) + 2;
  if (persons >= end) return ranOut(allText(n2At + 1, end));
  if (!allText(n2At + 1, persons + 1)) return fault;
  std::uint64_t pictureEnd = persons + 1;
  while (pictureEnd < end && !isPictureEnd(record(pictureEnd))) ++pictureEnd;
  if (pictureEnd == end) return ranOut(true);
  const bool picture = pictureEnd > persons + 1;
  const std::uint64_t tailAt = pictureEnd + 1;
  const bool tailLength = tailAt < end && !tooLong(tailAt) && count(tailAt);
  if (tailAt + 2 > end) return ranOut(!picture || tailAt >= end || tailLength);
  if (picture && !tailLength) return fault;
  return {Kind::Complete, tailAt + 2, false};
}

// The map's judgement of every record that holds a category name, and of torn tails, against the
// reading one.
void compareJudgements(FileIo& file) {
  RecordMap map(file, 0);
  bool completeAfter = false;
  int tornTries = 0;
  for (std::uint64_t p = map.end(); p-- > 0;) {
    const Reference expected = judgeByReading(file, p);
    const EntryVerdict got = judgeEntry(map, p, p % 2 == 0);
    if (got.kind != expected.kind) abort();
    if (got.kind == EntryVerdict::Kind::Complete && got.end != expected.end) abort();
    if (got.kind == EntryVerdict::Kind::RanOut && got.wellFormedSoFar != expected.wellFormed) abort();
    if (got.kind == EntryVerdict::Kind::RanOut && tornTries++ < 3) {
      RecordMap from(file, p);
      if (isTornTail(from) != (expected.wellFormed && !completeAfter)) abort();
    }
    completeAfter = completeAfter || expected.kind == EntryVerdict::Kind::Complete;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zestovar::test::FuzzedStore input(data, size);
  RecipeStore store(input.dir.path(), input.dir.files());
  {
    auto main = store.openMain();
    FileIo& file = input.asMain ? *main : store.updateFile();
    // Small blocks put block boundaries inside entries.
    RecordReader small(file, 3);
    expectOnlyStoreErrors([&] {
      while (!small.atEnd()) readEntry(small);
    });
    checkRecipeFile(file);
    if (size <= 40 * kRecordSize) compareJudgements(file);
  }
  const std::string& name = input.name;
  expectOnlyStoreErrors([&] { store.findByName(name); });
  expectOnlyStoreErrors([&] { store.nameExists(name); });
  expectOnlyStoreErrors([&] { store.authorByName(name); });
  expectOnlyStoreErrors([&] { zestovar::views::showRecipePage(store, name, "default", [](const std::string&) {}); });
  // The page for another number of persons scales whatever ingredient lines the file holds.
  expectOnlyStoreErrors([&] {
    zestovar::views::showRecipePage(
        store, name, "default", [](const std::string&) {}, 1 + static_cast<int>(size % 50));
  });
  // Scaling keeps what stands before and after the amount byte for byte.
  if (const auto amount = zestovar::store::leadingAmount(name)) {
    const std::string scaled = zestovar::store::scaledLine(name, 2.5);
    if (!scaled.starts_with(name.substr(0, amount->begin)) || !scaled.ends_with(name.substr(amount->end))) abort();
  }
  expectOnlyStoreErrors([&] {
    std::vector<zestovar::views::EntrySummary> summary;
    zestovar::views::buildEntrySummary(store, summary);
  });
  expectOnlyStoreErrors([&] {
    std::vector<std::string> names;
    zestovar::views::searchRecipes(store, {name, "a"}, "Alle", zestovar::views::SearchKind::Or, names);
  });
  return 0;
}
