#include "exchange/ColumnText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "store/Cp1252.h"

namespace zestovar::exchange {

namespace {

enum class Dialect { MealMaster, MealMasterDashes, RezKonv };

// The lines of a text, without their line ends (LF, CR LF or a lone CR), in Windows-1252. A line
// converted from another encoding lives until the next one is read.
class Lines {
 public:
  explicit Lines(std::string_view text, Encoding encoding = Encoding::Cp1252) : text_(text), encoding_(encoding) {
    if (encoding_ == Encoding::Utf8 && text_.starts_with(store::kUtf8ByteOrderMark))
      text_.remove_prefix(store::kUtf8ByteOrderMark.size());
  }
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) {
      line = text_.substr(pos_);
      pos_ = text_.size();
    } else {
      line = text_.substr(pos_, end - pos_);
      pos_ = end + (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
    }
    // ASCII reads the same in all three encodings.
    const bool ascii =
        std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (encoding_ != Encoding::Cp1252 && !ascii) {
      converted_ = toCp1252(line, encoding_);
      line = converted_;
    }
    ++number_;
    return true;
  }
  std::size_t number() const { return number_; }

 private:
  std::string_view text_;
  Encoding encoding_;
  std::string converted_;
  std::size_t pos_ = 0;
  std::size_t number_ = 0;
};

bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
  if (needle.size() > haystack.size()) return false;
  for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i)
    if (store::equalsIgnoringCase(haystack.substr(i, needle.size()), needle)) return true;
  return false;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && store::equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool allOf(std::string_view text, char c) {
  return !text.empty() && text.find_first_not_of(c) == std::string_view::npos;
}

std::optional<Dialect> startLine(std::string_view line) {
  // "MMMMM----- Recipe via Meal-Master"; a sub-heading "MMMMM-----Teig-----" ends in dashes.
  if (line.starts_with("MMMMM") && !allOf(trimmed(line), 'M') &&
      (containsIgnoringCase(line, "Meal-Master") || !trimmed(line).ends_with('-')))
    return Dialect::MealMaster;
  if (line.starts_with("-----") && containsIgnoringCase(line, "Meal-Master")) return Dialect::MealMasterDashes;
  if (line.starts_with("=====") && containsIgnoringCase(line, "REZKONV")) return Dialect::RezKonv;
  return std::nullopt;
}

bool endLine(std::string_view line, Dialect dialect) {
  const std::string_view t = trimmed(line);
  switch (dialect) {
    case Dialect::MealMaster:
      return t == "MMMMM";
    case Dialect::MealMasterDashes:
      return t == "-----";
    case Dialect::RezKonv:
      return t.size() >= 5 && allOf(t, '=');
  }
  return false;
}

// The text between the runs of a fill character: "-----Teig-----" gives "Teig". None when the line
// does not begin with the prefix, does not end in the fill character or holds no text.
std::optional<std::string_view> between(std::string_view line, std::string_view prefix, char fill) {
  line = trimmed(line);
  if (!line.starts_with(prefix) || !line.ends_with(fill)) return std::nullopt;
  line.remove_prefix(prefix.size());
  const std::size_t first = line.find_first_not_of(fill);
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = line.find_last_not_of(fill);
  const std::string_view text = trimmed(line.substr(first, last - first + 1));
  if (text.empty()) return std::nullopt;
  return text;
}

// A sub-heading of the ingredients: "MMMMM-----Teig-----", "-----Teig-----", "=====Teig=====".
std::optional<std::string_view> heading(std::string_view line) {
  if (auto text = between(line, "MMMMM-----", '-')) return text;
  if (auto text = between(line, "-----", '-')) return text;
  return between(line, "=====", '=');
}

bool isQuelle(std::string_view line) {
  const auto text = between(line, "=====", '=');
  return text && store::equalsIgnoringCase(*text, "QUELLE");
}

bool amountChar(char c) {
  switch (static_cast<unsigned char>(c)) {
    case ' ':
    case '.':
    case ',':
    case '/':
    case '-':
    case 0xbc:
    case 0xbd:
    case 0xbe:  // 1/4 1/2 3/4
      return true;
    default:
      return c >= '0' && c <= '9';
  }
}

bool unitChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return c == ' ' || c == '.' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || byte >= 0xc0;
}

struct Cell {
  std::string_view amount, unit;
  std::string_view text;  // of a continuation: the text after its "-"
  bool continuation = false;
  std::string_view dashed;  // a continuation's text with its "-", as it stands in the line
  bool empty() const { return amount.empty() && unit.empty() && text.empty() && !continuation; }
};

