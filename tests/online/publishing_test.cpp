// Which own recipes the publish tab lists, and the records it sends.
#include <gtest/gtest.h>

#include "StoreFixtures.h"
#include "online/Publishing.h"

namespace zestovar::test {
namespace {

TEST(Publishing, OwnRecipesNotOnTheSiteWithTheirAuthorAreListedAndSentWhole) {
  MemoryDir dir;
  EntryRecords ilka = named("Soljanka");
  ilka.author = "Ilka";
  EntryRecords picture = named("Gulasch", "Hauptgericht");
  picture.pictureKind = EntryRecords::Picture::Bytes;
  picture.picture = pictureBytes(300);
  const std::string gulasch = buildEntry(picture), soljanka = buildEntry(ilka),
                    gulaschAgain = buildEntry(named("Gulasch"));
  dir.write("Zestovar.dat",
            gulasch + buildEntry(named("Linsensuppe")) + soljanka + buildEntry(named("erbsensuppe")) + gulaschAgain);
  dir.write("zsv.dat", buildEntry(named("Borschtsch")));  // downloaded: never one's own
  store::RecipeStore store(dir.path(), dir.files());
  const auto page = [](std::string name, std::string author) {
    return online::ListRecord{std::move(name), std::move(author), "1.1.2005", "http://x/1.dat", "Suppe Suppen"};
  };
  const std::vector<online::ListRecord> site = {
      page("Linsensuppe", "Quenna"),  // on the site with its author: not listed
      page("Soljanka", "Ilka"),       // the first record of the name...
      page("Soljanka", "Olga"),       // ...but the last one counts: listed
      page("Erbsensuppe", "Quenna"),  // other letter case: listed
  };
  EXPECT_EQ(online::publishable(store, site),
            (std::vector<online::KnownPair>{
                {"Gulasch", "Quenna"}, {"Soljanka", "Ilka"}, {"erbsensuppe", "Quenna"}, {"Gulasch", "Quenna"}}));
  EXPECT_TRUE(sameRecords(online::uploadRecords(store, {"Soljanka", "Gulasch"}), gulasch + soljanka + gulaschAgain));
  EXPECT_EQ(online::uploadRecords(store, {"Borschtsch"}), "");
}

}  // namespace
}  // namespace zestovar::test
