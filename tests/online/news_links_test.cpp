// The web addresses of the news page: found step by step, marked where they stand, opened on a click.
#include <gtest/gtest.h>

#include "online/NewsLinks.h"

namespace zestovar::test {
namespace {

using online::Link;
using online::LinkScan;

std::vector<Link> scanAll(LinkScan& scan, int* steps = nullptr) {
  std::vector<Link> all;
  int n = 0;
  while (!scan.done()) {
    for (Link& link : scan.step()) all.push_back(link);
    ++n;
  }
  if (steps) *steps = n;
  return all;
}

TEST(NewsLinks, AddressesAreFoundElevenCharactersAStep) {
  LinkScan scan;
  scan.start("Neues heut www.abcdef.de/x und mehr");  // 11 characters, an address of 15, a blank
  int steps = 0;
  const auto links = scanAll(scan, &steps);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].position, 12);
  EXPECT_EQ(links[0].length, 15);
  EXPECT_EQ(links[0].text, "www.abcdef.de/x");
  EXPECT_EQ(steps, 2);  // positions 1-11, then the address at 12 and ten positions after it

  scan.start("Siehe HTTP://Rezepte.Invalid/Neu heute, \"www.a.de\" oder (http://b.de) und www.c.de");
  const auto more = scanAll(scan);
  ASSERT_EQ(more.size(), 3u);
  EXPECT_EQ(more[0].text, "HTTP://Rezepte.Invalid/Neu");  // capitals kept; the blank ends it
  EXPECT_EQ(more[1].text, "www.a.de");                    // the closing quote ends it
  EXPECT_EQ(more[2].text, "http://b.de");
  // The last one runs to the end of the text: it is no address.
  EXPECT_EQ(scan.links().size(), 3u);
}

TEST(NewsLinks, AnyLineBreakEndsAnAddressAndCountsAsOneCharacter) {
  const std::string text = online::newsText("Kontakt: www.z.de\r\nRezepte: http://r.de/neu\rNeu\nEnde");
  EXPECT_EQ(text, "Kontakt: www.z.de\nRezepte: http://r.de/neu\nNeu\nEnde");
  LinkScan scan;
  scan.start(text);
  const auto links = scanAll(scan);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].text, "www.z.de");
  EXPECT_EQ(links[1].position, 28);
  EXPECT_EQ(links[1].text, "http://r.de/neu");
}

TEST(NewsLinks, ClickOnOrBesideAnAddressOpensItAndANewTextForgetsTheOldOnes) {
  LinkScan scan;
  scan.start("Neues heut www.abcdef.de/x und mehr");
  scanAll(scan);
  using V = std::vector<std::string>;
  EXPECT_EQ(scan.addressesAt(11), V{"www.abcdef.de/x"});  // before (on) its first character
  EXPECT_EQ(scan.addressesAt(20), V{"www.abcdef.de/x"});
  EXPECT_EQ(scan.addressesAt(26), V{"www.abcdef.de/x"});  // directly after it
  EXPECT_EQ(scan.addressesAt(10), V{});
  EXPECT_EQ(scan.addressesAt(28), V{});  // two characters after its end
  EXPECT_EQ(online::openableAddress("www.abcdef.de/x"), "http://www.abcdef.de/x");
  EXPECT_EQ(online::openableAddress("WWW.a.de"), "http://WWW.a.de");
  EXPECT_EQ(online::openableAddress("http://b.de"), "http://b.de");

  scan.start("nichts");
  EXPECT_TRUE(scan.links().empty());
  EXPECT_EQ(scan.addressesAt(11), V{});
  scanAll(scan);
  EXPECT_TRUE(scan.links().empty());
  scan.start("");
  EXPECT_TRUE(scan.done());
}

}  // namespace
}  // namespace zestovar::test
