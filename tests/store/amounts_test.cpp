// Amounts at the start of ingredient lines, and the lines for another number of persons.
#include <gtest/gtest.h>

#include "store/Amounts.h"

namespace zestovar::test {
namespace {

struct Scaled {
  const char* line;  // Windows-1252
  double factor;
  const char* expected;
};

TEST(Amounts, LeadingAmountsAreScaledAndTheRestOfTheLineKept) {
  const Scaled rows[] = {
      {"3 Eier", 0.5, "1,5 Eier"},
      {"1,5 l Milch", 1.5, "2,25 l Milch"},
      {"1.5 l Milch", 3, "4,5 l Milch"},
      {"1.2500 kg Mehl", 2, "2,5 kg Mehl"},
      {"1.000 g Mehl", 0.5, "500 g Mehl"},
      {"1.000,5 g", 2, "2001 g"},
      {"1/2 TL Salz", 1.5, "0,75 TL Salz"},
      {"1 1/2 Tassen", 0.5, "0,75 Tassen"},
      {"\xbd Zitrone", 3, "1,5 Zitrone"},
      {"1\xbd Zwiebeln", 2, "3 Zwiebeln"},
      {"1 \xbe l Wasser", 4, "7 l Wasser"},
      {"2-3 Knoblauchzehen", 1.5, "3-4,5 Knoblauchzehen"},
      {"2\2263 Knoblauchzehen", 2, "4\2266 Knoblauchzehen"},  // "\226" is the en dash
      {"2 - 3 Eier", 2, "4 - 6 Eier"},
      {"\xbd-1 TL Zucker", 2, "1-2 TL Zucker"},
      {"200g Butter", 0.75, "150g Butter"},
      {"5\xb5g Safran", 2, "10\xb5g Safran"},
      {" \t2 Eier", 2, " \t4 Eier"},
      {"1 Prise Salz, 2 Eier", 2, "2 Prise Salz, 2 Eier"},
      {"1.5 l Milch", 1, "1.5 l Milch"},
      {"2 3/0 Tassen", 2, "2 3/0 Tassen"},
  };
  for (const Scaled& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(store::scaledLine(row.line, row.factor), row.expected);
  }
}

TEST(Amounts, LinesWithoutAReadableAmountStayAsTheyAre) {
  const char* const lines[] = {
      "Salz und Pfeffer", "etwas Butter", "",        "   ",   "1/0 Tasse",  "1234567890 g Mehl", "1.234.567.890 g",
      "1/1234567890",     "-2 Eier",      ",5 l",    ".5 l",  "1. Schritt", "3,5% Fett",         "2-x",
      "2-3-4 Eier",       "1\xbd\xbd",    "1,5\xbd", "1/2/3", "(2 Eier)",   "2) Eier",
  };
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(store::leadingAmount(line));
    EXPECT_EQ(store::scaledLine(line, 2), line);
  }
}

TEST(Amounts, AreWrittenWithADecimalCommaAndAtMostTwoDecimals) {
  const std::pair<double, const char*> rows[] = {
      {0, "0"},        {4.50001, "4,5"}, {1.0 / 3, "0,33"}, {0.125, "0,13"},  {2.675, "2,68"},
      {1.005, "1,01"}, {0.004, "0"},     {-0.125, "-0,13"}, {1e6, "1000000"}, {49999999950, "49999999950"},
  };
  for (const auto& [value, text] : rows) EXPECT_EQ(store::formatAmount(value), text) << value;
}

}  // namespace
}  // namespace zestovar::test
