// Recipes of web pages: the sample pages read field by field, the page's character set, picture
// addresses, the mapping of schema.org's many shapes, and pages built to hurt the reader.
#include <gtest/gtest.h>

#include <string>

#include "Samples.h"
#include "exchange/HtmlDocument.h"
#include "exchange/Import.h"
#include "exchange/Mapping.h"
#include "exchange/PageCharset.h"
#include "exchange/SchemaRecipe.h"
#include "exchange/WebAddress.h"
#include "exchange/WebPage.h"
#include "store/Cp1252.h"

using namespace zestovar::exchange;
using zestovar::store::utf8ToCp1252;
using zestovar::test::sample;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

namespace {

// The texts of the tests are written in UTF-8; the reader hands Windows-1252.
std::string w(std::string_view utf8) { return utf8ToCp1252(utf8); }
Lines lines(const Lines& utf8) {
  Lines out;
  for (const std::string& line : utf8) out.push_back(w(line));
  return out;
}

// A page holding one JSON-LD script.
std::string jsonLdPage(std::string_view json) {
  return "<!DOCTYPE html><html><head><script type=\"application/ld+json\">" + std::string(json) +
         "</script></head><body></body></html>";
}

ForeignRecipe onlyRecipe(std::string_view page, std::string_view address = {}) {
  const std::vector<ForeignRecipe> recipes = readWebPage(page, {}, address);
  EXPECT_EQ(recipes.size(), 1u);
  return recipes.empty() ? ForeignRecipe{} : recipes.front();
}

std::string errorOf(std::string_view page) {
  try {
    readWebPage(page);
  } catch (const ImportError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(WebPageSamples, GraphBesideWebSiteWithSectionsEntitiesAndADecoyScript) {
  const ForeignRecipe r = onlyRecipe(sample("web/graph.html"), "https://kuechenfreunde.example/rezepte/rindergulasch/");
  EXPECT_EQ(r.title, w("Rindergulasch & Spätzle nach \"Oma Hedwig\""));
  EXPECT_EQ(r.author, "Hedwig Sommerfeld");
  EXPECT_EQ(r.servings, "4");
  EXPECT_EQ(r.categories, lines({"Hauptgericht", "Rind", "Schmoren", "Winter"}));
  EXPECT_EQ(r.origin, "ungarisch");
  EXPECT_EQ(r.ingredients,
            lines({"1 kg Rindfleisch (aus der Schulter)", "500 g Zwiebeln", "2 EL Paprikapulver, edelsüß",
                   "1 Dose Tomaten (400 g)", "250 ml Rotwein", "Salz & Pfeffer"}));
  EXPECT_EQ(r.paragraphs, lines({"Gulasch:", "Das Fleisch in Würfel schneiden und portionsweise scharf anbraten.",
                                 "Die Zwiebeln dazugeben und glasig dünsten.", "Mit Paprika bestäuben.",
                                 "Mit Rotwein und Tomaten ablöschen und zwei Stunden schmoren.", "Spätzle:",
                                 "Den Teig schlagen, bis er Blasen wirft, und ins kochende Salzwasser schaben."}));
  EXPECT_EQ(r.pictureAddress, "https://kuechenfreunde.example/bilder/rindergulasch-16x9.jpg");
  // Saved without its address, the page's relative picture has nothing to be resolved against.
  EXPECT_EQ(onlyRecipe(sample("web/graph.html")).pictureAddress, "");
}

TEST(WebPageSamples, MicrodataOnAWindows1252PageWithANestedAuthor) {
  const ForeignRecipe r = onlyRecipe(sample("web/mikrodaten-1252.html"));
  EXPECT_EQ(r.title, "Marillenkuchen vom Blech");
  EXPECT_EQ(r.author, "Franziska Lindner");
  EXPECT_EQ(r.servings, w("1 Blech (20 Stück)"));
  EXPECT_EQ(r.categories, Lines{"Kuchen"});
  EXPECT_EQ(r.origin, w("österreichisch"));
  EXPECT_EQ(r.ingredients,
            lines({"250 g Butter", "200 g Zucker", "4 Eier", "350 g Mehl", "1 kg Marillen (Aprikosen), entsteint"}));
  // Paragraphs and <br> break the text, the page's own line breaks do not; "iso-8859-1" is read as
  // Windows-1252 as browsers read it, with its dash and quotes.
  EXPECT_EQ(r.paragraphs, lines({"Butter und Zucker schaumig rühren, die Eier einzeln unterrühren.",
                                 "Das Mehl unterheben und den Teig auf ein gefettetes Blech streichen.",
                                 "Die Marillen halbieren und mit der Schnittfläche nach oben in den Teig drücken.",
                                 "Bei 180 °C etwa 40 Minuten backen – „goldbraun“ ist richtig."}));
  EXPECT_EQ(r.pictureAddress, "http://backstube-lindner.example/rezepte/kuchen/bilder/marillenkuchen.jpg");
}

TEST(WebPageSamples, ArrayOfTwoRecipesInTheHttpContextAndAnXhtmlPage) {
  const std::vector<ForeignRecipe> two =
      readWebPage(sample("web/zwei-rezepte.html"), "text/html", "https://suppentopf.example/heute/");
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].title, "Linsensuppe mit Speck");
  EXPECT_EQ(two[0].author, "Redaktion Suppentopf");
  EXPECT_EQ(two[0].servings, "6");
  EXPECT_EQ(two[0].pictureAddress, "https://suppentopf.example/img/linsensuppe.jpg");
  EXPECT_EQ(two[1].author, "Suppentopf");
  EXPECT_EQ(two[1].servings, "2 Teller");
  EXPECT_EQ(two[1].origin, w("französisch"));
  EXPECT_EQ(two[1].pictureAddress, "https://suppentopf.example/heute/img/tomatensuppe.jpg");

  const std::string xhtml = sample("web/seite.xhtml");
  EXPECT_TRUE(looksLikeWebPage(xhtml));
  const ForeignRecipe quark = onlyRecipe(xhtml);
  EXPECT_EQ(quark.title, w("Kräuterquark"));
  EXPECT_EQ(quark.author, "");
  EXPECT_EQ(quark.paragraphs, Lines({"Den Schnittlauch fein schneiden.", w("Mit dem Quark verrühren und salzen.")}));
  EXPECT_EQ(quark.servings, "4 Personen");
}

TEST(WebPageSamples, PagesAreToldFromCollectionsByContent) {
  EXPECT_EQ(errorOf(sample("web/ohne-rezept.html")), kNoRecipeData);
  EXPECT_THROW(readCollection(sample("web/ohne-rezept.html")), ImportError);
  EXPECT_EQ(expectedRecipes(sample("web/zwei-rezepte.html")), 2u);
  for (const char* page : {"web/graph.html", "web/mikrodaten-1252.html", "web/ohne-rezept.html"})
    EXPECT_TRUE(looksLikeWebPage(sample(page))) << page;
  for (const char* other : {"kuchen.cml", "rezepte.mmf", "rezkonv.txt"}) EXPECT_FALSE(looksLikeWebPage(sample(other)));
  EXPECT_FALSE(looksLikeWebPage("<?xml version=\"1.0\"?>\n<!-- <html> -->\n<cookml version=\"1.1.2\"></cookml>"));
  EXPECT_TRUE(looksLikeWebPage("\xEF\xBB\xBF <!-- gespeichert -->\n<HTML lang=de>"));
}

TEST(WebPageCharset, ByteOrderMarkThenHeaderThenMetaThenUtf8) {
  struct Case {
    std::string bytes;
    std::string contentType;
    std::string text;  // UTF-8
  };
  const std::string meta1252 = "<meta charset=\"windows-1252\">";
  const Case cases[] = {
      {"\xEF\xBB\xBF" + meta1252 + "K\xC3\xA4se", "text/html; charset=iso-8859-1", meta1252 + "K\xC3\xA4se"},
      {"\xFF\xFEK\0\xE4\0s\0e\0"s, "", "K\xC3\xA4se"},
      {meta1252 + "\x80", "text/html; charset=\"UTF-8\"", meta1252 + "\xEF\xBF\xBD"},
      {meta1252 + "\x80", "text/html", meta1252 + "\xE2\x82\xAC"},
      {"<meta charset=latin1>\x93", "", "<meta charset=latin1>\xE2\x80\x9C"},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-15\">\xA4", "",
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-15\">\xE2\x82\xAC"},
      {"<!-- <meta charset=latin1> -->\xE4", "", "<!-- <meta charset=latin1> -->\xEF\xBF\xBD"},
      {"<p title='<meta charset=latin1>'>\xE4", "", "<p title='<meta charset=latin1>'>\xEF\xBF\xBD"},
      {std::string(1024, ' ') + meta1252 + "\xE4", "", std::string(1024, ' ') + meta1252 + "\xEF\xBF\xBD"},
      {"<meta charset=utf-16>K\xC3\xA4se", "", "<meta charset=utf-16>K\xC3\xA4se"},
      {"<?xml version='1.0' encoding='ISO-8859-15'?><html>\xA4", "",
       "<?xml version='1.0' encoding='ISO-8859-15'?><html>\xE2\x82\xAC"},
      {"<meta charset=\"../../tmp/x\">K\xC3\xA4se", "", "<meta charset=\"../../tmp/x\">K\xC3\xA4se"},
  };
  for (const Case& c : cases) EXPECT_EQ(pageToUtf8(c.bytes, c.contentType), c.text) << c.bytes;
  EXPECT_EQ(encodingOfLabel(" US-ASCII "), "windows-1252");
  EXPECT_EQ(encodingOfLabel("Shift_JIS"), "cp932");
}

