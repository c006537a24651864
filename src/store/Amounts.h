// Amounts at the start of an ingredient line, as cooks write them: "2", "1,5", "1.5", "1.000" (a point
// followed by exactly three digits groups thousands), "1/2", "1 1/2", "½", "1½", ranges "2-3" and
// "2–3", a unit glued to the number ("200g"). Texts are Windows-1252.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zestovar::store {

struct LeadingAmount {
  std::size_t begin = 0;       // the first byte of the amount (blanks before it are skipped)
  std::size_t end = 0;         // the byte after the amount: a glued unit or the rest of the line starts here
  double low = 0;              // the amount, or the lower end of a range
  std::optional<double> high;  // the upper end of a range
};

// The amount the line starts with, if it starts with one. A number must be followed by the end of the
// line, a blank or a letter; a fraction with a zero denominator, and numbers of more than nine digits
// before the decimal separator, are no amount.
std::optional<LeadingAmount> leadingAmount(std::string_view line);

// An amount as a German reader writes it: whole numbers plain, otherwise with a decimal comma and at
// most two decimals without trailing zeros ("0,75", "2,25", "4,5").
std::string formatAmount(double value);

// The line with its leading amount (both ends of a range) multiplied by factor and written by
// formatAmount; the dash of a range, the unit and the rest of the line are kept byte for byte. A line
// without a leading amount, or a factor of exactly 1, gives the line as it stands.
std::string scaledLine(std::string_view line, double factor);

}  // namespace zestovar::store
