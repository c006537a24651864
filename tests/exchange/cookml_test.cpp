// CookML files read into foreign recipes: both forms of the head, the pictures, the encodings, broken
// and hostile files, recipes handed over one by one.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Samples.h"
#include "StoreFixtures.h"
#include "editing/JpegDecoder.h"
#include "exchange/CookMl.h"
#include "exchange/Import.h"
#include "online/Mime.h"
#include "store/RecipeStore.h"

namespace zestovar::test {
namespace {

using exchange::ForeignRecipe;
using exchange::ImportError;
using exchange::looksLikeCookMl;
using exchange::parseCookMl;

void expectRecipe(const ForeignRecipe& actual, const ForeignRecipe& expected) {
  SCOPED_TRACE(expected.title);
  EXPECT_EQ(actual.title, expected.title);
  EXPECT_EQ(actual.categories, expected.categories);
  EXPECT_EQ(actual.servings, expected.servings);
  EXPECT_EQ(actual.author, expected.author);
  EXPECT_EQ(actual.ingredients, expected.ingredients);
  EXPECT_EQ(actual.paragraphs, expected.paragraphs);
  EXPECT_EQ(actual.picture.empty(), expected.picture.empty());
}

// The message of the ImportError the bytes give; "kein Fehler" when they are read.
std::string refusal(std::string_view bytes) {
  return errorText<ImportError>([&] { parseCookMl(bytes); });
}

std::string oneRecipe(std::string_view declaration, std::string_view title) {
  return std::string(declaration) + "\n<!DOCTYPE cookml PUBLIC \"-\" \"cookml.dtd\">\n<cookml version=\"1.1.2\">\n" +
         "<recipe lang=\"de\"><head title=\"" + std::string(title) + "\" servingqty=\"4\"/></recipe></cookml>\n";
}

std::string withPicture(std::string_view picture) {
  return "<cookml><recipe><head title=\"Bild\"><picbin format=\"JPG\">" + online::base64Lines(picture) +
         "</picbin></head></recipe></cookml>";
}

// The picture with a JPEG comment right after its start marker, so that text lands at the byte given.
std::string withComment(std::string_view picture, std::size_t at, std::string_view text) {
  const std::string data = std::string(at - 6, 'x') + std::string(text);
  const std::size_t length = data.size() + 2;
  return std::string(picture.substr(0, 2)) + "\xff\xfe" + static_cast<char>(length >> 8) +
         static_cast<char>(length & 0xff) + data + std::string(picture.substr(2));
}

const std::string& applePicture() {
  static const std::string picture = parseCookMl(sample("kuchen.cml")).at(0).picture;
  return picture;
}

TEST(CookMl, AttributeFormGivesEveryFieldOfEveryRecipe) {
  const std::vector<ForeignRecipe> recipes = parseCookMl(sample("kuchen.cml"));
  ASSERT_EQ(recipes.size(), 3u);
  expectRecipe(recipes[0],
               {.title = "Apfelkuchen vom Blech",
                .categories = {"Kuchen", "Backen mit Obst"},
                .servings = "1 Blech",
                .author = "Ilse Marwede",
                .ingredients = {"F\xfcr den Teig:", "500 g Mehl, gesiebt", "1 Pk. Backpulver", "200 ml Milch, lauwarm",
                                "Belag:", "1,5 kg s\xe4uerliche \xc4pfel, gesch\xe4lt, in Spalten", "? TL Zimt",
                                "Puderzucker, zum Best\xe4uben"},
                .paragraphs = {"Mehl und Backpulver mischen, mit der Milch zu einem glatten Teig kneten.",
                               "Den Teig auf dem Blech ausrollen.", "\xc4pfel darauf verteilen und mit Zimt bestreuen.",
                               "Bei 180 \xb0"
                               "C etwa 40 Minuten backen. Abgek\xfchlt mit Puderzucker best\xe4uben."},
                .picture = "JPEG"});
  const editing::DecodedPicture decoded = editing::decodeJpeg(recipes[0].picture);
  EXPECT_EQ(decoded.width, 24);
  EXPECT_EQ(decoded.height, 16);
  // The second recipe's picture ends early, so it comes without.
  expectRecipe(recipes[1],
               {.title = "K\xe4sekuchen \x84Gro\xdfmutter\x93",
                .categories = {"Kuchen"},
                .servings = "St\xfc"
                            "cke",
                .author = "Backbuch der Gro\xdfmutter, S. 12",
                .ingredients = {"750 g Quark (Magerstufe)", "nach Geschmack", "3 EL Zucker"},
                .paragraphs = {"Alles verr\xfchren, in die Form f\xfcllen und 60 Minuten backen \x96 5 \x80 "
                               "f\xfcr die Zutaten."},
                .picture = ""});
  expectRecipe(recipes[2], {.title = "",
                            .categories = {},
                            .servings = "12",
                            .author = "",
                            .ingredients = {},
                            .paragraphs = {"Nur der Teig.", "Und ein zweiter Absatz."},
                            .picture = ""});
}

TEST(CookMl, ElementFormOfOlderFilesIsStillRead) {
  const std::vector<ForeignRecipe> recipes = parseCookMl(sample("kuchen-elemente.cml"));
  const std::vector<ForeignRecipe> attributeForm = parseCookMl(sample("kuchen.cml"));
  ASSERT_EQ(recipes.size(), 3u);
  // The same cake as in the attribute form, with three blank lines in its preparation and a picture
  // that is no whole JPEG.
  ForeignRecipe cake = attributeForm.at(0);
  cake.paragraphs.insert(cake.paragraphs.begin() + 2, "");
  cake.picture.clear();
  expectRecipe(recipes[0], cake);
  EXPECT_EQ(recipes[1].author, "Backbuch der Gro\xdfmutter, S. 12");
  expectRecipe(recipes[2], attributeForm.at(2));

  // The attributes of the head win over its elements; an element fills what they leave empty.
  const auto both = parseCookMl(
      "<cookml><recipe><head title=\"Attribut\" servingtype=\"St\xc3\xbc"
      "ck\"><title>Element</title><servingqty>6</servingqty><servingtype>Blech</servingtype></head></recipe></cookml>");
  EXPECT_EQ(both.at(0).title, "Attribut");
  EXPECT_EQ(both.at(0).servings,
            "6 St\xfc"
            "ck");
  EXPECT_TRUE(parseCookMl("<cookml version=\"1.1.2\"><!-- leer --></cookml>").empty());
  EXPECT_TRUE(parseCookMl("<cookml><menu><recipe><head title=\"X\"/></recipe></menu></cookml>").empty());
}

TEST(CookMl, EncodingIsToldByTheBytesNotByTheDeclaration) {
  // Windows-1252 bytes, "€" among them, declared as ISO-8859-1.
  const std::vector<ForeignRecipe> soups = parseCookMl(sample("suppen-latin1.cml"));
  ASSERT_EQ(soups.size(), 2u);
  expectRecipe(soups[0], {.title = "K\xfcrbissuppe",
                          .categories = {"Suppen", "Herbst"},
                          .servings = "4 Portionen",
                          .author = "J\xf6rg \xdc"
                                    "belh\xf6r",
                          .ingredients = {"Suppe:", "1 kg Hokkaidok\xfcrbis, gew\xfcrfelt", "1 l Gem\xfcsebr\xfche",
                                          "2 EL \xd6l", "Zum Servieren:", "4 EL K\xfcrbiskern\xf6l"},
                          .paragraphs = {"K\xfcrbis in \xd6l anschwitzen, mit Br\xfche aufgie\xdf"
                                         "en.",
                                         "Weich kochen und p\xfcrieren.",
                                         "Mit K\xfcrbiskern\xf6l betr\xe4ufeln. Kosten pro Portion: etwa 1 \x80."},
                          .picture = "JPEG"});
  EXPECT_EQ(soups[1].title,
            "Grie\xdfkl\xf6\xdf"
            "chensuppe");
  EXPECT_EQ(soups[1].author,
            "M\xfcndlich \xfc"
            "berliefert");

  const std::string title = "\xc3\xa4 \xc3\xb6 \xc3\xbc \xc3\x9f \xe2\x82\xac";  // ä ö ü ß € in UTF-8
  const std::string expected = "\xe4 \xf6 \xfc \xdf \x80";
  const std::pair<std::string, const char*> files[] = {
      {"\xef\xbb\xbf" + oneRecipe("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", title), "byte order mark"},
      {oneRecipe("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", title), "UTF-8 declared as ISO-8859-1"},
      {oneRecipe("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", expected), "Windows-1252"},
      {oneRecipe("", "\x84 \x94 \x81 \xe1 \xd5"), "code page 850"},
  };
  for (const auto& [bytes, what] : files) {
    const std::vector<ForeignRecipe> recipes = parseCookMl(bytes);
    ASSERT_EQ(recipes.size(), 1u) << what;
    EXPECT_EQ(recipes[0].title, what == std::string_view("code page 850") ? "\xe4 \xf6 \xfc \xdf ?" : expected) << what;
  }

  // A file larger than the pieces it is read in, a piece ending in the middle of a letter (one of the
  // two starts): no letter is lost or split where two pieces meet.
  struct Large {
    std::string_view start, letters, last, expected;
  };
  const Large large[] = {
      {"", "\xe4\xf6\xfc\xdf\x80", "\xff", "\xff"},  // Windows-1252
      {"", "\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xe2\x82\xac", "\xc3\xbf", "\xff"},
      // A byte that is no UTF-8 after a byte order mark becomes U+FFFD, which Windows-1252 lacks.
      {"\xef\xbb\xbf", "\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xe2\x82\xac", "\xff", "?"},
  };
  std::string letters;
  for (int i = 0; i < 220000; ++i) letters += "\xe4\xf6\xfc\xdf\x80";
  for (const Large& file : large)
    for (const std::size_t pad : {0, 1}) {
      std::string bytes =
          std::string(file.start) + "<cookml><recipe><part>" + std::string(pad, ' ') + "<ingredient item=\"";
      for (int i = 0; i < 220000; ++i) bytes += file.letters;
      bytes += "\"/><ingredient item=\"" + std::string(file.last) + "\"/></part></recipe></cookml>";
      const std::vector<ForeignRecipe> recipes = parseCookMl(bytes);
      ASSERT_EQ(recipes.size(), 1u);
      EXPECT_EQ(recipes[0].ingredients, (std::vector<std::string>{letters, std::string(file.expected)}))
          << file.start << pad;
    }
}

TEST(CookMl, PictureIsTakenOnlyWhenItIsAWholeJpegTheStoreCanHold) {
  const std::string& apple = applePicture();
  ASSERT_GT(apple.size(), 6 * 49u);
  const std::string marker = std::string(1, '\x15') + "!!!Ende des Bildes!!!";
  EXPECT_EQ(parseCookMl(withPicture(apple)).at(0).picture, apple);
  // The picture end record at the start of the first, second and a later picture record.
  for (const std::size_t at : {49u, 98u, 5 * 49u})
    EXPECT_EQ(parseCookMl(withPicture(withComment(apple, at, marker))).at(0).picture, "") << at;
  // Anywhere else the same bytes are picture data like any other.
  const std::string shifted = withComment(apple, 50, marker);
  EXPECT_EQ(parseCookMl(withPicture(shifted)).at(0).picture, shifted);

  const std::string refused[] = {
      withPicture(apple.substr(0, apple.size() / 2)),                               // ends early
      withPicture("\x89PNG\r\n\x1a\n" + apple),                                     // no JPEG
      withPicture(apple).insert(withPicture(apple).find("</picbin>") - 8, "*"),     // no base64
      withPicture(apple).insert(withPicture(apple).find("</picbin>") - 8, "===A"),  // text after the padding
      "<cookml><recipe><head title=\"Bild\"><picbin format=\"JPG\"/></head></recipe></cookml>",
  };
  for (const std::string& bytes : refused) EXPECT_EQ(parseCookMl(bytes).at(0).picture, "") << bytes.substr(0, 120);

  // The first picture that can be stored is the recipe's.
  const std::string two = "<cookml><recipe><head><picbin>AAAA</picbin><picbin>" + online::base64Lines(apple) +
                          "</picbin><picbin>" + online::base64Lines(shifted) + "</picbin></head></recipe></cookml>";
  EXPECT_EQ(parseCookMl(two).at(0).picture, apple);

  // Text that reads as the picture end record is text like any other; the picture holding it is left out.
  const std::vector<ForeignRecipe> marked = parseCookMl(sample("bild-endmarke.cml"));
  ASSERT_EQ(marked.size(), 1u);
  expectRecipe(marked[0], {.title = "!!!Ende des Bildes!!!",
                           .categories = {"Hauptgericht"},
                           .servings = "4 Personen",
                           .author = "!!!Ende des Bildes!!!",
                           .ingredients = {"!!!Ende des Bildes!!!", "1 Prise Salz"},
                           .paragraphs = {"!!!Ende des Bildes!!!"},
                           .picture = ""});
}

TEST(CookMl, ImportedPictureReachesTheBook) {
  MemoryDir dir;
  store::RecipeStore book(dir.path(), dir.files());
  exchange::Importer importer(book);
  EXPECT_EQ(importer.importFile(sample("kuchen.cml"), exchange::kDefaultFallbackCategory)->imported, 3u);
  EXPECT_EQ(book.lastByName("Apfelkuchen vom Blech")->picture, applePicture());
  EXPECT_EQ(book.lastByName("Ohne Titel")->picture, "");
  EXPECT_EQ(importer.importFile(sample("bild-endmarke.cml"), exchange::kDefaultFallbackCategory)->imported, 1u);
  EXPECT_EQ(book.lastByName("!!!Ende des Bildes!!!")->ingredients.at(0), "!!!Ende des Bildes!!!");
}

TEST(CookMl, BrokenAndHostileFilesAreRefusedNamingTheLine) {
  const std::string cake = sample("kuchen.cml");
  const std::pair<std::string, const char*> broken[] = {
      {cake.substr(0, cake.find("<recipe", 400)), "Zeile 53: no element found"},
      {"<cookml>\n<recipe>\n<head></recipe>\n</cookml>", "Zeile 3: mismatched tag"},
      {"<cookml>\n</cookml>\n<cookml/>", "Zeile 3: junk after document element"},
      {"", "Zeile 1: no element found"},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "Zeile 1: not well-formed (invalid token)"},
  };
  for (const auto& [bytes, where] : broken)
    EXPECT_EQ(refusal(bytes), std::string("CookML-Datei fehlerhaft in ") + where);
  EXPECT_EQ(refusal("<?xml version=\"1.0\"?>\n<html><body/></html>"),
            "Keine CookML-Datei: das erste Element ist <html>");