TEST(WebPageAddresses, ReferencesResolveAsRfc3986Says) {
  const std::string base = "http://a/b/c/d;p?q";
  const std::pair<const char*, const char*> cases[] = {{"./g", "http://a/b/c/g"},
                                                       {"/g", "http://a/g"},
                                                       {"//g", "http://g"},
                                                       {"?y", "http://a/b/c/d;p?y"},
                                                       {"#s", "http://a/b/c/d;p?q#s"},
                                                       {"", "http://a/b/c/d;p?q"},
                                                       {"..", "http://a/b/"},
                                                       {"../../../g", "http://a/g"},
                                                       {"g;x=1/../y", "http://a/b/c/y"},
                                                       {"HTTPS://x/./a/../b", "https://x/b"},
                                                       {" bild mit blank.jpg ", "http://a/b/c/bild%20mit%20blank.jpg"},
                                                       {"k\xC3\xA4se.jpg", "http://a/b/c/k%C3%A4se.jpg"}};
  for (const auto& [reference, expected] : cases) EXPECT_EQ(resolveAddress(base, reference), expected) << reference;
  EXPECT_EQ(resolveAddress("", "bilder/a.jpg"), "");
  EXPECT_EQ(resolveAddress("bilder/", "a.jpg"), "");
}

TEST(WebPageMapping, PropertiesInEachShapeSchemaOrgAllows) {
  // References into the graph, a yield as QuantitativeValue, steps made of directions, keywords as
  // terms, a cuisine in a list, an image as an object and a list of texts.
  const ForeignRecipe r = onlyRecipe(jsonLdPage(R"({"@context": "https://schema.org", "@graph": [
      {"@type": "Person", "@id": "#hedda", "name": "Hedda Kern"},
      {"@type": "ImageObject", "@id": "#bild", "url": "/b/kern.jpg", "contentUrl": "/b/gross.jpg"},
      {"@type": "schema:Recipe", "name": ["  Apfel&shy;strudel\n"], "author": {"@id": "#hedda"}, "image": {"@id": "#bild"},
       "recipeYield": {"@type": "QuantitativeValue", "value": 8.0, "unitText": "Portionen"},
       "keywords": [{"@type": "DefinedTerm", "name": "Backen"}, "Wiener Küche"],
       "recipeCuisine": ["Hausmannskost", "Austrian"],
       "recipeIngredient": ["", "<ul><li>6 Äpfel</li><li>1 Strudelteig</li></ul>"],
       "recipeInstructions": [{"@type": "HowToStep", "name": "Füllen",
                               "itemListElement": [{"@type": "HowToDirection", "text": "Äpfel schneiden."},
                                                   {"@type": "HowToTip", "text": "Nicht zu dünn."}]},
                              {"@type": "HowToSection", "name": "Backen:", "steps": "Eine Stunde backen."}]}]})"),
                                     "http://strudel.example/rezept");
  EXPECT_EQ(r.title, w("Apfel\u00ADstrudel"));
  EXPECT_EQ(r.author, "Hedda Kern");
  EXPECT_EQ(r.pictureAddress, "http://strudel.example/b/kern.jpg");
  EXPECT_EQ(r.servings, "8 Portionen");
  EXPECT_EQ(r.categories, lines({"Backen", "Wiener Küche"}));
  EXPECT_EQ(r.origin, w("österreichisch"));
  EXPECT_EQ(r.ingredients, lines({"6 Äpfel", "1 Strudelteig"}));
  EXPECT_EQ(r.paragraphs, lines({"Äpfel schneiden.", "Nicht zu dünn.", "Backen:", "Eine Stunde backen."}));

  // A picture of another scheme is never handed on; a yield list takes its number of persons.
  const ForeignRecipe other = onlyRecipe(
      jsonLdPage(R"({"@type": ["Thing", "http://schema.org/Recipe"], "name": "Brot", "image": "file:///etc/passwd",
                     "recipeYield": ["1 Laib", "12 servings"], "author": [{"@type": "Person"}, "Mo"]})"),
      "http://brot.example/");
  EXPECT_EQ(other.pictureAddress, "");
  EXPECT_EQ(other.servings, "12 servings");
  EXPECT_EQ(other.author, "Mo");
  for (const auto& [image, base] :
       {std::pair{"javascript:alert(1)", "http://x/"}, std::pair{"b.jpg", "http:/ohne-host/"}})
    EXPECT_EQ(onlyRecipe(jsonLdPage(R"({"@type": "Recipe", "image": ")"s + image + "\"}"), base).pictureAddress, "");

  // Cuisines name origins in German and English.
  const std::pair<const char*, const char*> cases[] = {{"Italian", "italienisch"},
                                                       {"italienische Küche", "italienisch"},
                                                       {"French cuisine", "französisch"},
                                                       {"Schweizer", ""},
                                                       {"INTERNATIONAL", "International"},
                                                       {"Latin American", "lateinamerikanisch"},
                                                       {"keine Angabe", ""},
                                                       {"deutsche", "deutsch"}};
  for (const auto& [cuisine, origin] : cases) EXPECT_EQ(originOfCuisine(cuisine), w(origin)) << cuisine;
}

