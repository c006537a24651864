// The plain-text recipe file: every rule it breaks is refused with its line, nothing else is taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/TextRecipe.h"

using zestovar::store::parseTextRecipe;
using zestovar::store::TextRecipeError;

namespace {

std::string errorOf(std::string_view text) {
  try {
    parseTextRecipe(text, "/rezepte");
  } catch (const TextRecipeError& error) {
    return error.what();
  }
  return "kein Fehler";
}

}  // namespace

TEST(TextRecipe, EveryBrokenRuleNamesItsLine) {
  struct Case {
    std::string text;
    std::string error;
  };
  const std::string head = "Kategorie: Suppe\nUnterkategorien: Suppen\nName: Brühe\n";
  const std::vector<Case> cases = {
      {"Kategorie: Suppe\nUnterkategorien: Suppen\nZutaten:\n1 l Wasser\nZubereitung:\nKochen.\n",
       "Zeile 3: \"Name:\" fehlt"},
      {head + "Autor: Quenna\n", "Zeile 5: \"Zutaten:\" fehlt"},
      {head + "Zutaten:\n1 l Wasser\n", "Zeile 6: \"Zubereitung:\" fehlt"},
      {head + "Koch: Quenna\nZutaten:\nZubereitung:\n", "Zeile 4: unbekannter Schlüssel 'Koch'"},
      {head + "\nQuenna\nZutaten:\nZubereitung:\n", "Zeile 5: Kopfzeile ohne Doppelpunkt"},
      {head + "Datum: 1.2.\nZutaten:\nZubereitung:\n", "Zeile 4: '1.2.' ist kein Datum (Tag.Monat.Jahr)"},
      {head + "Datum: 1..2003\nZutaten:\nZubereitung:\n", "Zeile 4: '1..2003' ist kein Datum (Tag.Monat.Jahr)"},
      {"Kategorie: Nachtisch\nUnterkategorien: Eis\nName: Eis\nZutaten:\nZubereitung:\n",
       "Zeile 1: Bitte eine Kategorie wählen."},
      {"Unterkategorien: Suppen\nName: Brühe\nZutaten:\nZubereitung:\n", "Zeile 3: Bitte eine Kategorie wählen."},
      {"Kategorie: Suppe\nUnterkategorien: Kuchen\nName: Brühe\nZutaten:\nZubereitung:\n",
       "Zeile 2: Unterkategorie 'Kuchen' gehört nicht zur Kategorie"},
      {"Kategorie: Suppe\nName: Brühe\nZutaten:\nZubereitung:\n", "Zeile 1: Bitte eine Kategorie wählen."},
      // Line ends of Windows count one line each; a byte order mark is no line.
      {"\xef\xbb\xbfKategorie: Suppe\r\nUnterkategorien: Suppen\r\nName: Brühe\r\nPersonen 4\r\nZutaten:\r\n",
       "Zeile 4: Kopfzeile ohne Doppelpunkt"},
  };
  for (const Case& c : cases) EXPECT_EQ(errorOf(c.text), c.error) << c.text;
  EXPECT_EQ(errorOf(head + "Datum: 24.12.2003\nZutaten:\nZubereitung:\n"), "kein Fehler");
}
