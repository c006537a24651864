// The publication mail read back by Python's MIME parser, the recipe mail line by line, and the address
// list typed by the user.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "StoreFixtures.h"
#include "online/MailText.h"

namespace zestovar::test {
namespace {

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
  dir.write("parse.py", script);
  const std::string command = "python3 " + (dir / "parse.py").string() + " " + (dir / "mail.eml").string() + " " +
                              (dir / "attachment").string() + " > " + (dir / "parsed").string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string size = std::to_string(attachment.size());
  EXPECT_EQ(dir.read("parsed"), "Zestovar.dat, Filesize: " + size +
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

  const std::string mail = online::recipeMail("rezepte@zestovar.invalid", {"a@b.de", "c@d.de"},
                                              "K\xf6"
                                              "chin",
                                              {}, "http://rezepte.invalid:8080", "http://www.zestovar.invalid",
                                              "Thu, 01 Jan 1970 00:00:00 +0000");
  EXPECT_EQ(mail,
            "From: rezepte@zestovar.invalid\r\nTo: a@b.de, c@d.de\r\n"
            "Subject: =?ISO-8859-1?B?U2llIGhhYmVuIGVpbiBSZXplcHQgdm9uIEv2Y2hpbiBlcmhhbHRlbi4=?=\r\n"
            "Date: Thu, 01 Jan 1970 00:00:00 +0000\r\nMIME-Version: 1.0\r\n"
            "Content-Type: text/plain; charset=ISO-8859-1\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
            "Sie haben ein Rezept von K\xf6"
            "chin erhalten.\r\n"
            "\xdc"
            "ber 1200 weitere Rezepte gibt es unter rezepte.invalid.\r\n\r\n\r\n\r\n\r\n"
            "W\xfcnsche gutes Gelingen,\r\nhttp://www.zestovar.invalid");
  EXPECT_NE(online::recipeMail("s@x", {"a@b"}, "", lines, "http://x", "m", "d")
                .find("Sie haben ein Rezept von  erhalten.\r\n\xdc"
                      "ber 1200 weitere Rezepte gibt es unter x.\r\n\r\n\r\n"
                      "Gulasch\r\n"),
            std::string::npos);
}

TEST(RecipeMail, OnlyPlainAddressesSeparatedByCommas) {
  using V = std::vector<std::string>;
  EXPECT_EQ(online::recipients("freundin@beispiel.de"), V{"freundin@beispiel.de"});
  EXPECT_EQ(online::recipients(" a.b+c@x-y.de ,d@e.org"), (V{"a.b+c@x-y.de", "d@e.org"}));
  for (const char* bad : {"", "eMail", "a@", "@b", "a@b@c", "a b@c.de", "<a@b.de>", "a@b.de>\r\nRCPT TO:<c@d.de",
                          "a@b.de,", "a@b.de\tx", "Quenna <q@b.de>", "a@b_c.de"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(online::recipients(bad), online::AddressError);
  }
}

}  // namespace
}  // namespace zestovar::test