TEST(WebPageSafety, DeepAndBrokenPagesAreRefusedOrPassedOver) {
  std::string deep;
  for (int i = 0; i < 20000; ++i) deep += "<div>";
  const std::string tooDeep = "Die Seite ist zu tief verschachtelt (mehr als 2000 Ebenen).";
  EXPECT_EQ(errorOf("<!DOCTYPE html>" + deep), tooDeep);

  // Siblings that close each other, void elements and raw text do not nest; "<div/>" stays open.
  std::string wide = "<!DOCTYPE html><ul>";
  for (int i = 0; i < 5000; ++i) wide += "<li><p>Punkt<br><img src=x><table><tr><td>1<td>2<tr><td>3</table>";
  wide += "</ul><svg>";
  for (int i = 0; i < 5000; ++i) wide += "<path d='M0 0'/>";
  wide += "</svg><script>" + deep + "</script><!--" + deep + "-->";
  EXPECT_NO_THROW(checkNesting(wide));
  std::string slashes;
  for (int i = 0; i < 20000; ++i) slashes += "<div/>";
  EXPECT_THROW(checkNesting(slashes), ImportError);
  EXPECT_EQ(errorOf(jsonLdPage(R"({"@type": "Recipe", "name": ")" + deep + "\"}")), tooDeep);

  // Microdata values nested in values cost a few times the page, not the page for each level.
  std::string chain =
      "<!DOCTYPE html><div itemscope itemtype=\"https://schema.org/Recipe\"><b itemprop=name>Kette</b>"
      "<i itemprop=\"@type\">Falle</i>";
  for (int i = 0; i < 1500; ++i) chain += "<div itemprop=recipeInstructions>";
  chain += std::string(1 << 20, 'x');
  const ForeignRecipe chained = onlyRecipe(chain);
  EXPECT_EQ(chained.title, "Kette");
  std::size_t taken = 0;
  for (const std::string& paragraph : chained.paragraphs) taken += paragraph.size();
  EXPECT_LT(taken, 5u << 20);

  // JSON nested beyond reason, a broken script and Recipe-less data are passed over.
  const std::string nested = std::string(5000, '[') + std::string(5000, ']');
  EXPECT_EQ(errorOf(jsonLdPage(nested)), kNoRecipeData);
  EXPECT_EQ(errorOf(jsonLdPage(R"({"@type": "Recipe", "name": )")), kNoRecipeData);
  const std::string both = jsonLdPage(nested) + jsonLdPage(R"({"@type": "Recipe", "name": "Reis"})");
  EXPECT_EQ(onlyRecipe(both).title, "Reis");
}