char at(std::string_view s, std::size_t i) { return i < s.size() ? s[i] : ' '; }

// One ingredient in the columns of a Meal-Master line (the segment starts at the amount column).
std::optional<Cell> cell(std::string_view s) {
  for (std::size_t i = 0; i < 7; ++i)
    if (!amountChar(at(s, i))) return std::nullopt;
  if (at(s, 7) != ' ' || at(s, 10) != ' ') return std::nullopt;
  if (!unitChar(at(s, 8)) || !unitChar(at(s, 9))) return std::nullopt;
  Cell c;
  c.amount = trimmed(s.substr(0, std::min<std::size_t>(7, s.size())));
  if (s.size() > 8) c.unit = trimmed(s.substr(8, std::min<std::size_t>(2, s.size() - 8)));
  if (s.size() > 11) c.text = trimmed(s.substr(11));
  if (c.empty()) return std::nullopt;
  // An amount column of dashes only is a rule, not an amount.
  if (!c.amount.empty() && c.amount.find_first_of("0123456789\xbc\xbd\xbe") == std::string_view::npos)
    return std::nullopt;
  if (c.amount.empty() && c.unit.empty() && c.text.starts_with('-')) {
    c.continuation = true;
    c.dashed = c.text;
    c.text = trimmed(c.text.substr(1));
  }
  return c;
}

// The right column of a two-column line begins at column 41.
constexpr std::size_t kRightColumn = 40;
// The amount and the unit column: the text of an ingredient begins at column 12.
constexpr std::size_t kTextColumn = 11;

// The ingredient in the right column of a line, when the line holds two.
std::optional<Cell> rightColumn(std::string_view line) {
  if (line.size() <= kRightColumn + kTextColumn || at(line, kRightColumn - 1) != ' ') return std::nullopt;
  auto right = cell(line.substr(kRightColumn));
  if (right && right->text.empty() && !right->continuation) right.reset();
  return right;
}

// The ingredients of one block (between sub-headings and blank lines), in their two columns.
class IngredientBlock {
 public:
  void add(const Cell& c, bool right) { add(right ? right_ : left_, c); }
  void flushTo(std::vector<std::string>& out) {
    for (auto* column : {&left_, &right_}) {
      for (auto& line : *column) out.push_back(std::move(line));
      column->clear();
    }
  }

 private:
  static void add(std::vector<std::string>& column, const Cell& c) {
    if (c.continuation && !column.empty()) {
      if (!c.text.empty()) {
        column.back() += ' ';
        column.back() += c.text;
      }
      return;
    }
    if (c.continuation) {
      // Nothing above to continue: the line stands as it is.
      std::string line(c.dashed);
      if (line.empty()) line.append(1, '-').append(c.text);
      column.push_back(std::move(line));
      return;
    }
    std::string line;
    for (const std::string_view piece : {c.amount, c.unit, c.text}) {
      if (piece.empty()) continue;
      if (!line.empty()) line += ' ';
      line += piece;
    }
    column.push_back(std::move(line));
  }

  std::vector<std::string> left_, right_;
};

// "Erfasser: Anna" (also ":Erfasser: Anna"): the name.
std::optional<std::string_view> erfasser(std::string_view line) {
  line = trimmed(line);
  if (line.starts_with(':')) line = trimmed(line.substr(1));
  if (!startsWithIgnoringCase(line, "Erfasser")) return std::nullopt;
  line = trimmed(line.substr(8));
  if (!line.starts_with(':')) return std::nullopt;
  return trimmed(line.substr(1));
}

// The value of a header field "Name: value", the name compared without letter case.
std::optional<std::string_view> field(std::string_view line, std::initializer_list<std::string_view> names) {
  line = trimmed(line);
  for (const std::string_view name : names)
    if (startsWithIgnoringCase(line, name) && line.size() > name.size() && line[name.size()] == ':')
      return trimmed(line.substr(name.size() + 1));
  return std::nullopt;
}

// The names of the fields that readers of the format take from any line: the header fields of both
// dialects, the author line of German files and the source fields other programs read.
constexpr std::array<std::string_view, 10> kFieldNames = {"Title", "Titel", "Categories", "Kategorien", "Servings",
                                                          "Yield", "Menge", "Erfasser",   "Source",     "Recipe by"};

