// Writes the seed corpus of store_fuzz: a few well-formed recipe files.
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  std::string picture;
  for (int i = 0; i < 150; ++i) picture += static_cast<char>(i * 37);
  const std::string gulasch = encodeEntry(recipe("Hauptgericht", "Gulasch"), PictureState::None, {});
  const std::string seeds[] = {
      gulasch,
      encodeEntry(recipe("Getr\xe4nke", "Bowle"), PictureState::Bytes, picture) + withoutOrigin("Soljanka"),
      gulasch + gulasch + encodeEntry(recipe("Hauptgericht", "gulasch"), PictureState::Unreadable, {}),
  };
  int n = 0;
  for (const auto& seed : seeds) std::ofstream(dir / ("seed" + std::to_string(++n) + ".dat"), std::ios::binary) << seed;
  return 0;
}
