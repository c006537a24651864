#include "views/RecipeSearch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// A search term folded as the contains test folds it: with Spelling::Umlauts every umlaut and "ß" in
// it is spelled in two letters, and the umlauts that could stand in the text for its first two
// letters, or for its second and third, are noted for the quick test of each place.
struct FoldedTerm {
  std::string text;
  char first = 0, second = 0;  // the term's first two letters
  char firstAsUmlaut = 0;      // the umlaut spelled by its first two letters
  char secondAsUmlaut = 0;     // the umlaut spelled by its second and third
};

// The lower-case umlaut or "ß" that two letters spell, or 0.
char umlautSpelledBy(std::string_view two) {
  for (const char umlaut : {'\xe4', '\xf6', '\xfc', '\xdf'})
    if (umlautSpelling(umlaut) == two) return umlaut;
  return 0;
}

FoldedTerm foldTerm(std::string_view term, Spelling spelling) {
  FoldedTerm folded;
  for (char c : term) appendFolded(folded.text, c, spelling);
  const std::string& t = folded.text;
  if (t.size() >= 2) {
    folded.first = t[0];
    folded.second = t[1];
    const char firstUmlaut = spelling == Spelling::Umlauts ? umlautSpelledBy(t.substr(0, 2)) : 0;
    const char secondUmlaut = spelling == Spelling::Umlauts && t.size() >= 3 ? umlautSpelledBy(t.substr(1, 2)) : 0;
    // A capital stands for "none": the folded text holds none from A to Z.
    folded.firstAsUmlaut = firstUmlaut != 0 ? firstUmlaut : 'A';
    folded.secondAsUmlaut = secondUmlaut != 0 ? secondUmlaut : 'A';
  }
  return folded;
}

// The texts of an entry a search tests, folded once (as the contains test folds) into one buffer
// that keeps its storage from entry to entry. With Spelling::Umlauts the text keeps its umlauts (in
// lower case) and the search reads each as its two letters, so a hit always begins and ends between
// two stored characters.
class FoldedFields {
 public:
  explicit FoldedFields(Spelling spelling) : spelling_(spelling) {}

  void clear() {
    size_ = 0;
    ends_.clear();
  }
  // The text of a record: its 50 character bytes are folded 16 at a time, then only its length counts.
  void addRecord(const unsigned char* record) {
    if (text_.size() < size_ + kMaxText + kPadding) text_.resize(2 * (size_ + kMaxText + kPadding));
    char* out = text_.data() + size_;
    const bool umlauts = spelling_ == Spelling::Umlauts;
#if defined(__SSE2__)
    const __m128i below = _mm_set1_epi8('A' - 1), above = _mm_set1_epi8('Z' + 1), gap = _mm_set1_epi8(32);
    const __m128i bigA = _mm_set1_epi8('\xc4'), bigO = _mm_set1_epi8('\xd6'), bigU = _mm_set1_epi8('\xdc');
    for (std::size_t at : {0, 16, 32, 34}) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(record + 1 + at));
      // Bytes from 0x80 on are negative here, so only A to Z lie between the two bounds.
      __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(v, below), _mm_cmplt_epi8(v, above));
      if (umlauts)
        upper = _mm_or_si128(upper, _mm_or_si128(_mm_cmpeq_epi8(v, bigA),
                                                 _mm_or_si128(_mm_cmpeq_epi8(v, bigO), _mm_cmpeq_epi8(v, bigU))));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_or_si128(v, _mm_and_si128(upper, gap)));
    }
#else
    for (std::size_t i = 0; i < kMaxText; ++i) {
      const auto c = static_cast<char>(record[1 + i]);
      const bool upper = (c >= 'A' && c <= 'Z') || (umlauts && (c == '\xc4' || c == '\xd6' || c == '\xdc'));
      out[i] = upper ? static_cast<char>(c + 32) : c;
    }