// Whether a text at the start of a line could be read as a line of the format by some reader: the
// start, end and sub-heading lines of both dialects (five of "M", "-" or "=" to begin with; some
// readers take the letter case and mixed runs loosely) and the named fields ("Title: ...", also
// ":Erfasser: ...").
bool formatLike(std::string_view s) {
  if (s.size() >= 5 && s.substr(0, 5).find_first_not_of("Mm-=") == std::string_view::npos) return true;
  if (s.starts_with(':')) s = trimmed(s.substr(1));
  for (const std::string_view name : kFieldNames)
    if (startsWithIgnoringCase(s, name) && trimmed(s.substr(name.size())).starts_with(':')) return true;
  return false;
}

std::string_view withoutEscapes(std::string_view text) {
  while (text.starts_with(kEscape)) text.remove_prefix(1);
  return text;
}

// The amount and unit columns of a line, eleven characters.
std::string columnsOf(std::string_view line) {
  std::string columns(line.substr(0, std::min(line.size(), kTextColumn)));
  columns.resize(kTextColumn, ' ');
  return columns;
}

// Drops the escape of an ingredient written by our export. Returns whether the text began with
// kEscape: such a line holds one ingredient, never two side by side.
bool unescape(Cell& c, std::string_view line) {
  if (!c.text.starts_with(kEscape)) return false;
  const std::string_view rest = c.text.substr(1);
  if (ingredientNeedsEscape(columnsOf(line), c.continuation, rest)) {
    c.text = rest;
    c.dashed = {};
  }
  return true;
}

void addCategories(ForeignRecipe& recipe, std::string_view list) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view word = trimmed(list.substr(0, comma));
    if (!word.empty()) recipe.categories.emplace_back(word);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
}

// The author and the rest of a RezKonv source block: the name after "Erfasst *RK* ... von", else the
// first source line. The source lines stay with the directions as their last paragraph.
void takeSource(ForeignRecipe& recipe, const std::vector<std::string>& lines, ParagraphBuilder& directions) {
  const auto plain = [](std::string_view line) {
    line = trimmed(line);
    while (line.starts_with('-')) line.remove_prefix(1);
    return trimmed(line);
  };
  std::string source;
  std::string_view firstSource, erfasst;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = plain(lines[i]);
    if (containsIgnoringCase(line, "Erfasst *RK*")) {
      // "-- Erfasst *RK* 01.02.2003 von" with the name on the next line, or on the same line.
      std::size_t von = std::string_view::npos;
      for (std::size_t p = 0; p + 4 <= line.size(); ++p)
        if (store::equalsIgnoringCase(line.substr(p, 4), " von")) von = p + 4;
      std::string_view name = von == std::string_view::npos ? std::string_view() : trimmed(line.substr(von));
      if (von != std::string_view::npos && name.empty() && i + 1 < lines.size()) name = plain(lines[++i]);
      if (erfasst.empty()) erfasst = name;
      continue;
    }
    if (line.empty()) continue;
    if (firstSource.empty()) firstSource = line;
    if (!source.empty()) source += ' ';
    source += line;
  }
  if (recipe.author.empty()) recipe.author = std::string(erfasst.empty() ? firstSource : erfasst);
  if (!source.empty()) {
    directions.endParagraph();
    directions.addLine("Quelle: " + source);
  }
}

class Parser {
 public:
  Parser(std::string_view bytes, Encoding encoding) : lines_(bytes, encoding) {}

  void run(const std::function<void(ForeignRecipe&&)>& take) {
    std::string_view line;
    while (lines_.next(line)) {
      if (const auto dialect = startLine(line)) {
        const bool own = trimmed(line) == kOwnStartLine;
        take(recipe(*dialect, own));
      }
    }
  }

 private:
  enum class Phase { Header, Ingredients, Directions, Source };

  [[noreturn]] void missingEnd(std::size_t startLine, const ForeignRecipe& recipe) const {
    std::string title = store::cp1252ToUtf8(recipe.title);
    throw ImportError("Zeile " + std::to_string(startLine) + ": das Rezept \"" + title + "\" hat keine Endzeile");
  }