  // Nesting: the text of elements a reader does not know counts for the preparation that holds them.
  const std::vector<ForeignRecipe> deep = parseCookMl(sample("verschachtelt-256.cml"));
  ASSERT_EQ(deep.size(), 1u);
  EXPECT_EQ(deep[0].paragraphs, std::vector<std::string>{"Ganz unten."});
  EXPECT_EQ(refusal(sample("verschachtelt-257.cml")),
            "CookML-Datei fehlerhaft in Zeile 5: die Elemente sind tiefer als 256 Ebenen verschachtelt");
  std::string abyss = "<cookml>";
  for (int i = 0; i < 3'000'000; ++i) abyss += "<a>";
  EXPECT_EQ(refusal(abyss),
            "CookML-Datei fehlerhaft in Zeile 1: die Elemente sind tiefer als 256 Ebenen verschachtelt");

  // Entities that expand a few bytes into gigabytes are refused before anything is expanded.
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE cookml [\n<!ENTITY l0 \"ha\">\n";
  for (int i = 1; i < 30; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "]>\n<cookml><recipe><head title=\"&l29;\"/></recipe></cookml>";
  EXPECT_EQ(refusal(laughs).substr(0, 36), "CookML-Datei fehlerhaft in Zeile 2: ");
  EXPECT_NE(refusal("<!DOCTYPE cookml [ ]>\n<cookml/>"), "kein Fehler");
  EXPECT_NE(refusal("<!DOCTYPE cookml SYSTEM \"file:///etc/passwd\" [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                    "<cookml><recipe><head><title>&x;</title></head></recipe></cookml>"),
            "kein Fehler");
  // A document type without declarations of its own is normal; its external part is never read.
  EXPECT_EQ(parseCookMl("<!DOCTYPE cookml SYSTEM \"/etc/passwd\">\n<cookml><recipe/></cookml>").size(), 1u);

  // Cut and damaged copies of the samples are either read or refused, never more.
  std::mt19937 random(1);
  for (const char* name : {"kuchen.cml", "suppen-latin1.cml"}) {
    const std::string file = sample(name);
    for (int round = 0; round < 1000; ++round) {
      std::string damaged = file.substr(0, round % 2 == 0 ? file.size() : random() % file.size());
      for (int i = 0; i < 4 && !damaged.empty(); ++i) damaged[random() % damaged.size()] = static_cast<char>(random());
      try {
        parseCookMl(damaged);
      } catch (const ImportError&) {
      }
    }
  }
}

TEST(CookMl, RecipesAreHandedOverOneByOne) {
  const std::string file = sample("kuchen.cml");
  // A fault after the first recipe: the first was handed over, and the file is still refused.
  std::vector<std::string> taken;
  const auto collect = [&](ForeignRecipe&& recipe) { taken.push_back(recipe.title); };
  const std::string broken = file.substr(0, file.find("<recipe", 400)) + "<recipe><head></recipe>";
  EXPECT_THROW(parseCookMl(broken, collect), ImportError);
  EXPECT_EQ(taken, std::vector<std::string>{"Apfelkuchen vom Blech"});

  // Whatever the taker throws stops the reading and passes on.
  taken.clear();
  EXPECT_THROW(parseCookMl(file,
                           [&](ForeignRecipe&& recipe) {
                             collect(std::move(recipe));
                             throw std::runtime_error("voll");
                           }),
               std::runtime_error);
  EXPECT_EQ(taken.size(), 1u);
}

TEST(CookMl, LargeFilesAndLongTextsAreReadInOnePass) {
  std::string bytes = "<cookml><recipe><head title=\"" + std::string(3'000'000, ' ') + "Lang" +
                      std::string(3'000'000, 'x') + "\"/><part title=\"Viel\">";
  for (int i = 0; i < 200000; ++i) bytes += "<ingredient qty=\"1\" unit=\"g\" item=\"Salz\"/>\n";
  bytes += "<ingredient item=\"" + std::string(3'000'000, 'y') + "\"/></part><preparation><text>";
  for (int i = 0; i < 200000; ++i) bytes += "R\xc3\xbchren\n";
  bytes += "</text></preparation></recipe></cookml>";
  const std::vector<ForeignRecipe> recipes = parseCookMl(bytes);
  ASSERT_EQ(recipes.size(), 1u);
  // A title longer than any record keeps its first kilobyte.
  EXPECT_EQ(recipes[0].title, "Lang" + std::string(1020, 'x'));
  EXPECT_EQ(recipes[0].ingredients.size(), 200002u);
  EXPECT_EQ(recipes[0].ingredients.back(), std::string(3'000'000, 'y'));
  ASSERT_EQ(recipes[0].paragraphs.size(), 1u);
  EXPECT_EQ(recipes[0].paragraphs[0].size(), 200000u * 7 - 1);
}

TEST(CookMl, LooksLikeCookMlByItsFirstElement) {
  const char* const cookMl[] = {
      "<cookml version=\"1.0.14\">",
      "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<cookml>",
      "<?xml version=\"1.0\"?>\n<!-- Export vom 3.4. -->\n<?stylesheet href=\"x\"?>\n  <cookml\n  prog=\"x\">",
      R"(<?xml version="1.0" encoding="UTF-8" ?><!DOCTYPE cookml PUBLIC "-" "cookml.dtd"><cookml version="1.1.2">)",
      "<!DOCTYPE cookml [ <!ENTITY a \"<x>\"> ]><cookml/>",
  };
  for (const char* bytes : cookMl) EXPECT_TRUE(looksLikeCookMl(bytes)) << bytes;
  const char* const others[] = {
      "",
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Apfelkuchen\n",
      "<?xml version=\"1.0\"?>\n<html><body>cookml</body></html>",
      "<!-- <cookml> -->\n<rezepte/>",
      "<!-- nie geschlossen <cookml>",
      "<cookmlx>",
      "Zutaten: <cookml>",
  };
  for (const char* bytes : others) EXPECT_FALSE(looksLikeCookMl(bytes)) << bytes;
}

}  // namespace
}  // namespace zestovar::test
