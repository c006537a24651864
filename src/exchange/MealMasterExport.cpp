#include "exchange/MealMasterExport.h"

#include <string_view>
#include <vector>

#include "exchange/ColumnText.h"
#include "exchange/ForeignRecipe.h"
#include "store/Cp1252.h"
#include "store/Words.h"

namespace zestovar::exchange {

namespace {

// The ingredient text column holds 28 characters; a longer text goes on in continuation lines.
constexpr std::size_t kTextWidth = 28;
constexpr std::size_t kDirectionsWidth = 75;

void line(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

// A text as one line of the file: a control character (a line break a record should not hold, a NUL
// that would make the file no text file) becomes a blank.
std::string plain(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return out;
}

// An amount begins with a digit or a fraction: a full column of "-" or "." would begin the line like
// a line of the format.
bool isAmount(std::string_view token) {
  return !token.empty() && token.size() <= 7 && token.find_first_of("0123456789\xbc\xbd\xbe") == 0 &&
         token.find_first_not_of("0123456789.,/-\xbc\xbd\xbe") == std::string_view::npos;
}

bool isUnit(std::string_view token) {
  if (token.empty() || token.size() > 2) return false;
  for (const char c : token)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  return true;
}

bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
  for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i)
    if (store::equalsIgnoringCase(haystack.substr(i, needle.size()), needle)) return true;
  return false;
}

// Splits text at single blanks into pieces of at most width characters where it can; reading the
// pieces back joins them with one blank, which gives the text again.
std::vector<std::string_view> wrap(std::string_view text, std::size_t width) {
  std::vector<std::string_view> pieces;
  while (text.size() > width) {
    std::size_t cut = std::string_view::npos;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
      if (text[i] != ' ' || text[i - 1] == ' ' || text[i + 1] == ' ') continue;
      if (i <= width || cut == std::string_view::npos) cut = i;
      if (i > width) break;
    }
    if (cut == std::string_view::npos) break;
    pieces.push_back(text.substr(0, cut));
    text.remove_prefix(cut + 1);
  }
  pieces.push_back(text);
  return pieces;
}

// The amount and unit columns: eleven characters, the amount set to the right.
std::string columns(std::string_view amount, std::string_view unit) {
  std::string out(7 - amount.size(), ' ');
  out += amount;
  out += ' ';
  out += unit;
  out.append(2 - unit.size(), ' ');
  out += ' ';
  return out;
}

void cellLine(std::string& out, const std::string& columns, bool continuation, std::string_view text) {
  std::string l = columns;
  if (continuation) l += '-';
  if (ingredientNeedsEscape(columns, continuation, text)) l += kEscape;
  l += text;
  while (!l.empty() && l.back() == ' ') l.pop_back();
  line(out, l);
}

// "Für den Teig:" as a sub-heading line, where reading it back gives the same text.
bool heading(std::string& out, std::string_view text) {
  if (text.size() < 2 || !text.ends_with(':')) return false;
  const std::string_view title = text.substr(0, text.size() - 1);
  const char first = title.front(), last = title.back();
  if (first == ' ' || first == '-' || last == ' ' || last == '-' || last == ':') return false;
  // A title word that begins a recipe to some reader.
  if (containsIgnoringCase(title, "Meal-Master") || containsIgnoringCase(title, "recipe")) return false;
  if (isAmount(title.substr(0, title.find(' ')))) return false;
  line(out, "MMMMM-----" + std::string(title) + "-----");
  return true;
}

void ingredient(std::string& out, std::string_view text) {
  if (heading(out, text)) return;
  std::string_view amount, unit, rest = text;
  // Amount and unit go into their columns only where reading them back joins them to the same text:
  // separated by single blanks, the amount of at most two parts ("1 1/2") in seven characters.
  const auto token = [](std::string_view from) {
    const std::size_t blank = from.find(' ');
    const bool alone = blank != std::string_view::npos && blank + 1 < from.size() && from[blank + 1] != ' ';
    return alone ? from.substr(0, blank) : std::string_view();
  };
  if (const std::string_view first = token(rest); isAmount(first)) {
    std::size_t length = first.size();
    if (const std::string_view second = token(rest.substr(length + 1));
        isAmount(second) && length + 1 + second.size() <= 7)
      length += 1 + second.size();
    amount = rest.substr(0, length);
    rest.remove_prefix(length + 1);
    if (const std::string_view u = token(rest); isUnit(u)) {
      unit = u;
      rest.remove_prefix(u.size() + 1);
    }
  }
  const auto pieces = wrap(rest, kTextWidth);
  cellLine(out, columns(amount, unit), false, pieces.front());
  const std::string blank = columns({}, {});
  for (std::size_t i = 1; i < pieces.size(); ++i) cellLine(out, blank, true, pieces[i]);
}

// The preparation's lines are its paragraphs (a line break at the end is followed by an empty one, as
// the import joins them); a CR left before the line end by an editor line break belongs to the break.
std::vector<std::string> paragraphs(std::string_view preparation) {
  std::vector<std::string> out;
  if (preparation.empty()) return out;
  while (true) {
    const std::size_t end = preparation.find('\n');
    std::string_view paragraph = preparation.substr(0, end);
    while (paragraph.ends_with('\r')) paragraph.remove_suffix(1);
    out.emplace_back(trimmed(plain(paragraph)));
    if (end == std::string_view::npos) break;
    preparation.remove_prefix(end + 1);
  }
  return out;
}

}  // namespace

void appendMealMaster(std::string& out, const store::StoredRecipe& recipe) {
  line(out, kOwnStartLine);
  line(out, "");
  line(out, "      Title: " + std::string(trimmed(plain(recipe.head.name))));
  std::string categories = plain(recipe.head.category);
  for (const std::string_view sub : store::words(recipe.head.subcategories)) categories += ", " + plain(sub);
  line(out, " Categories: " + categories);
  const std::string persons(trimmed(plain(recipe.persons)));
  if (!persons.empty()) {
    const bool number = persons.find_first_not_of("0123456789") == std::string_view::npos;
    line(out, (number ? "   Servings: " : "      Yield: ") + persons);
  }
  line(out, "");
  for (const std::string& text : recipe.ingredients) {
    const std::string lineText(trimmed(plain(text)));
    if (!lineText.empty()) ingredient(out, lineText);
  }
  line(out, "");
  const std::vector<std::string> texts = paragraphs(recipe.preparation());
  // Empty paragraphs between others are the blank lines that separate them; before the first and
  // after the last one a blank line would count for nothing, so they are written as escaped lines.
  std::size_t first = 0, last = texts.size();
  while (first < last && texts[first].empty()) ++first;
  while (last > first && texts[last - 1].empty()) --last;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) line(out, "");
    const std::string& text = texts[i];
    if (text.empty()) {
      if (i < first || i >= last) line(out, std::string(1, kEscape));
      continue;
    }
    for (const std::string_view piece : wrap(text, kDirectionsWidth))
      line(out, directionNeedsEscape(piece) ? kEscape + std::string(piece) : std::string(piece));
  }
  const std::string author(trimmed(plain(recipe.author)));
  if (!author.empty()) {
    line(out, "");
    line(out, "Erfasser: " + author);
  }
  line(out, "");
  line(out, "MMMMM");
  line(out, "");
}

}  // namespace zestovar::exchange
