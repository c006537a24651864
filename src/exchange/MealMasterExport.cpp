#include "exchange/MealMasterExport.h"

#include <string_view>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

namespace {

constexpr std::string_view kStart = "MMMMM----- Quenna's Zestovar [Meal-Master Export Format]";
// The ingredient text column holds 28 characters; a longer text goes on in continuation lines.
constexpr std::size_t kTextWidth = 28;
constexpr std::size_t kDirectionsWidth = 75;

void line(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

bool isAmount(std::string_view token) {
  return !token.empty() && token.size() <= 7 &&
         token.find_first_of("0123456789\xbc\xbd\xbe") != std::string_view::npos &&
         token.find_first_not_of("0123456789.,/-\xbc\xbd\xbe") == std::string_view::npos;
}

bool isUnit(std::string_view token) {
  if (token.empty() || token.size() > 2) return false;
  for (const char c : token)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  return true;
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

std::string columns(std::string_view amount, std::string_view unit, std::string_view text) {
  std::string out(7 - amount.size(), ' ');
  out += amount;
  out += ' ';
  out += unit;
  out.append(2 - unit.size(), ' ');
  out += ' ';
  out += text;
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

void ingredient(std::string& out, std::string_view text) {
  // "Für den Teig:" as a sub-heading.
  if (text.size() > 1 && text.back() == ':' && trimmed(text) == text && !text.starts_with('-') &&
      text[text.size() - 2] != '-' && text.find(' ') != 0 && !isAmount(text.substr(0, text.find(' ')))) {
    line(out, "MMMMM-----" + std::string(text.substr(0, text.size() - 1)) + "-----");
    return;
  }
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
  line(out, columns(amount, unit, pieces.front()));
  std::string continuation;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    continuation.assign(1, '-').append(pieces[i]);
    line(out, columns({}, {}, continuation));
  }
}

// The preparation's lines are its paragraphs; a CR left before the line end by an editor line break
// belongs to the break.
std::vector<std::string_view> paragraphs(std::string_view preparation) {
  std::vector<std::string_view> out;
  while (!preparation.empty()) {
    const std::size_t end = preparation.find('\n');
    std::string_view paragraph = preparation.substr(0, end);
    while (paragraph.ends_with('\r')) paragraph.remove_suffix(1);
    out.push_back(paragraph);
    if (end == std::string_view::npos) break;
    preparation.remove_prefix(end + 1);
  }
  return out;
}

}  // namespace

void appendMealMaster(std::string& out, const store::StoredRecipe& recipe) {
  line(out, kStart);
  line(out, "");
  line(out, "      Title: " + recipe.head.name);
  std::string categories = recipe.head.category;
  std::string_view subs = recipe.head.subcategories;
  while (!subs.empty()) {
    const std::size_t blank = subs.find(' ');
    const std::string_view sub = subs.substr(0, blank);
    if (!sub.empty()) categories += ", " + std::string(sub);
    if (blank == std::string_view::npos) break;
    subs.remove_prefix(blank + 1);
  }
  line(out, " Categories: " + categories);
  const std::string_view persons = trimmed(recipe.persons);
  if (!persons.empty()) {
    const bool number = persons.find_first_not_of("0123456789") == std::string_view::npos;
    line(out, (number ? "   Servings: " : "      Yield: ") + std::string(persons));
  }
  line(out, "");
  for (const std::string& text : recipe.ingredients) {
    if (trimmed(text).empty()) continue;
    ingredient(out, trimmed(text));
  }
  line(out, "");
  const std::string preparation = recipe.preparation();
  const auto texts = paragraphs(preparation);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) line(out, "");
    const std::string_view text = trimmed(texts[i]);
    if (text.empty()) continue;
    for (const std::string_view piece : wrap(text, kDirectionsWidth)) line(out, piece);
  }
  if (!trimmed(recipe.author).empty()) {
    line(out, "");
    line(out, "Erfasser: " + std::string(trimmed(recipe.author)));
  }
  line(out, "");
  line(out, "MMMMM");
  line(out, "");
}

}  // namespace zestovar::exchange
