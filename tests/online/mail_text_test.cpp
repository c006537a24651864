// The publication mail read back by Python's MIME parser, the recipe mail line by line and within the
// rules of mail, and the address list typed by the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "StoreFixtures.h"
#include "online/MailText.h"

namespace zestovar::test {
namespace {

// What the Python script prints for the mail in "mail.eml" (and further arguments).
std::string parsedByPython(TempDir& dir, const std::string& script, const std::string& more = "") {
  dir.write("parse.py", script);
  const std::string command = "python3 " + (dir / "parse.py").string() + " " + (dir / "mail.eml").string() + more +
                              " > " + (dir / "parsed").string();
  EXPECT_EQ(std::system(command.c_str()), 0);
  return dir.read("parsed");
}

TEST(PublicationMail, AMimeParserFindsTheSubjectTheTwoLinesAndTheAttachmentByteForByte) {
  TempDir dir;
  EntryRecords picture = named("Gulasch", "Hauptgericht");
  picture.pictureKind = EntryRecords::Picture::Bytes;
  picture.picture = pictureBytes(4000);
  const std::string attachment = buildEntry(picture) + buildEntry(named("Soljanka"));
  dir.write("mail.eml", online::publicationMail("rezepte@zestovar.invalid", "redaktion@zestovar.invalid", "3.0",
                                                attachment, online::mailDate(0)));
  const std::string script =
      "import email, sys\n"
      "m = email.message_from_binary_file(open(sys.argv[1], 'rb'))\n"
      "print(m['Subject']); print(m['From']); print(m['To']); print(m['Date']); print(m.get_content_type())\n"
      "print(m.preamble.strip())\n"
      "text, data = m.get_payload()\n"
      "print(text.get_content_type(), text['Content-Transfer-Encoding']); print(text.get_payload().strip())\n"
      "print(data.get_content_type(), data.get_filename(), data.get_content_disposition())\n"
      "open(sys.argv[2], 'wb').write(data.get_payload(decode=True))\n";
  const std::string size = std::to_string(attachment.size());
  EXPECT_EQ(parsedByPython(dir, script, " " + (dir / "attachment").string()),
            "Zestovar.dat, Filesize: " + size +
                "\nrezepte@zestovar.invalid\nredaktion@zestovar.invalid\n"
                "Thu, 01 Jan 1970 00:00:00 +0000\nmultipart/mixed\n"
                "This is a multi-part message in MIME format\n"
                "text/plain 7bit\nVersion: 3.0\nFilesize: " +
                size + "\napplication/octet-stream UploadRez.dat attachment\n");
  EXPECT_TRUE(sameRecords(dir.read("attachment"), attachment));
}

TEST(RecipeMail, RecipeTextAndBodyLineByLine) {
  MemoryDir dir;
  EntryRecords old = named("Gulasch", "Hauptgericht");
  old.originPair = false;
  old.ingredients = {"1 kg Rind", "3 Zwiebeln"};
  old.pieces = {"Anbraten, dann", " schmoren.\r\nW", "\xfcrzen."};  // one text over three records
  old.persons = "4";
  dir.write("Zestovar.dat", buildEntry(named("Linsensuppe")) + buildEntry(old));
  EntryRecords newer = old;
  newer.author = "Ilka";
  dir.write("zsv.dat", buildEntry(newer));
  store::RecipeStore store(dir.path(), dir.files());

  const auto lines = online::recipeText(store, "Gulasch", "http://rezepte.invalid:8080");
  EXPECT_EQ(lines, (std::vector<std::string>{"Gulasch", "Von Ilka aus Quenna's Zestovar (http://rezepte.invalid:8080",
                                             "", "Zutaten:", "", "Zutaten f\xfcr 4 Personen", "1 kg Rind", "3 Zwiebeln",
                                             "", "Rezept:", "Anbraten, dann schmoren.\r\nW\xfcrzen."}));
  EXPECT_TRUE(online::recipeText(store, "Borschtsch", "http://x").empty());

  const std::string mail = online::recipeMail("rezepte@zestovar.invalid", {{"", "a@b.de"}, {"", "c@d.de"}},
                                              "K\xf6\x63hin", {}, "http://rezepte.invalid:8080",
                                              "http://www.zestovar.invalid", "Thu, 01 Jan 1970 00:00:00 +0000");
  EXPECT_EQ(mail,
            "From: rezepte@zestovar.invalid\r\nTo: a@b.de, c@d.de\r\n"
            "Subject: =?ISO-8859-1?B?U2llIGhhYmVuIGVpbiBSZXplcHQgdm9uIEv2Y2hpbiBlcmhhbHRlbi4=?=\r\n"
            "Date: Thu, 01 Jan 1970 00:00:00 +0000\r\nMIME-Version: 1.0\r\n"
            "Content-Type: text/plain; charset=ISO-8859-1\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
            "Sie haben ein Rezept von K\xf6\x63hin erhalten.\r\n"
            "\xdc"
            "ber 1200 weitere Rezepte gibt es unter rezepte.invalid.\r\n\r\n\r\n\r\n\r\n"
            "W\xfcnsche gutes Gelingen,\r\nhttp://www.zestovar.invalid");
  EXPECT_NE(online::recipeMail("s@x", {{"", "a@b"}}, "", lines, "http://x", "m", "d")
                .find("Sie haben ein Rezept von  erhalten.\r\n\xdc"
                      "ber 1200 weitere Rezepte gibt es unter x.\r\n\r\n\r\n"
                      "Gulasch\r\n"),
            std::string::npos);
}

TEST(RecipeMail, ALongParagraphAndWindows1252TextGoWithinTheRulesOfMail) {
  std::string paragraph;
  while (paragraph.size() < 2000) paragraph += "Die Zwiebeln w\xfcrfeln und glasig d\xfcnsten, ";
  const std::vector<std::string> recipe = {"Gulasch", "", "Rezept:", paragraph + "\x80 5 je St\xfc\x63k."};
  const std::string mail = online::recipeMail("rezepte@zestovar.invalid", {{"", "a@b.de"}},
                                              std::string("Ilka \x84\0", 7), recipe, "http://x", "http://m", "d");
  EXPECT_NE(mail.find("\r\nSubject: =?windows-1252?B?"), std::string::npos);
  EXPECT_NE(mail.find("\r\nContent-Type: text/plain; charset=windows-1252\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(mail.find('\0'), std::string::npos);
  const std::string body = mail.substr(mail.find("\r\n\r\n") + 4);
  EXPECT_TRUE(body.starts_with("Sie haben ein Rezept von Ilka \x84 erhalten.\r\n")) << body.substr(0, 60);
  std::size_t longest = 0;
  for (std::size_t start = 0, end; start < body.size(); start = end + 2) {
    end = std::min(body.find("\r\n", start), body.size());
    longest = std::max(longest, end - start);
  }
  EXPECT_LE(longest, online::kMaxMailLineBytes);
  EXPECT_GT(longest, 900u);
}

TEST(RecipeMail, RecipientsAreAnAddressListInHeaderSyntax) {
  using V = std::vector<online::MailAddress>;
  EXPECT_EQ(online::recipients("freundin@beispiel.de"), (V{{"", "freundin@beispiel.de"}}));
  EXPECT_EQ(online::recipients(" a.b+c@x-y.de ,d@e.org,"), (V{{"", "a.b+c@x-y.de"}, {"", "d@e.org"}}));
  EXPECT_EQ(online::recipients("Anna Koch <anna@example.org>, \"Koch, Anna\" <anna@example.org>"),
            (V{{"Anna Koch", "anna@example.org"}, {"Koch, Anna", "anna@example.org"}}));
  EXPECT_EQ(online::recipients("J\xfcrgen \t M. \"\\\"der\\\" Koch\"<j@x.de>,, <ilka@x.de> ,\t"),
            (V{{"J\xfcrgen M. \"der\" Koch", "j@x.de"}, {"", "ilka@x.de"}}));
  const char* const kBad[] = {"",
                              " , ",
                              "eMail",
                              "a@",
                              "@b",
                              "a@b@c",
                              "a b@c.de",
                              "a@b_c.de",
                              "a@b.de\tx",
                              "<a@b.de",
                              "Anna <a@b.de> x",
                              "Anna <a@b.de>>",
                              "Anna <<a@b.de>",
                              "Anna <a@b.de>, eMail",
                              "Freunde: a@b.de, c@d.de;",
                              "Anna (K\xfc\x63he) <a@b.de>",
                              "\"a b\"@c.de",
                              "a@[127.0.0.1]",
                              "j\xfcrgen@x.de",
                              "\"Koch, Anna <a@b.de>",
                              "Anna@Koch <a@b.de>",
                              "a@b.de>\r\nRCPT TO:<c@d.de",
                              "Anna\r\n <a@b.de>",
                              "\"Anna\x01\" <a@b.de>",
                              "\"Anna\\\x7f\" <a@b.de>",
                              "a@b.de\n"};
  for (const char* bad : kBad) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(online::recipients(bad), online::AddressError);
  }
  EXPECT_THROW(online::recipients(std::string("a@b.de\0", 7)), online::AddressError);
  EXPECT_THROW(online::recipients(std::string(64, 'a') + "@" + std::string(190, 'b') + ".de"), online::AddressError);
  EXPECT_NO_THROW(online::recipients(std::string(64, 'a') + "@" + std::string(186, 'b') + ".de"));
  try {
    online::recipients("anna@example.org, Gruppe: c@d.de;");
    ADD_FAILURE() << "no error";
  } catch (const online::AddressError& e) {
    EXPECT_STREQ(e.what(), "Keine gültige eMail-Adresse: 'Gruppe: c@d.de;'");
  }
}

TEST(RecipeMail, AMimeReaderFindsTheRecipientsAndTheSubjectAsTyped) {
  TempDir dir;
  const auto list = online::recipients(
      "Anna Koch <anna@example.org>, \"Koch, Anna\" <koch@example.org>, J\xfcrgen M\xfcller <j@x.de>, "
      "\"Ren\xe9 \x84R\x93\" <r@x.de>, ilka@x.de");
  dir.write("mail.eml",
            online::recipeMail("rezepte@zestovar.invalid", list, "Z\xfcrich " + std::string(80, 'z') + " \x80", {},
                               "http://x", "http://m", online::mailDate(0)));
  const std::string parsed =
      parsedByPython(dir,
                     "import email, email.policy, sys\n"
                     "m = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=email.policy.default)\n"
                     "for a in m['To'].addresses: print(a.display_name, '|', a.addr_spec)\n"
                     "print(m['Subject'])\n"
                     "print(m.get_content_charset(), m['Content-Transfer-Encoding'])\n"
                     "print(m.get_content().splitlines()[0])\n");
  const std::string subject = "Sie haben ein Rezept von Zürich " + std::string(80, 'z') + " \xE2\x82\xAC erhalten.";
  EXPECT_EQ(parsed,
            "Anna Koch | anna@example.org\nKoch, Anna | koch@example.org\nJürgen Müller | j@x.de\n"
            "Ren\xC3\xA9 \xE2\x80\x9ER\xE2\x80\x9C | r@x.de\n | ilka@x.de\n" +
                subject + "\nwindows-1252 8bit\n" + subject + "\n");
}

}  // namespace
}  // namespace zestovar::test
