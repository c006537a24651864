// The list page, the offer made of it, its filters and orders, and the check of a downloaded recipe.
#include <gtest/gtest.h>

#include "StoreFixtures.h"
#include "online/Download.h"
#include "online/ListPage.h"
#include "store/RecipeStore.h"

namespace zestovar::test {
namespace {

using online::ListRecord;

std::vector<std::string> names(const std::vector<ListRecord>& records) {
  std::vector<std::string> out;
  for (const auto& r : records) out.push_back(r.name);
  return out;
}

std::string page(const std::vector<ListRecord>& records) {
  std::string out;
  for (const auto& r : records)
    for (const std::string* line : {&r.name, &r.author, &r.date, &r.address, &r.categoryLine}) out += *line + "\r\n";
  return out;
}

ListRecord offered(std::string name, std::string author = "Quenna", std::string category = "Suppe Suppen") {
  return {std::move(name), std::move(author), "1.1.2005", "http://localhost/zestovar3/r.dat", std::move(category)};
}

TEST(ListPage, FiveLinesARecordAtEveryLineEndAndAnIncompleteLastGroupDropped) {
  const std::string body =
      "Gulasch\r\nQuenna\r\n12.03.2005\r\nhttp://a/1.dat\r\nHauptgericht Rind\r\n"
      "Soljanka\rIlka\n3.11.2004\r\nhttp://a/2.dat\nSuppe Suppen\n"
      "Borschtsch\r\nIvan\r\n";
  const auto records = online::parseListPage(body);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].categoryLine, "Hauptgericht Rind");
  EXPECT_EQ(records[1].name, "Soljanka");
  EXPECT_EQ(records[1].author, "Ilka");
  EXPECT_EQ(records[1].address, "http://a/2.dat");
  // A last line without its line break still counts.
  EXPECT_EQ(online::parseListPage(body.substr(0, body.size() - 15) + "X").size(), 2u);
  EXPECT_TRUE(online::parseListPage("").empty());
}

TEST(Offer, KnownRecipesLeaveTheOffer) {
  MemoryDir dir;
  EntryRecords ilka = named("Soljanka");
  ilka.author = "Ilka";
  dir.write("Zestovar.dat", buildEntry(named("Gulasch", "Hauptgericht")) + buildEntry(ilka));
  dir.write("zsv.dat", buildEntry(named("\xc4pfelsuppe")));
  store::RecipeStore store(dir.path(), dir.files());
  const auto known = online::knownPairs(store, {{"Borschtsch", "Ivan"}, {"Linsensuppe", ""}});
  EXPECT_EQ(known, (std::vector<online::KnownPair>{{"Gulasch", "Quenna"},
                                                   {"Soljanka", "Ilka"},
                                                   {"\xc4pfelsuppe", "Quenna"},
                                                   {"Borschtsch", "Ivan"},
                                                   {"Linsensuppe", ""}}));

  std::vector<ListRecord> offer = online::parseListPage(page({
      offered("Kartoffelsuppe"),      // stays where it stands
      offered("GULASCH"),             // other letter case, same author: known
      offered("Soljanka"),            // same name, other author: offered
      offered("Soljanka", "Ilka"),    // only the first record of a name is looked at: stays
      offered("\xe4pfelsuppe"),       // umlauts fold too
      offered("Borschtsch", "Ivan"),  // deleted earlier: not offered again
      offered("Linsensuppe", "Olga"),
      offered("Erbsensuppe"),
  }));
  online::removeKnown(offer, known);
  EXPECT_EQ(names(offer),
            (std::vector<std::string>{"Kartoffelsuppe", "Soljanka", "Soljanka", "Linsensuppe", "Erbsensuppe"}));
  EXPECT_EQ(offer[1].author, "Quenna");
}

TEST(Offer, CategoryAndSubcategoryFilters) {
  const std::vector<ListRecord> offer = {
      offered("A", "Q", "Suppe Suppen"),      offered("B", "Q", "Suppe Eingekochtes"),
      offered("C", "Q", "Hauptgericht Rind"), offered("D", "Q", "Getr\xe4nke unalk_Cocktails"),
      offered("E", "Q", "Suppenhuhn"),  // begins with "Suppe"
  };
  using I = std::vector<std::size_t>;
  EXPECT_EQ(online::filterOffer(offer, "Alle", nullptr), (I{0, 1, 2, 3, 4}));
  EXPECT_EQ(online::filterOffer(offer, "Suppe", nullptr), (I{0, 1, 4}));
  const std::vector<std::string> suppen = {"suppen"}, none = {}, cocktails = {"Cocktails"};
  // The category line is searched from the filter name's last letter on: "Suppenhuhn" holds "e..."
  // but not "Suppen" after its "e".
  EXPECT_EQ(online::filterOffer(offer, "Suppe", &suppen), (I{0}));
  EXPECT_EQ(online::filterOffer(offer, "Suppe", &none), (I{}));
  EXPECT_EQ(online::filterOffer(offer, "Getr\xe4nke", &cocktails), (I{3}));
}

