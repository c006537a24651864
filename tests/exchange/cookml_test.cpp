// CookML files read into foreign recipes: the fields, the encodings, broken files.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Samples.h"
#include "exchange/CookMl.h"

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
}

// The message of the ImportError the bytes give; "" when they are read.
std::string refusal(std::string_view bytes) {
  try {
    parseCookMl(bytes);
  } catch (const ImportError& error) {
    return error.what();
  }
  return {};
}

std::string oneRecipe(std::string_view declaration, std::string_view title) {
  return std::string(declaration) + "\n<cookml version=\"1.0\">\n<recipe lang=\"de\"><head><title>" +
         std::string(title) + "</title></head></recipe></cookml>\n";
}

TEST(CookMl, SampleGivesEveryFieldOfEveryRecipe) {
  const std::vector<ForeignRecipe> recipes = parseCookMl(sample("kuchen.cml"));
  ASSERT_EQ(recipes.size(), 3u);
  expectRecipe(
      recipes[0],
      {.title = "Apfelkuchen vom Blech",
       .categories = {"Kuchen", "Backen mit Obst"},
       .servings = "1 Blech",
       .author = "Ilse Marwede",
       .ingredients = {"F\xfcr den Teig:", "500 g Mehl, gesiebt", "1 Pk. Backpulver", "200 ml Milch",
                       "Belag:", "1,5 kg s\xe4uerliche \xc4pfel, gesch\xe4lt, in Spalten", "? TL Zimt",
                       "Puderzucker, zum Best\xe4uben"},
       .paragraphs = {"Mehl und Backpulver mischen, mit der Milch zu einem glatten Teig kneten.",
                      "Den Teig auf dem Blech ausrollen.", "", "\xc4pfel darauf verteilen und mit Zimt bestreuen.",
                      "Bei 180 \xb0"
                      "C etwa 40 Minuten backen. Abgek\xfchlt mit Puderzucker best\xe4uben."}});
  expectRecipe(recipes[1],
               {.title = "K\xe4sekuchen \x84Gro\xdfmutter\x93",
                .categories = {"Kuchen"},
                .servings = "St\xfc"
                            "cke",
                .author = "Backbuch der Gro\xdfmutter, S. 12",
                .ingredients = {"750 g Quark (Magerstufe)", "nach Geschmack", "3 EL Zucker"},
                .paragraphs = {"Alles verr\xfchren, in die Form f\xfcllen und 60 Minuten backen \x96 5 \x80 "
                               "f\xfcr die Zutaten."}});
  expectRecipe(recipes[2], {.title = "",
                            .categories = {},
                            .servings = "12",
                            .author = "",
                            .ingredients = {},
                            .paragraphs = {"Nur der Teig.", "Und ein zweiter Absatz."}});

  EXPECT_TRUE(parseCookMl("<cookml version=\"1.0\"><!-- leer --></cookml>").empty());
  EXPECT_TRUE(parseCookMl("<cookml><list><recipe><head><title>X</title></head></recipe></list></cookml>").empty());
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
                                          "2 EL \xd6l"},
                          .paragraphs = {"K\xfcrbis in \xd6l anschwitzen, mit Br\xfche aufgie\xdf"
                                         "en. Weich kochen und p\xfcrieren.",
                                         "Kosten pro Portion: etwa 1 \x80."}});
  expectRecipe(soups[1], {.title = "Grie\xdfkl\xf6\xdf"
                                   "chensuppe",
                          .categories = {"Suppen"},
                          .servings = "",
                          .author = "",
                          .ingredients = {"50 g Grie\xdf", "1 Ei"},
                          .paragraphs = {"Kl\xf6\xdf"
                                         "chen abstechen und ziehen lassen."}});

  const std::string title = "\xc3\xa4 \xc3\xb6 \xc3\xbc \xc3\x9f \xe2\x82\xac";  // ä ö ü ß € in UTF-8
  const std::string expected = "\xe4 \xf6 \xfc \xdf \x80";
  const std::pair<std::string, const char*> files[] = {
      {"\xef\xbb\xbf" + oneRecipe("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", title), "byte order mark"},
      {oneRecipe("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", title), "UTF-8 declared as ISO-8859-1"},
      {oneRecipe("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "\xe4 \xf6 \xfc \xdf \x80"), "Windows-1252"},
  };
  for (const auto& [bytes, what] : files) {
    const std::vector<ForeignRecipe> recipes = parseCookMl(bytes);
    ASSERT_EQ(recipes.size(), 1u) << what;
    EXPECT_EQ(recipes[0].title, expected) << what;
  }
  // Code page 850 of DOS programs: "ä" is 0x84, "ö" 0x94, "ü" 0x81, "ß" 0xE1.
  const std::vector<ForeignRecipe> dos = parseCookMl(oneRecipe("",
                                                               "K\x84se, Gr\x94\xe1"
                                                               "e, \x81"
                                                               "ber"));
  ASSERT_EQ(dos.size(), 1u);
  EXPECT_EQ(dos[0].title,
            "K\xe4se, Gr\xf6\xdf"
            "e, \xfc"
            "ber");
}

TEST(CookMl, BrokenFilesAreRefusedNamingTheLine) {
  const std::string cake = sample("kuchen.cml");
  EXPECT_EQ(refusal(cake.substr(0, cake.find("<recipe", 400))),
            "CookML-Datei fehlerhaft in Zeile 47: no element found");
  EXPECT_EQ(refusal("<cookml>\n<recipe>\n<head></recipe>\n</cookml>"),
            "CookML-Datei fehlerhaft in Zeile 3: mismatched tag");
  EXPECT_EQ(refusal("<cookml>\n</cookml>\n<cookml/>"),
            "CookML-Datei fehlerhaft in Zeile 3: junk after document element");
  EXPECT_EQ(refusal(""), "CookML-Datei fehlerhaft in Zeile 1: no element found");
  EXPECT_EQ(refusal(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
            "CookML-Datei fehlerhaft in Zeile 1: not well-formed (invalid token)");
  EXPECT_EQ(refusal("<?xml version=\"1.0\"?>\n<html><body/></html>"),
            "Keine CookML-Datei: das erste Element ist <html>");

  // Entities that expand a few bytes into gigabytes are refused before anything is expanded.
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE cookml [\n<!ENTITY l0 \"ha\">\n";
  for (int i = 1; i < 30; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "]>\n<cookml><recipe><head><title>&l29;</title></head></recipe></cookml>";
  EXPECT_EQ(refusal(laughs).substr(0, 36), "CookML-Datei fehlerhaft in Zeile 2: ");
  EXPECT_NE(refusal("<!DOCTYPE cookml [ ]>\n<cookml/>"), "");
  EXPECT_NE(refusal("<!DOCTYPE cookml SYSTEM \"file:///etc/passwd\" [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                    "<cookml><recipe><head><title>&x;</title></head></recipe></cookml>"),
            "");
  // A document type without declarations of its own is harmless; its external part is never read.
  EXPECT_EQ(parseCookMl("<!DOCTYPE cookml SYSTEM \"cookml.dtd\">\n<cookml><recipe/></cookml>").size(), 1u);

  // Cut and damaged copies of the sample are either read or refused, never more.
  std::mt19937 random(1);
  for (int round = 0; round < 2000; ++round) {
    std::string damaged = cake.substr(0, round % 2 == 0 ? cake.size() : random() % cake.size());
    for (int i = 0; i < 4 && !damaged.empty(); ++i) damaged[random() % damaged.size()] = static_cast<char>(random());
    try {
      parseCookMl(damaged);
    } catch (const ImportError&) {
    }
  }
}

TEST(CookMl, LargeFilesAreReadInOnePass) {
  std::string bytes = "<cookml><recipe><part title=\"Viel\">";
  for (int i = 0; i < 200000; ++i) bytes += "<ingredient qty=\"1\" unit=\"g\" item=\"Salz\"/>\n";
  bytes += "</part><preparation><text>";
  for (int i = 0; i < 200000; ++i) bytes += "R\xc3\xbchren\n";
  bytes += "</text></preparation></recipe></cookml>";
  const std::vector<ForeignRecipe> recipes = parseCookMl(bytes);
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].ingredients.size(), 200001u);
  ASSERT_EQ(recipes[0].paragraphs.size(), 1u);
  EXPECT_EQ(recipes[0].paragraphs[0].size(), 200000u * 7 - 1);
}

TEST(CookMl, LooksLikeCookMlByItsFirstElement) {
  const char* const cookMl[] = {
      "<cookml version=\"1.0.14\">",
      "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<cookml>",
      "<?xml version=\"1.0\"?>\n<!-- Export vom 3.4. -->\n<?stylesheet href=\"x\"?>\n  <cookml\n  prog=\"x\">",
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
