// The encoding of an exchange file told by its bytes: UTF-8 when they are valid UTF-8 or begin with its
// byte order mark, otherwise Windows-1252 or code page 850 by the German letters each would give.
#include <gtest/gtest.h>

#include <string>

#include "exchange/Encoding.h"

using namespace zestovar::exchange;

TEST(Encoding, TheBytesTellTheEncoding) {
  struct Case {
    std::string bytes;
    Encoding encoding;
  };
  const Case cases[] = {
      {"Nur ASCII", Encoding::Utf8},
      {"Gr\xc3\xbc\xc3\x9f Gott", Encoding::Utf8},
      // A byte order mark makes it UTF-8 even with a broken sequence after it.
      {"\xef\xbb\xbfK\xe4se", Encoding::Utf8},
      // An overlong form and a surrogate are no UTF-8.
      {"\xc0\xafK\xe4se", Encoding::Cp1252},
      {"\xed\xa0\x80", Encoding::Cp1252},
      {"K\xe4se und Br\xf6tchen", Encoding::Cp1252},
      // "Käse und Brötchen, Soße" in code page 850: ä ö ß.
      {"K\x84se und Br\x94tchen, So\xe1"
       "e",
       Encoding::Cp850},
      {"\x8e\x99\x9a\x81", Encoding::Cp850},
      // One letter each way: a tie goes to Windows-1252.
      {"\x84 \xe4", Encoding::Cp1252},
      // Bytes that are letters in neither count for nothing.
      {"\xb0 \xa7 \x84", Encoding::Cp850},
  };
  for (const Case& c : cases) EXPECT_EQ(detectEncoding(c.bytes), c.encoding) << c.bytes;
}

TEST(Encoding, ConversionToWindows1252) {
  EXPECT_EQ(toCp1252("K\x84se, Gr\x81\xe1"
                     "e \xf8 \xc9",
                     Encoding::Cp850),
            "K\xe4se, Gr\xfc\xdf"
            "e \xb0 ?");
  EXPECT_EQ(toCp1252("\xef\xbb\xbfK\xc3\xa4se \xe2\x82\xac \xe2\x98\x83", Encoding::Utf8), "K\xe4se \x80 ?");
  EXPECT_EQ(toCp1252("K\xe4se", Encoding::Cp1252), "K\xe4se");
  EXPECT_EQ(toUtf8("\x84\xff", Encoding::Cp850), "\xc3\xa4\xc2\xa0");
  EXPECT_EQ(toUtf8("a\xff"
                   "b",
                   Encoding::Utf8),
            "a\xef\xbf\xbd"
            "b");
}
