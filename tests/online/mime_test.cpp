// base64, the lines of a message on the wire, a body and headers within the rules of mail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  EXPECT_EQ(online::base64("K\xf6\x63h:geheim"), "S/ZjaDpnZWhlaW0=");
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

// Every line of the text, line ends being any CR or LF.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\r' || c == '\n')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

TEST(Mime, BodyLinesOver998BytesBreakAfterTheirLastBlankAndLinesThatFitKeepTheirBytes) {
  using online::mailBodyText;
  const std::string fits(998, 'a');
  EXPECT_EQ(mailBodyText(fits), fits);
  EXPECT_EQ(mailBodyText(fits + "\r\r\n" + fits + "\r" + fits + "\n"), fits + "\r\r\n" + fits + "\r" + fits + "\n");
  // Blanks at 500 and 997 (tab) and 998: the break follows the one at 997, the last that leaves 998 bytes.
  const std::string text = std::string(500, 'b') + " " + std::string(496, 'c') + "\t " + std::string(300, 'd');
  EXPECT_EQ(mailBodyText(text), text.substr(0, 998) + "\r\n" + text.substr(998));
  // No blank: cut at 998, and again in what is left.
  const std::string word(2500, 'x');
  EXPECT_EQ(mailBodyText(word),
            std::string(998, 'x') + "\r\n" + std::string(998, 'x') + "\r\n" + std::string(504, 'x'));
  EXPECT_EQ(mailBodyText(std::string("a\0b\r\n\0", 6)), "ab\r\n");

  // A paragraph of 6,000 bytes of words of every length, among short lines and Windows-1252 text.
  std::string paragraph;
  for (int i = 0; paragraph.size() < 6000; ++i) paragraph += std::string(1 + (i * 37) % 90, 'a' + i % 26) + ' ';
  const std::string body = "Zutaten:\r\n1 kg Rind\r\n\r\nRezept:\r\nR\xfchren. " + paragraph + "\x80\r\r\nEnde.";
  const std::string sent = mailBodyText(body);
  // Taking out the inserted line ends gives the text back; each follows a blank.
  std::size_t i = 0, j = 0, inserted = 0;
  while (i < sent.size()) {
    if (j < body.size() && sent[i] == body[j]) {
      ++i, ++j;
      continue;
    }
    ASSERT_EQ(sent.compare(i, 2, "\r\n"), 0) << i;
    EXPECT_EQ(sent[i - 1], ' ');
    i += 2;
    ++inserted;
  }
  EXPECT_EQ(j, body.size());
  EXPECT_GE(inserted, 6u);
  for (const std::string& line : linesOf(sent)) EXPECT_LE(line.size(), online::kMaxMailLineBytes);
}

TEST(Mime, TheBytesNameCharsetAndTransferEncoding) {
  EXPECT_EQ(online::charsetOf("Gulasch"), "ISO-8859-1");
  EXPECT_EQ(online::charsetOf("K\xf6\x63hin \xa0\xff"), "ISO-8859-1");
  EXPECT_EQ(online::charsetOf("5 \x80 das St\xfc\x63k"), "windows-1252");
  EXPECT_EQ(online::charsetOf("\x9f"), "windows-1252");
  EXPECT_EQ(online::transferEncodingOf("Gulasch\r\n~\x7f"), "7bit");
  EXPECT_EQ(online::transferEncodingOf("Gulasch\xa0"), "8bit");
  EXPECT_EQ(online::transferEncodingOf("\x80"), "8bit");
}

TEST(Mime, HeaderTextOutsideAsciiOrTooLongForItsLineIsEncodedWords) {
  using online::headerLine;
  EXPECT_EQ(headerLine("Subject", "Sie haben ein Rezept von Quenna erhalten."),
            "Subject: Sie haben ein Rezept von Quenna erhalten.");
  EXPECT_EQ(headerLine("Subject", "Gr\xfc\xdf\x65"), "Subject: =?ISO-8859-1?B?R3L832U=?=");
  EXPECT_EQ(headerLine("Subject", "a\tb"), "Subject: =?ISO-8859-1?B?YQli?=");
  EXPECT_EQ(headerLine("Subject", std::string("5 \x80\0", 4)), "Subject: =?windows-1252?B?NSCA?=");
  const std::string plain(989, 'p');
  EXPECT_EQ(headerLine("Subject", plain), "Subject: " + plain);

  // Longer texts: words of at most 75 characters, one a line, that a MIME reader joins again.
  for (const std::string& text : {plain + "q", std::string(200, '\xe4') + "\x84"}) {
    const std::string line = headerLine("Subject", text);
    const auto lines = linesOf(line);
    for (std::size_t i = 1; i < lines.size(); i += 2) EXPECT_EQ(lines[i], "");  // CR LF ends each
    for (std::size_t i = 2; i < lines.size(); i += 2) EXPECT_EQ(lines[i][0], ' ');
    for (std::size_t i = 0; i < lines.size(); i += 2) {
      const std::string word = lines[i].substr(lines[i].find("=?"));
      EXPECT_LE(word.size(), 75u) << word;
      EXPECT_TRUE(word.ends_with("?=")) << word;
    }
  }
}

TEST(Mime, AddressHeadersWriteDisplayNamesByTheirCharactersAndFoldBetweenMailboxes) {
  using online::addressHeader;
  using online::MailAddress;
  EXPECT_EQ(addressHeader("To", {{"", "a@b.de"}, {"Anna Koch", "anna@example.org"}}),
            "To: a@b.de, Anna Koch <anna@example.org>");
  EXPECT_EQ(addressHeader("To", {{"Koch, Anna", "anna@example.org"}, {"Ilka \"die\" K.\\", "i@x.de"}}),
            "To: \"Koch, Anna\" <anna@example.org>, \"Ilka \\\"die\\\" K.\\\\\" <i@x.de>");
  EXPECT_EQ(addressHeader("To", {{"J\xfcrgen M\xfcller", "j@x.de"}}),
            "To: =?ISO-8859-1?B?SvxyZ2VuIE38bGxlcg==?= <j@x.de>");
  EXPECT_EQ(addressHeader("To", {{"=?x?Q?y?=", "j@x.de"}}), "To: \"=?x?Q?y?=\" <j@x.de>");
  std::vector<MailAddress> many;
  for (int i = 0; i < 12; ++i) many.push_back({"", "freundin" + std::to_string(i) + "@beispiel.de"});
  const auto lines = linesOf(addressHeader("To", many));
  EXPECT_GT(lines.size(), 6u);
  for (const std::string& line : lines) EXPECT_LE(line.size(), 78u);
}
}  // namespace
}  // namespace zestovar::test
