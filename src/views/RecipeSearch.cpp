#include "views/RecipeSearch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "store/Entry.h"
#include "store/Words.h"

namespace zestovar::views {

using namespace zestovar::store;

void buildEntrySummary(RecipeStore& store, std::vector<EntrySummary>& summary) {
  store.walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    const std::uint64_t countAt = in.position();
    in.next();
    const std::string_view fifth = in.nextText();
    std::string origin(isOriginMarker(fifth) ? in.nextText() : kNoOrigin);
    in.seek(countAt);
    skipRest(in);
    summary.push_back(
        {std::move(head.category), std::move(head.subcategories), std::move(head.name), std::move(origin)});
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
  const std::vector<std::string_view> terms = store::words(text);
  return {terms.begin(), terms.end()};
}

namespace {

// The texts of an entry a search tests, folded once (as the contains test folds) into one buffer
// that keeps its storage from entry to entry.
class FoldedFields {
 public:
  explicit FoldedFields(Spelling spelling) : spelling_(spelling) {}

  void clear() {
    size_ = 0;
    ends_.clear();
    insideDigraphs_.clear();
  }
  // The text of a record: its 50 character bytes are folded 16 at a time, then only its length counts.
  void addRecord(const unsigned char* record) {
    // A record's text spelled out with umlauts takes at most twice its length.
    if (text_.size() < size_ + 2 * kMaxText + kPadding) text_.resize(2 * (size_ + 2 * kMaxText + kPadding));
    char* out = text_.data() + size_;
    const std::size_t length = std::min<std::size_t>(record[0], kMaxText);
    std::uint64_t high = 0;  // one bit for each character byte from 0x80 on
#if defined(__SSE2__)
    const __m128i below = _mm_set1_epi8('A' - 1), above = _mm_set1_epi8('Z' + 1), gap = _mm_set1_epi8(32);
    for (std::size_t at : {0, 16, 32, 34}) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(record + 1 + at));
      // Bytes from 0x80 on are negative here, so only A to Z lie between the two bounds.
      const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(v, below), _mm_cmplt_epi8(v, above));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_or_si128(v, _mm_and_si128(upper, gap)));
      high |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(v))) << at;
    }
