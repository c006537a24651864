// base64, the lines of a message on the wire, and encoded headers.
#include <gtest/gtest.h>

#include "online/Mime.h"

namespace zestovar::test {
namespace {

TEST(Mime, Base64AsRfc4648SpellsIt) {
  const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                         {"f", "Zg=="},
                                                         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},
                                                         {"foob", "Zm9vYg=="},
                                                         {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
  for (const auto& [plain, encoded] : vectors) EXPECT_EQ(online::base64(plain), encoded) << plain;
  EXPECT_EQ(online::base64("K\xf6"
                           "ch:geheim"),
            "S/ZjaDpnZWhlaW0=");
  std::string bytes;
  for (int i = 0; i < 100; ++i) bytes += static_cast<char>(i);
  const std::string lines = online::base64Lines(bytes);
  EXPECT_EQ(lines.substr(0, 78), online::base64(bytes).substr(0, 76) + "\r\n");
  EXPECT_EQ(lines.size(), 136u + 2 * 2);  // 136 characters in two lines
}

TEST(Mime, EveryLineEndIsCrLfAndLeadingDotsAreDoubled) {
  using online::dataLines;
  EXPECT_EQ(dataLines("a\r\nb\nc\rd\r\r\ne"), "a\r\nb\r\nc\r\nd\r\ne\r\n");
  EXPECT_EQ(dataLines(".\r\n..\r\nx.y\r\n.Ende"), "..\r\n...\r\nx.y\r\n..Ende\r\n");
  EXPECT_EQ(dataLines("Zeile\r\n"), "Zeile\r\n");
  EXPECT_EQ(dataLines("a\r\r\r\nb"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(dataLines(""), "");
}

TEST(Mime, HeaderTextOutsideAsciiIsAnEncodedWord) {
  EXPECT_EQ(online::headerText("Sie haben ein Rezept von Quenna erhalten."),
            "Sie haben ein Rezept von Quenna erhalten.");
  EXPECT_EQ(online::headerText("Gr\xfc\xdf"
                               "e"),
            "=?ISO-8859-1?B?R3L832U=?=");
  EXPECT_EQ(online::headerText("a\tb"), "=?ISO-8859-1?B?YQli?=");
}

}  // namespace
}  // namespace zestovar::test
