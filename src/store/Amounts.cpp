#include "store/Amounts.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "store/Words.h"

namespace zestovar::store {
namespace {

constexpr std::size_t kMostDigits = 9;
constexpr char kEnDash = '\x96';  // "–" in Windows-1252

struct Reading {
  LeadingAmount amount;
  std::size_t lowEnd = 0;  // the dash of a range and the blanks around it lie between lowEnd and highBegin
  std::size_t highBegin = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The glyphs Windows-1252 holds for fractions: ¼ ½ ¾.
std::optional<double> glyphValue(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 0xBC:
      return 0.25;
    case 0xBD:
      return 0.5;
    case 0xBE:
      return 0.75;
    default:
      return std::nullopt;
  }
}

// Letters of Windows-1252, so that a glued unit such as "µg" or "Stück" ends a number as "g" does.
bool isLetter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) return true;
  switch (byte) {
    case 0x83:  // ƒ
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
    case 0x9A:  // š
    case 0x9C:  // œ
    case 0x9E:  // ž
    case 0x9F:  // Ÿ
    case 0xAA:  // ª
    case 0xB5:  // µ
    case 0xBA:  // º
      return true;
    default:
      return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
  }
}

bool endsAmount(std::string_view line, std::size_t at) {
  return at == line.size() || isBlank(line[at]) || isLetter(line[at]);
}

std::size_t digitsFrom(std::string_view line, std::size_t at) {
  std::size_t end = at;
  while (end < line.size() && isDigit(line[end])) ++end;
  return end - at;
}

double valueOf(std::string_view digits) {
  double value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

struct Part {
  double value = 0;
  std::size_t end = 0;
};

// "1/2" at `at`; nothing when it is no fraction or an unusable one (zero or overlong denominator).
std::optional<Part> fractionAt(std::string_view line, std::size_t at) {
  const std::size_t numerator = digitsFrom(line, at);
  if (numerator == 0 || numerator > kMostDigits || at + numerator >= line.size() || line[at + numerator] != '/')
    return std::nullopt;
  const std::size_t slash = at + numerator;
  const std::size_t denominator = digitsFrom(line, slash + 1);
  if (denominator == 0 || denominator > kMostDigits) return std::nullopt;
  const double below = valueOf(line.substr(slash + 1, denominator));
  if (below == 0) return std::nullopt;
  return Part{valueOf(line.substr(at, numerator)) / below, slash + 1 + denominator};
}

// One amount at `at` without its range partner: a glyph, a fraction, a whole number with a glyph or a
// fraction after it, or a number with thousands groups and decimals. The caller checks what follows it.
std::optional<Part> amountAt(std::string_view line, std::size_t at) {
  if (at >= line.size()) return std::nullopt;
  if (const auto glyph = glyphValue(line[at])) return Part{*glyph, at + 1};
  const std::size_t leading = digitsFrom(line, at);
  if (leading == 0) return std::nullopt;
  if (at + leading < line.size() && line[at + leading] == '/') return fractionAt(line, at);

  std::string number(line.substr(at, leading));
  std::size_t end = at + leading;
  bool grouped = false;
  while (end < line.size() && line[end] == '.' && digitsFrom(line, end + 1) == 3) {
    number.append(line.substr(end + 1, 3));
    end += 4;
    grouped = true;
  }
  if (number.size() > kMostDigits) return std::nullopt;
  const bool comma = end + 1 < line.size() && line[end] == ',' && isDigit(line[end + 1]);
  const bool point = !grouped && end + 1 < line.size() && line[end] == '.' && isDigit(line[end + 1]);
  if (comma || point) {
    const std::size_t decimals = digitsFrom(line, end + 1);
    number.append(".").append(line.substr(end + 1, decimals));
    return Part{valueOf(number), end + 1 + decimals};
  }

  const double whole = valueOf(number);
  if (grouped || end == line.size()) return Part{whole, end};
  if (const auto glyph = glyphValue(line[end])) return Part{whole + *glyph, end + 1};
  if (line[end] != ' ' || end + 1 == line.size()) return Part{whole, end};
  // "1 1/2" and "1 ½": a whole number, one blank, a fraction. A broken fraction there ("2 1/0") makes the
  // whole start unreadable rather than scaling the 2 beside it.
  if (const auto glyph = glyphValue(line[end + 1])) return Part{whole + *glyph, end + 2};
  const std::size_t next = digitsFrom(line, end + 1);
  if (next == 0 || end + 1 + next == line.size() || line[end + 1 + next] != '/') return Part{whole, end};
  const auto fraction = fractionAt(line, end + 1);
  if (!fraction) return std::nullopt;
  return Part{whole + fraction->value, fraction->end};
}

std::optional<Reading> read(std::string_view line) {
  std::size_t begin = 0;
  while (begin < line.size() && isBlank(line[begin])) ++begin;
  const auto low = amountAt(line, begin);
  if (!low) return std::nullopt;

  std::size_t dash = low->end;
  while (dash < line.size() && isBlank(line[dash])) ++dash;
  if (dash < line.size() && (line[dash] == '-' || line[dash] == kEnDash)) {
    std::size_t highBegin = dash + 1;
    while (highBegin < line.size() && isBlank(line[highBegin])) ++highBegin;
    const auto high = amountAt(line, highBegin);
    if (high && endsAmount(line, high->end))
      return Reading{{begin, high->end, low->value, high->value}, low->end, highBegin};
  }
  if (!endsAmount(line, low->end)) return std::nullopt;
  return Reading{{begin, low->end, low->value, std::nullopt}, low->end, low->end};
}

}  // namespace

std::optional<LeadingAmount> leadingAmount(std::string_view line) {
  const auto reading = read(line);
  if (!reading) return std::nullopt;
  return reading->amount;
}

std::string formatAmount(double value) {
  if (!std::isfinite(value)) return "0";
  const double hundredths = value * 100;
  char text[64];
  if (std::fabs(hundredths) >= 1e15) {
    std::snprintf(text, sizeof text, "%.0f", std::round(value));
    return text;
  }
  // A product such as 2.675 lands a hair below the half it stands for; the nudge of a few units in the
  // last place lets the half round away from zero as the reader expects.
  const auto rounded = static_cast<long long>(
      std::round(hundredths + std::copysign(std::fabs(hundredths) * 8 * DBL_EPSILON, hundredths)));
  if (rounded == 0) return "0";
  const long long magnitude = rounded < 0 ? -rounded : rounded;
  const long long whole = magnitude / 100;
  const long long cents = magnitude % 100;
  const char* sign = rounded < 0 ? "-" : "";
  if (cents == 0)
    std::snprintf(text, sizeof text, "%s%lld", sign, whole);
  else if (cents % 10 == 0)
    std::snprintf(text, sizeof text, "%s%lld,%lld", sign, whole, cents / 10);
  else
    std::snprintf(text, sizeof text, "%s%lld,%02lld", sign, whole, cents);
  return text;
}

std::string scaledLine(std::string_view line, double factor) {
  const auto reading = factor == 1 ? std::nullopt : read(line);
  if (!reading) return std::string(line);
  const LeadingAmount& amount = reading->amount;
  std::string out(line.substr(0, amount.begin));
  out += formatAmount(amount.low * factor);
  if (amount.high) {
    out += line.substr(reading->lowEnd, reading->highBegin - reading->lowEnd);
    out += formatAmount(*amount.high * factor);
  }
  out += line.substr(amount.end);
  return out;
}

}  // namespace zestovar::store