#else
    for (std::size_t i = 0; i < kMaxText; ++i) {
      const auto c = static_cast<char>(record[1 + i]);
      out[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
      high |= static_cast<std::uint64_t>(record[1 + i] >> 7) << i;
    }
#endif
    high &= (std::uint64_t{1} << length) - 1;
    if (spelling_ == Spelling::Umlauts && high != 0)
      spellUmlauts(out, length, static_cast<std::size_t>(__builtin_ctzll(high)));
    else
      size_ += length;
    ends_.push_back(size_);
  }
  // The contains test of a folded term against each field by itself: one search over all fields,
  // where a hit that reaches across the end of its field does not count.
  bool anyContains(std::string_view foldedTerm) const {
    if (foldedTerm.empty()) return !ends_.empty();
    std::size_t field = 0;
    for (std::size_t at = find(foldedTerm, 0); at != kNone; at = find(foldedTerm, at + 1)) {
      while (ends_[field] <= at) ++field;
      if (at + foldedTerm.size() <= ends_[field] && betweenCharacters(at) && betweenCharacters(at + foldedTerm.size()))
        return true;
    }
    return false;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // Room after the text for the 16-byte loads of find.
  static constexpr std::size_t kPadding = 32;

  // Rewrites the folded text of a record from its first byte above 0x7F on, with each umlaut and "ß"
  // spelled in two letters; the second letter of each is remembered, since no hit may begin or end
  // there.
  void spellUmlauts(char* out, std::size_t length, std::size_t from) {
    std::array<char, kMaxText> rest;
    std::memcpy(rest.data(), out + from, length - from);
    char* to = out + from;
    for (std::size_t i = 0; i < length - from; ++i) {
      const std::string_view digraph = umlautSpelling(rest[i]);
      if (digraph.empty()) {
        *to++ = rest[i];
        continue;
      }
      *to++ = digraph[0];
      insideDigraphs_.push_back(static_cast<std::size_t>(to - text_.data()));
      *to++ = digraph[1];
    }
    size_ = static_cast<std::size_t>(to - text_.data());
  }

  bool betweenCharacters(std::size_t at) const {
    return insideDigraphs_.empty() || !std::binary_search(insideDigraphs_.begin(), insideDigraphs_.end(), at);
  }

  // The first place from `from` on where the term stands in the text: sixteen places are tested at
  // once for its first two characters, and only those that match are compared whole.
  std::size_t find(std::string_view term, std::size_t from) const {
#if !defined(__SSE2__)
    const std::size_t hit = std::string_view(text_.data(), size_).find(term, from);
    return hit == std::string_view::npos ? kNone : hit;
#else
    if (term.size() > size_ || from > size_ - term.size()) return kNone;
    const std::size_t last = size_ - term.size();
    if (term.size() == 1) {
      const void* hit = std::memchr(text_.data() + from, term[0], last + 1 - from);
      return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data()) : kNone;
    }
    const __m128i first = _mm_set1_epi8(term[0]), second = _mm_set1_epi8(term[1]);
    for (std::size_t at = from; at <= last; at += 16) {
      const auto* p = reinterpret_cast<const __m128i*>(text_.data() + at);
      const __m128i a = _mm_loadu_si128(p);
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_.data() + at + 1));
      auto mask =
          static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, second))));
      while (mask != 0) {
        const std::size_t hit = at + static_cast<std::size_t>(__builtin_ctz(mask));
        if (hit > last) return kNone;
        if (std::memcmp(text_.data() + hit + 2, term.data() + 2, term.size() - 2) == 0) return hit;
        mask &= mask - 1;
      }
    }
    return kNone;
#endif
  }

  std::vector<char> text_;
  std::size_t size_ = 0;
  std::vector<std::size_t> ends_;
  Spelling spelling_;
  std::vector<std::size_t> insideDigraphs_;  // ascending
};

}  // namespace

int searchRecipes(RecipeStore& store, const std::vector<std::string>& terms, std::string_view category, SearchKind kind,
                  std::vector<std::string>& names, Spelling spelling) {
  std::vector<std::string> foldedTerms;
  for (const auto& term : terms) {
    std::string& folded = foldedTerms.emplace_back();
    for (char c : term) appendFolded(folded, c, spelling);
  }
  int hits = 0;
  FoldedFields fields(spelling);
  auto main = store.openMain();
  for (FileIo* file : {main.get(), &store.updateFile()}) {
    walkEntries(*file, [&](RecordReader& in, EntryHead& head) {
      // Every entry is read alike, so a malformed one stops the search with the same error whatever
      // its category; only the fields of an entry that takes part are folded.
      const bool takesPart = category == kAllCategories || head.category == category;
      fields.clear();
      const auto add = [&](const unsigned char* record) {
        if (takesPart) fields.addRecord(record);
      };
      in.seek(head.first);
      add(in.next());  // category
      add(in.next());  // subcategories
      add(in.next());  // name
      const int n1 = checkedIngredientCount(in);
      for (int i = 1; i < n1; ++i) add(in.next());
      const int n2 = checkedPreparationCount(in);
      for (int i = 0; i < n2; ++i) add(in.next());
      add(in.next());  // author
      add(in.next());  // persons
      readPicture(in, nullptr);
      if (!takesPart) return true;
      bool match = kind == SearchKind::And;
      for (const auto& term : foldedTerms) {
        if (fields.anyContains(term) != match) {
          match = !match;
          break;
        }
      }
      if (match) {
        names.push_back(head.name);
        ++hits;
      }
      return true;
    });
  }
  return hits;
}

std::string searchMessage(int hits) {
  return hits == 0 ? "Keine Rezepte gefunden." : std::to_string(hits) + " Rezepte gefunden.";
}

}  // namespace zestovar::views
