// Writes the seed corpus of store_fuzz: a few well-formed recipe files, and the files that once broke
// the walks: pictures holding the picture end record, text that reads as it, torn tails of such
// entries, ingredient lines that spell a whole entry.
#include <filesystem>
#include <fstream>
#include <string>

#include "store/Entry.h"
#include "store/RecordReader.h"

namespace {

using namespace zestovar::store;

NewRecipe recipe(std::string category, std::string name) {
  NewRecipe r;
  r.category = std::move(category);
  r.subcategories = {"Sonstiges"};
  r.name = std::move(name);
  r.origin = "deutsch";
  r.ingredients = {"1 kg Rindfleisch", "3 Zwiebeln"};
  r.preparation = "Fleisch w\xfcrfeln und anbraten.\r\nZwiebeln dazugeben und zwei Stunden schmoren lassen.";
  r.author = "Quenna";
  r.persons = "4";
  return r;
}

// An entry of the older kind, without origin marker.
std::string withoutOrigin(const std::string& name) {
  std::string out;
  for (const char* text : {"Suppe", " Suppen", name.c_str(), "2", "1 l Wasser", "1", "Kochen.", "Ivan", "",
                           "!!!Ende des Bildes!!!", "-1", ""})
    appendTextRecord(out, text);
  return out;
}

std::string texts(std::initializer_list<const char*> records) {
  std::string out;
  for (const char* text : records) appendTextRecord(out, text);
  return out;
}

// An entry whose picture holds the picture end record at the start of its second picture record, as
// written before such pictures were refused.
std::string pictureHoldingTheEnd() {
  std::string picture(49, '\xff');
  appendTextRecord(picture, kPictureEnd);
  picture.resize(49 * 3 + 10, '\x20');
  std::string out =
      texts({"Dessert", " Eis", "Eisbombe", "3", "$!$Herkunft bekannt$!$", "deutsch", "0", "Quenna", "4"});
  for (std::size_t pos = 0; pos + 49 <= picture.size(); pos += 49) {
    out += picture.substr(pos, 49);
    out.append(2, '\0');
  }
  out += texts({"!!!Ende des Bildes!!!", "10"});
  out += picture.substr(picture.size() - 10);
  out.append(41, '\0');
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  std::string picture;
  for (int i = 0; i < 150; ++i) picture += static_cast<char>(i * 37);
  const std::string gulasch = encodeEntry(recipe("Hauptgericht", "Gulasch"), PictureState::None, {});
  NewRecipe typed = recipe("Suppe", "Geisterbrühe");
  typed.ingredients = {"!!!Ende des Bildes!!!", "Suppe", "4", "!!!Ende des Bildes!!!"};
  typed.preparation = "!!!Ende des Bildes!!!";
  typed.author = "!!!Ende des Bildes!!!";
  typed.persons = "!!!Ende des Bildes!!!";
  const std::string typedEntry = encodeEntry(typed, PictureState::Bytes, picture);
  NewRecipe spelling = recipe("Suppe", "Buchstabensuppe");
  spelling.ingredients = {"Suppe",
                          " Suppen",
                          "Falsch",
                          "3",
                          "$!$Herkunft bekannt$!$",
                          "deutsch",
                          "0",
                          "X",
                          "4",
                          "!!!Ende des Bildes!!!",
                          "!!!Ende des Bildes!!!",
                          "!!!Ende des Bildes!!!",
                          "Salz"};
  const std::string spelled = encodeEntry(spelling, PictureState::None, {});
  const std::string seeds[] = {
      gulasch,
      gulasch + typedEntry,
      gulasch + typedEntry.substr(0, typedEntry.size() - 4 * kRecordSize),
      gulasch + typedEntry.substr(0, 15 * kRecordSize + 20),
      gulasch + spelled.substr(0, 17 * kRecordSize),
      gulasch + pictureHoldingTheEnd() + gulasch,
      encodeEntry(recipe("Getr\xe4nke", "Bowle"), PictureState::Bytes, picture) + withoutOrigin("Soljanka"),
      gulasch + gulasch + encodeEntry(recipe("Hauptgericht", "gulasch"), PictureState::Unreadable, {}),
  };
  int n = 0;
  for (const auto& seed : seeds) std::ofstream(dir / ("seed" + std::to_string(++n) + ".dat"), std::ios::binary) << seed;
  return 0;
}