  ForeignRecipe recipe(Dialect dialect, bool ownExport) {
    const std::size_t start = lines_.number();
    ForeignRecipe recipe;
    recipe.ownExport = ownExport;
    ParagraphBuilder directions;
    IngredientBlock block;
    std::vector<std::string> source;
    Phase phase = Phase::Header;
    bool anyField = false;
    std::string_view line;
    while (true) {
      if (!lines_.next(line)) missingEnd(start, recipe);
      if (endLine(line, dialect)) break;
      if (startLine(line)) missingEnd(start, recipe);
      if (phase == Phase::Header) {
        if (trimmed(line).empty()) {
          // The blank line after the fields ends the header.
          if (anyField) phase = Phase::Ingredients;
          continue;
        }
        if (const auto v = field(line, {"Title", "Titel"})) {
          recipe.title = *v;
        } else if (const auto v = field(line, {"Categories", "Kategorien"})) {
          addCategories(recipe, *v);
        } else if (const auto v = field(line, {"Servings", "Yield", "Menge"})) {
          recipe.servings = *v;
        } else {
          phase = Phase::Ingredients;
        }
        if (phase == Phase::Header) {
          anyField = true;
          continue;
        }
      }
      if (phase == Phase::Ingredients) {
        if (trimmed(line).empty()) {
          block.flushTo(recipe.ingredients);
          continue;
        }
        if (dialect == Dialect::RezKonv && isQuelle(line)) {
          phase = Phase::Source;
          block.flushTo(recipe.ingredients);
          continue;
        }
        if (const auto text = heading(line)) {
          block.flushTo(recipe.ingredients);
          std::string title(*text);
          if (!title.ends_with(':')) title += ':';
          recipe.ingredients.push_back(std::move(title));
          continue;
        }
        if (auto whole = cell(line); whole && unescape(*whole, line)) {
          block.add(*whole, false);
          continue;
        }
        const std::optional<Cell> right = rightColumn(line);
        if (const auto left = cell(right ? line.substr(0, kRightColumn) : line)) {
          block.add(*left, false);
          if (right) block.add(*right, true);
          continue;
        }
        block.flushTo(recipe.ingredients);
        phase = Phase::Directions;
      }
      if (phase == Phase::Directions) {
        if (dialect == Dialect::RezKonv && isQuelle(line)) {
          phase = Phase::Source;
          continue;
        }
        const std::string_view text = trimmed(line);
        if (text.starts_with(kEscape) && directionNeedsEscape(text.substr(1))) {
          if (text.size() == 1)
            directions.addEmptyParagraph();
          else
            directions.addLine(text.substr(1));
          continue;
        }
        if (const auto name = erfasser(line)) {
          if (recipe.author.empty()) recipe.author = *name;
          continue;
        }
        directions.addLine(line);
        continue;
      }
      source.emplace_back(line);
    }
    block.flushTo(recipe.ingredients);
    if (!source.empty()) takeSource(recipe, source, directions);
    recipe.paragraphs = directions.finish();
    return recipe;
  }

  Lines lines_;
};

}  // namespace

bool looksLikeColumnText(std::string_view text) {
  Lines lines(text);
  std::string_view line;
  while (lines.next(line))
    if (startLine(line)) return true;
  return false;
}

std::size_t countRecipeStarts(std::string_view text) {
  Lines lines(text);
  std::size_t count = 0;
  std::string_view line;
  while (lines.next(line))
    if (startLine(line)) ++count;
  return count;
}

bool startsAsOwnExport(std::string_view text) {
  Lines lines(text);
  std::string_view line;
  while (lines.next(line))
    if (startLine(line)) return trimmed(line) == kOwnStartLine;
  return false;
}

void parseColumnText(std::string_view bytes, Encoding encoding, const std::function<void(ForeignRecipe&&)>& take) {
  Parser(bytes, encoding).run(take);
}

std::vector<ForeignRecipe> parseColumnText(std::string_view cp1252Text) {
  std::vector<ForeignRecipe> recipes;
  parseColumnText(cp1252Text, Encoding::Cp1252, [&](ForeignRecipe&& recipe) { recipes.push_back(std::move(recipe)); });
  return recipes;
}

bool directionNeedsEscape(std::string_view line) {
  const std::string_view s = withoutEscapes(line);
  return s.empty() || formatLike(s) || cell(s).has_value();
}

bool ingredientNeedsEscape(std::string_view columns, bool continuation, std::string_view text) {
  const std::string_view s = withoutEscapes(text);
  std::string line(columns);
  line.resize(kTextColumn, ' ');
  if (continuation) line += '-';
  line += s;
  if (columns.find_first_not_of(' ') == std::string_view::npos) {
    // Read as the continuation of the line above, or as a line of the format.
    if (!continuation && s.starts_with('-')) return true;
    if (formatLike(std::string_view(line).substr(kTextColumn))) return true;
  }
  // Read as two ingredients side by side.
  return rightColumn(line).has_value();
}

}  // namespace zestovar::exchange
