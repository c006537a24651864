// zestovar-import-bench: times the import of generated Meal-Master files into an empty book on the
// disk (reading, mapping, the name check and the append), then the import of the same file again,
// where every name is in the book and every recipe is skipped. Prints a Markdown table.
//
//   zestovar-import-bench DIR COUNT...
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>

#include "exchange/Import.h"
#include "store/RecipeStore.h"

namespace fs = std::filesystem;

namespace {

const char* const kWords[] = {"Kartoffeln", "Zwiebeln", "Karotten", "Sahne", "Butter", "Mehl",    "Zucker",
                              "Eier",       "Milch",    "Lauch",    "Speck", "Salz",   "Pfeffer", "Petersilie"};
const char* const kCategories[] = {"Suppe", "Soup", "Kuchen", "Drinks", "Beef", "Pasta", "Salate", "Desserts"};

// count recipes of about 15 ingredients and three paragraphs, every name different.
std::string mealMasterFile(std::size_t count) {
  std::mt19937 random(1);
  const auto word = [&] { return kWords[random() % std::size(kWords)]; };
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    out += "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n";
    out += "      Title: Rezept " + std::to_string(i) + " mit " + word() + "\r\n";
    out += " Categories: " + std::string(kCategories[random() % std::size(kCategories)]) + ", " + word() + "\r\n";
    out += "   Servings: " + std::to_string(2 + random() % 6) + "\r\n\r\n";
    for (int k = 0; k < 15; ++k) {
      std::string amount = std::to_string(1 + random() % 500);
      out += std::string(7 - amount.size(), ' ') + amount + " g  " + word() + ", " + word() + "\r\n";
    }
    out += "\r\n";
    for (int p = 0; p < 3; ++p) {
      for (int l = 0; l < 3; ++l) {
        for (int w = 0; w < 10; ++w) out += std::string(w ? " " : "") + word();
        out += "\r\n";
      }
      out += "\r\n";
    }
    out += "Erfasser: Bench\r\n\r\nMMMMM\r\n\r\n";
  }
  return out;
}

double seconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "Aufruf: zestovar-import-bench VERZEICHNIS ANZAHL...\n";
    return 2;
  }
  const fs::path parent = argv[1];
  std::cout << std::fixed;
  std::cout.precision(1);
  std::cout << "| recipes | file | import into an empty book | per recipe | again (all skipped) |\n"
               "|---:|---:|---:|---:|---:|\n";
  for (int i = 2; i < argc; ++i) {
    const std::size_t count = std::stoul(argv[i]);
    const std::string file = mealMasterFile(count);
    const fs::path dir = parent / ("import-" + std::to_string(count));
    fs::remove_all(dir);
    fs::create_directories(dir);
    zestovar::store::RecipeStore store(dir);
    std::size_t imported = 0, skipped = 0;
    const double first = seconds([&] {
      zestovar::exchange::Importer importer(store);
      imported = importer.importFile(file, zestovar::exchange::kDefaultFallbackCategory)->imported;
    });
    const double again = seconds([&] {
      zestovar::exchange::Importer importer(store);
      skipped = importer.importFile(file, zestovar::exchange::kDefaultFallbackCategory)->skipped;
    });
    fs::remove_all(dir);
    if (imported != count || skipped != count) {
      std::cerr << "zestovar-import-bench: " << imported << " importiert, " << skipped << " übersprungen\n";
      return 1;
    }
    std::cout << "| " << count << " | " << file.size() / 1024 << " KiB | " << first * 1000 << " ms | "
              << first * 1e6 / static_cast<double>(count) << " µs | " << again * 1000 << " ms |\n";
  }
  return 0;
}
