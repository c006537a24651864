// The one codec between the windows' text and the recipe files, and the conversion of count records.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "store/Cp1252.h"
#include "store/Errors.h"

namespace zestovar::test {
namespace {

// Bytes 0x80 to 0x9F of Windows-1252 as the characters they stand for; the five bytes the code page
// leaves unassigned stand for the C1 control of the same value.
const char* const kHighHalf[32] = {"€", "\u0081", "‚",      "ƒ", "„",      "…",      "†", "‡",      "ˆ", "‰", "Š",
                                   "‹", "Œ",      "\u008d", "Ž", "\u008f", "\u0090", "‘", "’",      "“", "”", "•",
                                   "–", "—",      "˜",      "™", "š",      "›",      "œ", "\u009d", "ž", "Ÿ"};

TEST(Cp1252, EveryByteOfTheHighHalfConvertsBothWays) {
  for (int byte = 0x80; byte <= 0x9F; ++byte) {
    SCOPED_TRACE(byte);
    const std::string cp1252(1, static_cast<char>(byte));
    EXPECT_EQ(store::cp1252ToUtf8(cp1252), kHighHalf[byte - 0x80]);
    EXPECT_EQ(store::utf8ToCp1252(kHighHalf[byte - 0x80]), cp1252);
  }
  EXPECT_EQ(store::utf8ToCp1252("Grüße, Äpfel à la crème ÿ"),
            "Gr\xfc\xdf"
            "e, \xc4pfel \xe0 la cr\xe8me \xff");
  EXPECT_EQ(store::cp1252ToUtf8("\xa0\xe4\xff"), "\u00a0äÿ");
}

TEST(Cp1252, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  struct Row {
    const char* utf8;
    const char* cp1252;
  };
  for (const Row& row : {Row{"Ā", "?"}, Row{"\u0080", "?"}, Row{"\u009f", "?"}, Row{"₭", "?"}, Row{"😀", "?"},
                         Row{"Kaffee ☕ mit Zucker", "Kaffee ? mit Zucker"}, Row{"a\x80z", "a?z"}, Row{"\xc3", "?"},
                         Row{"\xe2\x82", "?"}, Row{"\xff\xfe", "??"}}) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(store::utf8ToCp1252(row.utf8), row.cp1252);
  }
}

TEST(CountRecords, AreReadAsAStandardDecimalConversionReadsThem) {
  const std::pair<const char*, int> numbers[] = {{"0", 0},
                                                 {"-1", -1},
                                                 {"+5", 5},
                                                 {"007", 7},
                                                 {"   12", 12},
                                                 {" -3", -3},
                                                 {"0000000000000000000042", 42},
                                                 {"2147483647", INT_MAX},
                                                 {"-2147483648", INT_MIN}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(store::toInteger(text), value) << text;
  for (const char* text : {"12 ", "1 2", "- 1", "", "-", "--1", "1a", "0x1F", "1.5", "\t5", "\xb2", "2147483648",
                           "-2147483649", "99999999999999999999"}) {
    SCOPED_TRACE(std::string("\"") + text + "\"");
    try {
      store::toInteger(text);
      ADD_FAILURE() << "read as a number";
    } catch (const store::StoreError& e) {
      EXPECT_EQ(e.what(), "'" + store::cp1252ToUtf8(text) + "' ist kein g\xc3\xbcltiger Integerwert");
    }
  }
}

}  // namespace
}  // namespace zestovar::test
