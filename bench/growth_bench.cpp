// zestovar-growth-bench: the operations whose work a hostile or unlucky file can multiply, each timed
// at a size and at an eighth of it. Linear work takes about 8 times as long for 8 times the work; the
// goal is at most 12 times. Prints a Markdown table.
//
//   zestovar-growth-bench DIR [SCALE]
//
// At SCALE 1 (the default): listing a category of 24,000 entries of one name (each repeat gets the next
// free suffix, written on disk), checking a file of 160,000 records of damaged entries whose counts
// point far ahead, and `zestovar-tool add` of 1,000 plain-text recipe files to a book of 1,200 recipes.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "Format.h"
#include "store/Check.h"
#include "store/Errors.h"
#include "store/RecipeStore.h"
#include "store/RecordReader.h"
#include "store/TextRecipe.h"

namespace fs = std::filesystem;
using namespace zestovar::store;
using zestovar::bench::formatTime;
using zestovar::bench::grouped;

namespace {

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string textRecords(const std::vector<std::string>& texts) {
  std::string out;
  for (const auto& text : texts) appendTextRecord(out, text);
  return out;
}

std::string entry(const std::string& category, const std::string& name) {
  NewRecipe r;
  r.category = category;
  r.subcategories = {"Sonstiges"};
  r.name = name;
  r.ingredients = {"500 g Rindfleisch", "2 Zwiebeln"};
  r.preparation = "Anbraten und schmoren.";
  r.author = "Bench";
  r.persons = "4";
  return encodeEntry(r, PictureState::None, {});
}

// Times run (after prepare, untimed) and keeps the best of three.
double best(const std::function<void()>& prepare, const std::function<void()>& run) {
  double fastest = 1e30;
  for (int i = 0; i < 3; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    run();
    fastest = std::min(fastest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return fastest;
}

struct Workload {
  std::string what;
  std::function<double(std::size_t work)> time;  // seconds for that much work
  std::size_t work;                              // at scale 1
  std::string unit;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "Aufruf: zestovar-growth-bench VERZEICHNIS [FAKTOR]\n";
    return 2;
  }
  const fs::path parent = argv[1];
  const double scale = argc == 3 ? std::stod(argv[2]) : 1.0;
  const fs::path dir = parent / "growth";

  const auto freshDir = [&] {
    fs::remove_all(dir);
    fs::create_directories(dir);
  };

  std::vector<Workload> workloads;
  workloads.push_back({"list a category of repeated names",
                       [&](std::size_t n) {
                         std::string file;
                         for (std::size_t i = 0; i < n; ++i) file += entry("Hauptgericht", "Gulasch");
                         return best(
                             [&] {
                               freshDir();
                               writeFile(dir / "Zestovar.dat", file);
                             },
                             [&] {
                               RecipeStore store(dir);
                               if (store.browseList("Hauptgericht").size() != n + 26) throw StoreError("list");
                             });
                       },
                       24000, "names"});
  workloads.push_back({"check a file of damaged entries",
                       [&](std::size_t n) {
                         // Every fourth record starts an entry whose ingredient count reaches half the
                         // file ahead, where the preparation count is no number or points past the end.
                         std::vector<std::string> texts;
                         for (std::size_t i = 0; i < n; ++i)
                           texts.push_back(i % 4 == 0   ? "Suppe"
                                           : i % 4 == 1 ? " Suppen"
                                           : i % 4 == 2 ? "Kaputt"
                                                        : std::to_string(n / 2));
                         const std::string file = textRecords(texts);
                         std::size_t problems = 0;
                         const double t = best(
                             [&] {
                               freshDir();
                               writeFile(dir / "Zestovar.dat", file);
                             },
                             [&] {
                               auto files = diskFiles();
                               auto in = files->open(dir / "Zestovar.dat", OpenMode::ReadOnly);
                               problems = checkRecipeFile(*in).size();
                             });
                         if (problems == 0) throw StoreError("check");
                         return t;
                       },
                       160000, "records"});
  workloads.push_back({"add plain-text recipe files to a book of 1,200",
                       [&](std::size_t n) {
                         std::string book;
                         for (std::size_t i = 0; i < 1200; ++i) book += entry("Suppe", "Suppe " + std::to_string(i));
                         std::vector<std::string> paths;
                         return best(
                             [&] {
                               freshDir();
                               writeFile(dir / "Zestovar.dat", book);
                               paths.clear();
                               for (std::size_t i = 0; i < n; ++i) {
                                 const fs::path path = dir / ("rezept-" + std::to_string(i) + ".txt");
                                 writeFile(path, "Kategorie: Hauptgericht\nUnterkategorien: Rind\nName: Braten " +
                                                     std::to_string(i) +
                                                     "\nAutor: Bench\nPersonen: 4\nZutaten:\n1 kg Rinderbraten\n"
                                                     "Zubereitung:\nSchmoren.\n");
                                 paths.push_back(path.string());
                               }
                             },
                             [&] {
                               RecipeStore store(dir);
                               addTextRecipeFiles(store, paths);
                             });
                       },
                       1000, "files"});

  std::cout << "| operation | work | time | an eighth of the work | time | ratio |\n"
               "|---|---:|---:|---:|---:|---:|\n";
  for (const Workload& w : workloads) {
    const auto n = static_cast<std::size_t>(static_cast<double>(w.work) * scale) / 8 * 8;
    std::cerr << w.what << " ...\n";
    const double full = w.time(n);
    const double eighth = w.time(n / 8);
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%.1f", full / eighth);
    std::cout << "| " << w.what << " | " << grouped(n) << " " << w.unit << " | " << formatTime(full) << " | "
              << grouped(n / 8) << " " << w.unit << " | " << formatTime(eighth) << " | " << ratio << " |\n";
  }
  fs::remove_all(dir);
  return 0;
}