TEST(Offer, DatesCompareByYearMonthDayAndTextsWithoutAsciiCase) {
  using online::compareDates;
  EXPECT_LT(compareDates("3.11.2004", "12.2.2005"), 0);
  EXPECT_LT(compareDates("1.1.2005", "2.1.2005"), 0);
  EXPECT_GT(compareDates("1.2.2005", "28.1.2005"), 0);
  EXPECT_EQ(compareDates("01.02.2005", "1.2.2005"), 0);
  // Without dots the scan stops at the last character; parts that are no number count as 0.
  EXPECT_EQ(compareDates("2005", "200..0"), 0);  // day "200"
  EXPECT_EQ(compareDates("x.y.z", "0.0.0"), 0);
  EXPECT_LT(compareDates("", "1.1.1"), 0);
  EXPECT_LT(compareDates("31.12.gestern", "1.1.0001"), 0);

  using online::compareTexts;
  EXPECT_EQ(compareTexts("gulasch", "GULASCH"), 0);
  EXPECT_LT(compareTexts("Apfel", "birne"), 0);
  EXPECT_LT(compareTexts("Zimt", "\xc4pfel"), 0);  // character codes beyond ASCII
  EXPECT_LT(compareTexts("Brot", "Brotzeit"), 0);
}

TEST(Download, WholeEntriesAreTakenAnythingElseIsRefused) {
  EntryRecords old = named("Alte Suppe");
  old.originPair = false;
  EntryRecords unreadable = named("Ohne Bild");
  unreadable.pictureKind = EntryRecords::Picture::Unreadable;
  EntryRecords picture = named("Mit Bild");
  picture.pictureKind = EntryRecords::Picture::Bytes;
  picture.picture = pictureBytes(500);
  const std::string entries = buildEntry(old) + buildEntry(unreadable) + buildEntry(picture);
  // The body is written with a CR LF after it: an incomplete last record, dropped.
  EXPECT_EQ(online::checkedDownload(entries + "\r\n"), entries);
  EXPECT_EQ(online::checkedDownload(entries), entries);

  // What `check` would report on "zsv.dat" afterwards is refused too: an unknown category, a length
  // byte above 50 (the walks would read 50 characters of it), an origin marker where the count leaves
  // no room for it.
  const std::string whole = buildEntry(named("Gulasch"));
  std::string tooLong = whole;
  tooLong[2 * kRecord] = static_cast<char>(51);
  EntryRecords markerTooEarly = named("Kaputt");
  markerTooEarly.ingredients.clear();
  markerTooEarly.n1Text = "2";
  struct Bad {
    std::string body, message;
  };
  for (const Bad& bad : {Bad{"", "es enthält keinen Datensatz"}, Bad{"\r\n", "es enthält keinen Datensatz"},
                         Bad{std::string("<html><body>404 Not Found</body></html>\r\n") + std::string(200, ' '),
                             "Datensatz 0: Kategorie: Längenbyte 60 ist größer als 50"},
                         Bad{whole.substr(0, whole.size() - kRecord), "Datensatz 13: Bildrest fehlt"},
                         Bad{whole + whole.substr(0, 4 * kRecord), "Datensatz 18: Zutatenzahl 5 zeigt"},
                         Bad{buildEntry(named("Gulasch", "Suppen")), "Datensatz 0: unbekannte Kategorie 'Suppen'"},
                         Bad{tooLong, "Datensatz 2: Name: Längenbyte 51 ist größer als 50"},
                         Bad{whole + buildEntry(markerTooEarly), "Datensatz 19: Herkunftsmarke bei Zutatenzahl 2"}}) {
    SCOPED_TRACE(bad.message);
    try {
      online::checkedDownload(bad.body);
      ADD_FAILURE() << "taken";
    } catch (const online::DownloadError& e) {
      EXPECT_NE(std::string(e.what()).find(bad.message), std::string::npos) << e.what();
    }
  }
}

TEST(Download, EntriesGoAfterTheLastCompleteEntryOfTheUpdateFile) {
  MemoryDir dir;
  const std::string before = buildEntry(named("Erbsensuppe"));
  const std::string torn = buildEntry(named("Kaputt")).substr(0, 5 * kRecord);
  dir.write("zsv.dat", before + torn);
  store::RecipeStore store(dir.path(), dir.files());
  const std::string downloaded = buildEntry(named("Soljanka"));
  store.appendToUpdateFile(online::checkedDownload(downloaded + "\r\n"));
  EXPECT_TRUE(sameRecords(dir.read("zsv.dat"), before + downloaded));
  EXPECT_EQ(store.findByName("Soljanka").size(), 1u);
}

}  // namespace
}  // namespace zestovar::test
