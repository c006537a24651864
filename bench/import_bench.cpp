// zestovar-import-bench: times the import of generated Meal-Master files into an empty book on the
// disk (reading, mapping, the name check and the append) and measures the peak memory of the process
// while it runs, then times the import of the same file again, where every name is in the book and
// every recipe is skipped. Each file is measured in a process of its own, so one file's memory does
// not count for the next. Prints a Markdown table.
//
//   zestovar-import-bench DIR COUNT...
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
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

// A line of /proc/self/status in KiB ("VmHWM", "VmRSS"); 0 when it cannot be read.
std::size_t statusKiB(const std::string& key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.starts_with(key + ":")) return std::stoul(line.substr(key.size() + 1));
  return 0;
}

// Starts the peak resident size afresh from the present one (Linux 4.0 and later).
bool resetPeak() {
  std::ofstream out("/proc/self/clear_refs");
  out << "5";
  out.flush();
  return static_cast<bool>(out);
}

std::string megabytes(std::size_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  return text;
}

// Generates, imports and reports one file; run in a process of its own.
int measure(const fs::path& parent, std::size_t count) {
  std::string file = mealMasterFile(count);
  file.shrink_to_fit();
  const fs::path dir = parent / ("import-" + std::to_string(count));
  fs::remove_all(dir);
  fs::create_directories(dir);
  zestovar::store::RecipeStore store(dir);
  // The process holds the file as zestovar-tool and the window do after reading it; the peak counts
  // from here, so that the generator's own growth does not count.
  const bool peakReset = resetPeak();
  std::size_t imported = 0, skipped = 0;
  const double first = seconds([&] {
    zestovar::exchange::Importer importer(store);
    imported = importer.importFile(file, zestovar::exchange::kDefaultFallbackCategory)->imported;
  });
  const std::size_t peak = statusKiB("VmHWM") * 1024;
  const double again = seconds([&] {
    zestovar::exchange::Importer importer(store);
    skipped = importer.importFile(file, zestovar::exchange::kDefaultFallbackCategory)->skipped;
  });
  fs::remove_all(dir);
  if (imported != count || skipped != count) {
    std::cerr << "zestovar-import-bench: " << imported << " importiert, " << skipped << " übersprungen\n";
    return 1;
  }
  std::cout << "| " << count << " | " << megabytes(file.size()) << " | " << first * 1000 << " ms | "
            << first * 1e6 / static_cast<double>(count) << " µs | ";
  if (peakReset)
    std::cout << megabytes(peak) << " | " << static_cast<double>(peak) / static_cast<double>(file.size()) << " × | ";
  else
    std::cout << "– | – | ";
  std::cout << again * 1000 << " ms |" << std::endl;
  return 0;
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
  std::cout << "| recipes | file | import into an empty book | per recipe | peak memory | peak / file | again (all "
               "skipped) |\n"
               "|---:|---:|---:|---:|---:|---:|---:|"
            << std::endl;
  for (int i = 2; i < argc; ++i) {
    const std::size_t count = std::stoul(argv[i]);
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) _exit(measure(parent, count));
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  }
  return 0;
}