#endif
    size_ += std::min<std::size_t>(record[0], kMaxText);
    ends_.push_back(size_);
  }
  // The contains test of a folded term against each field by itself: one search over all fields,
  // where a hit that reaches across the end of its field does not count.
  bool anyContains(const FoldedTerm& term) const {
    if (term.text.empty()) return !ends_.empty();
    std::size_t field = 0, end = 0;
    for (std::size_t at = find(term, 0, end); at != kNone; at = find(term, at + 1, end)) {
      while (ends_[field] <= at) ++field;
      if (end <= ends_[field]) return true;
    }
    return false;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // Room after the text for the 16-byte loads of find.
  static constexpr std::size_t kPadding = 32;

  std::size_t find(const FoldedTerm& term, std::size_t from, std::size_t& end) const {
    const std::size_t at = spelling_ == Spelling::Umlauts ? findSpelled(term, from, end) : findStored(term.text, from);
    if (spelling_ == Spelling::AsStored && at != kNone) end = at + term.text.size();
    return at;
  }

  // The first place from `from` on where the term stands in the text: sixteen places are tested at
  // once for its first two characters, and only those that match are compared whole.
  std::size_t findStored(std::string_view term, std::size_t from) const {
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

  // Whether the text from `at` on reads as the term, each umlaut as its two letters; end receives
  // the place after the last character read.
  bool spelledAt(std::string_view term, std::size_t at, std::size_t& end) const {
    std::size_t i = 0;
    while (i < term.size()) {
      if (at == size_) return false;
      const char c = text_[at++];
      const std::string_view digraph = static_cast<unsigned char>(c) < 0x80 ? std::string_view() : umlautSpelling(c);
      if (digraph.empty()) {
        if (term[i++] != c) return false;
      } else {
        if (term.substr(i, 2) != digraph) return false;
        i += 2;
      }
    }
    end = at;
    return true;
  }

  // As findStored, for a term spelled without umlauts: a place can start a hit when it holds the
  // term's first letter followed by its second letter or the umlaut its second and third spell, or
  // when it holds the umlaut its first two letters spell.
  std::size_t findSpelled(const FoldedTerm& term, std::size_t from, std::size_t& end) const {
#if !defined(__SSE2__)
    for (std::size_t at = from; at < size_; ++at)
      if (spelledAt(term.text, at, end)) return at;
    return kNone;
#else
    if (from >= size_) return kNone;
    if (term.text.size() == 1) {
      // One letter is never an umlaut's spelling.
      const void* hit = std::memchr(text_.data() + from, term.text[0], size_ - from);
      if (hit == nullptr) return kNone;
      const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
      end = at + 1;
      return at;
    }
    const __m128i first = _mm_set1_epi8(term.first), second = _mm_set1_epi8(term.second);
    const __m128i firstUmlaut = _mm_set1_epi8(term.firstAsUmlaut), secondUmlaut = _mm_set1_epi8(term.secondAsUmlaut);
    for (std::size_t at = from; at < size_; at += 16) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_.data() + at));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_.data() + at + 1));
      const __m128i starts =
          _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(a, first),
                                     _mm_or_si128(_mm_cmpeq_epi8(b, second), _mm_cmpeq_epi8(b, secondUmlaut))),
                       _mm_cmpeq_epi8(a, firstUmlaut));
      auto mask = static_cast<unsigned>(_mm_movemask_epi8(starts));
      while (mask != 0) {
        const std::size_t hit = at + static_cast<std::size_t>(__builtin_ctz(mask));
        if (hit >= size_) return kNone;
        if (spelledAt(term.text, hit, end)) return hit;
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
};

}  // namespace

int searchRecipes(RecipeStore& store, const std::vector<std::string>& terms, std::string_view category, SearchKind kind,
                  std::vector<std::string>& names, Spelling spelling) {
  std::vector<FoldedTerm> foldedTerms;
  for (const auto& term : terms) foldedTerms.push_back(foldTerm(term, spelling));
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
