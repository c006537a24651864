// zestovar-bench: times the store operations on generated stores (see zestovar-genstore), each next to
// a raw read of the same files measured in the same run (what `cat FILES > /dev/null` does: reads of
// 128 KiB into one buffer), and counts the read system calls. Prints a Markdown table; progress goes
// to standard error.
//
//   zestovar-bench [--reps N] STOREDIR...
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Format.h"
#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/Errors.h"
#include "store/FileIo.h"
#include "store/RecipeStore.h"
#include "store/RecordFormat.h"
#include "store/RecordReader.h"
#include "store/Words.h"
#include "views/DefaultPicture.h"
#include "views/RecipePage.h"
#include "views/RecipeSearch.h"

namespace fs = std::filesystem;
using namespace zestovar::store;
using zestovar::bench::formatTime;
using zestovar::bench::grouped;

namespace {

// ---- Counting the store's reads -------------------------------------------------------------------

// Each readAt of the disk files is one pread (they loop only on short reads, which regular files
// give only at their end, and the block reader never asks past the end).
struct ReadCount {
  std::uint64_t calls = 0;
  std::uint64_t bytes = 0;
};

class CountingFile final : public FileIo {
 public:
  CountingFile(std::unique_ptr<FileIo> inner, ReadCount& count) : inner_(std::move(inner)), count_(count) {}
  std::size_t readAt(std::uint64_t pos, std::span<std::byte> out) override {
    ++count_.calls;
    const std::size_t got = inner_->readAt(pos, out);
    count_.bytes += got;
    return got;
  }
  void writeAt(std::uint64_t pos, std::span<const std::byte> data) override { inner_->writeAt(pos, data); }
  std::uint64_t size() override { return inner_->size(); }
  void truncate(std::uint64_t size) override { inner_->truncate(size); }
  void flush() override { inner_->flush(); }
  void setPermissions(Permissions permissions) override { inner_->setPermissions(permissions); }

 private:
  std::unique_ptr<FileIo> inner_;
  ReadCount& count_;
};

class CountingFiles final : public Files {
 public:
  explicit CountingFiles(std::shared_ptr<Files> inner) : inner_(std::move(inner)) {}
  std::unique_ptr<FileIo> open(const fs::path& path, OpenMode mode, Permissions created) override {
    return std::make_unique<CountingFile>(inner_->open(path, mode, created), count);
  }
  void replace(const fs::path& from, const fs::path& to) override { inner_->replace(from, to); }
  void remove(const fs::path& path) override { inner_->remove(path); }
  std::vector<std::string> list(const fs::path& dir) override { return inner_->list(dir); }
  fs::path target(const fs::path& path) override { return inner_->target(path); }
  std::optional<Permissions> permissions(const fs::path& path) override { return inner_->permissions(path); }
  bool isOwnFile(const fs::path& path) override { return inner_->isOwnFile(path); }

  ReadCount count;

 private:
  std::shared_ptr<Files> inner_;
};

// ---- The raw read: every byte of the files, as cat reads them --------------------------------------

std::uint64_t rawRead(const std::vector<fs::path>& paths) {
  static std::vector<char> buffer(std::size_t{128} << 10);
  std::uint64_t total = 0;
  for (const auto& path : paths) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throwIoError(errno);
    for (;;) {
      const ssize_t n = ::read(fd, buffer.data(), buffer.size());
      if (n < 0) {
        const int error = errno;
        ::close(fd);
        throwIoError(error);
      }
      if (n == 0) break;
      total += static_cast<std::uint64_t>(n);
    }
    ::close(fd);
  }
  return total;
}

// ---- Measuring --------------------------------------------------------------------------------------

struct Result {
  std::string operation;
  double seconds = 0;       // median
  std::uint64_t reads = 0;  // read calls of one run
  bool walk = false;        // reads the whole store: compared with the raw read
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Plan {
  int reps;
  int warmups;
};

// Runs op warmups + reps times, with restore (untimed) after each run; returns the median of the
// timed runs and the reads of the last run.
std::pair<double, std::uint64_t> measure(const Plan& plan, const std::uint64_t& reads, const std::function<void()>& op,
                                         const std::function<void()>& restore) {
  std::vector<double> seconds;
  std::uint64_t lastReads = 0;
  for (int i = 0; i < plan.warmups + plan.reps; ++i) {
    const std::uint64_t before = reads;
    const auto start = std::chrono::steady_clock::now();
    op();
    const auto stop = std::chrono::steady_clock::now();
    lastReads = reads - before;
    if (i >= plan.warmups) seconds.push_back(std::chrono::duration<double>(stop - start).count());
    if (restore) restore();
  }
  return {median(seconds), lastReads};
}

void fail(const std::string& what) { throw std::runtime_error(what); }

std::uint64_t fileSize(const fs::path& path) { return static_cast<std::uint64_t>(fs::file_size(path)); }

// Reads a file once from start to end so that the timed runs find it in the page cache.
void warm(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buffer(std::size_t{8} << 20);
  while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
  }
}

// Pages of the files held in the page cache, as a share of all their pages.
double residentShare(const std::vector<fs::path>& paths) {
  const long page = ::sysconf(_SC_PAGESIZE);
  std::uint64_t total = 0, resident = 0;
  for (const auto& path : paths) {
    const std::uint64_t size = fileSize(path);
    if (size == 0) continue;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED) continue;
    std::vector<unsigned char> pages((size + static_cast<std::uint64_t>(page) - 1) / static_cast<std::uint64_t>(page));
    if (::mincore(map, size, pages.data()) == 0) {
      total += pages.size();
      for (unsigned char p : pages) resident += p & 1;
    }
    ::munmap(map, size);
  }
  return total ? static_cast<double>(resident) / static_cast<double>(total) : 1.0;
}

// ---- One store -------------------------------------------------------------------------------------

struct Survey {
  std::uint64_t mainEntries = 0, updateEntries = 0;
  std::map<std::string, std::uint64_t> perCategory;
  std::string lastName;      // the last entry name exists reaches
  std::string lastMainName;  // the last entry of the main recipe file
  std::uint64_t lastMainFirst = 0, lastMainEnd = 0;
};

Survey survey(RecipeStore& store) {
  Survey s;
  store.walkMainThenUpdate([&](StoreFile file, RecordReader& in, EntryHead& head) {
    skipRest(in);
    ++s.perCategory[head.category];
    s.lastName = head.name;
    if (file == StoreFile::Main) {
      ++s.mainEntries;
      s.lastMainName = head.name;
      s.lastMainFirst = head.first;
      s.lastMainEnd = in.position();
    } else {
      ++s.updateEntries;
    }
  });
  if (s.mainEntries == 0) fail("die Rezeptdatei enthält keine Rezepte");
  return s;
}

std::string readRange(const fs::path& path, std::uint64_t first, std::uint64_t end) {
  auto file = diskFiles()->open(path, OpenMode::ReadOnly);
  std::string bytes((end - first) * kRecordSize, '\0');
  if (file->readAt(first * kRecordSize, std::as_writable_bytes(std::span(bytes))) != bytes.size()) throwEndOfFile();
  return bytes;
}

struct StoreReport {
  std::uint64_t recipes = 0;
  std::uint64_t bytes = 0;
  int reps = 0;
  double resident = 0;
  double rawSeconds = 0;  // median of the raw reads
  std::uint64_t rawReads = 0;
  std::vector<Result> results;
};

Plan planFor(std::uint64_t recipes, int repsOverride) {
  Plan plan{recipes <= 5000 ? 15 : recipes <= 30000 ? 7 : 3, 0};
  if (repsOverride > 0) plan.reps = repsOverride;
  // A warm-up run is cheap on the small stores; on the large ones the page cache is warmed by reading.
  plan.warmups = plan.reps >= 5 ? 1 : 0;
  return plan;
}

StoreReport benchStore(const fs::path& dir, int repsOverride) {
  auto counting = std::make_shared<CountingFiles>(diskFiles());
  RecipeStore store(dir, counting);
  const fs::path mainPath = store.mainPath();
  const fs::path updatePath = store.updatePath();
  const Survey s = survey(store);

  StoreReport report;
  report.recipes = s.mainEntries + s.updateEntries;
  const std::uint64_t mainSize = fileSize(mainPath);
  report.bytes = mainSize + fileSize(updatePath);
  const Plan plan = planFor(report.recipes, repsOverride);
  report.reps = plan.reps;

  std::cerr << dir.string() << ": " << report.recipes << " Rezepte, " << report.bytes << " Bytes, " << plan.reps
            << " Läufe\n";
  warm(mainPath);
  warm(updatePath);
  report.resident = residentShare({mainPath, updatePath});

  const std::uint64_t& reads = counting->count.calls;
  std::uint64_t rawReads = 0;
  const auto raw = [&] {
    std::cerr << "  raw read\n";
    std::vector<double> seconds;
    for (int i = 0; i < plan.warmups + plan.reps; ++i) {
      const auto start = std::chrono::steady_clock::now();
      if (rawRead({mainPath, updatePath}) != report.bytes) fail("die Dateien sind kürzer geworden");
      if (i >= plan.warmups)
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    rawReads = (report.bytes + (std::uint64_t{128} << 10) - 1) / (std::uint64_t{128} << 10) + 2;
    return seconds;
  };
  // The raw read is timed before and after the walks, so both see the same machine.
  std::vector<double> rawSeconds = raw();

  auto walk = [&](const std::string& label, const std::function<void()>& op) {
    std::cerr << "  " << label << '\n';
    Result r;
    r.operation = label;
    r.walk = true;
    std::tie(r.seconds, r.reads) = measure(plan, reads, op, {});
    report.results.push_back(r);
  };

  // Name exists: the last entry it reaches, and a name that is nowhere.
  for (const auto& [label, name, expected] :
       {std::tuple{std::string("name exists, last recipe walked"), s.lastName, true},
        std::tuple{std::string("name exists, missing name"), utf8ToCp1252("Labskaus nach Kapitänsart"), false}}) {
    if (store.nameExists(name) != expected) fail("name exists gibt eine falsche Antwort für " + cp1252ToUtf8(name));
    walk(label, [&] { store.nameExists(name); });
  }

  // List names by category for a mid-sized category.
  std::vector<std::pair<std::uint64_t, std::string>> bySize;
  for (const auto& [category, n] : s.perCategory) bySize.emplace_back(n, category);
  std::sort(bySize.begin(), bySize.end());
  const auto& [categoryCount, category] = bySize[bySize.size() / 2];
  std::vector<std::string> names;
  store.listNamesByCategory(category, names);
  if (names.size() != categoryCount)
    fail("list names by category gibt eine falsche Liste für " + cp1252ToUtf8(category));
  walk("list names by category (" + cp1252ToUtf8(category) + ", " + grouped(categoryCount) + " names)", [&] {
    names.clear();
    store.listNamesByCategory(category, names);
  });

  // Show recipe of the last entry walked: both files walked, its page and picture written.
  walk("show recipe (last recipe walked)", [&] {
    zestovar::views::showRecipePage(store, s.lastName, zestovar::embedded::defaultPicture(),
                                    [](const std::string&) { fail("show recipe meldet einen Fehler"); });
  });

  // Search, both kinds, over every field of every entry; beside each the same search with "ä = ae".
  for (const auto kind : {zestovar::views::SearchKind::And, zestovar::views::SearchKind::Or}) {
    for (const auto spelling : {zestovar::store::Spelling::AsStored, zestovar::store::Spelling::Umlauts}) {
      const std::vector<std::string> terms = {"zwiebeln", "butter"};
      std::vector<std::string> found;
      const int hits =
          zestovar::views::searchRecipes(store, terms, zestovar::views::kAllCategories, kind, found, spelling);
      walk(std::string(kind == zestovar::views::SearchKind::And ? "Und-Suche" : "Oder-Suche") +
               (spelling == zestovar::store::Spelling::Umlauts ? " mit \"ä = ae\"" : "") + " \"zwiebeln butter\" (" +
               grouped(static_cast<std::uint64_t>(hits)) + " hits)",
           [&] {
             found.clear();
             zestovar::views::searchRecipes(store, terms, zestovar::views::kAllCategories, kind, found, spelling);
           });
    }
  }
  const std::vector<double> rawAfter = raw();
  rawSeconds.insert(rawSeconds.end(), rawAfter.begin(), rawAfter.end());
  report.rawSeconds = median(rawSeconds);
  report.rawReads = rawReads;

  // Delete entry of the main file's last recipe; putting its bytes back afterwards restores the store
  // exactly, so every run does the same work.
  const std::string entryBytes = readRange(mainPath, s.lastMainFirst, s.lastMainEnd);
  {
    std::cerr << "  delete entry\n";
    Result r;
    r.operation = "delete entry (last recipe of the main file)";
    std::tie(r.seconds, r.reads) = measure(
        plan, reads,
        [&] {
          store.deleteEntry(s.lastMainName);
          if (fileSize(store.mainPath()) != mainSize - entryBytes.size()) fail("delete entry hat nichts gelöscht");
        },
        [&] {
          auto main = diskFiles()->open(store.mainPath(), OpenMode::ReadWriteCreate);
          main->writeAt(main->size(), std::as_bytes(std::span(entryBytes)));
        });
    report.results.push_back(r);
  }

  // Append entry: the same recipe under a new name, with its picture read from a file as the editor
  // hands it over; cutting the file back afterwards restores the store.
  {
    const auto stored = store.lastByName(s.lastMainName);
    if (!stored) fail("das letzte Rezept fehlt");
    NewRecipe recipe;
    recipe.category = stored->head.category;
    const std::vector<std::string_view> subcategories = words(stored->head.subcategories);
    recipe.subcategories.assign(subcategories.begin(), subcategories.end());
    recipe.name = utf8ToCp1252("Neu: ") + stored->head.name;
    recipe.origin = stored->origin;
    recipe.ingredients = stored->ingredients;
    recipe.preparation = stored->preparation();
    recipe.author = stored->author;
    recipe.persons = stored->persons;
    const fs::path picture = dir / "bench-picture.jpg";
    if (stored->hasPicture) {
      std::ofstream(picture, std::ios::binary)
          .write(stored->picture.data(), static_cast<std::streamsize>(stored->picture.size()));
      recipe.picture = picture;
    }
    std::cerr << "  append entry\n";
    Result r;
    r.operation = stored->hasPicture
                      ? "append entry (picture of " + std::to_string(stored->picture.size() / 1024) + " KB)"
                      : "append entry (no picture)";
    std::tie(r.seconds, r.reads) = measure(
        plan, reads, [&] { store.appendEntry(recipe); },
        [&] { diskFiles()->open(store.mainPath(), OpenMode::ReadWriteCreate)->truncate(mainSize); });
    report.results.push_back(r);
    fs::remove(picture);
  }

  if (fileSize(store.mainPath()) != mainSize || fileSize(store.updatePath()) != report.bytes - mainSize)
    fail("die Rezeptdateien haben nach dem Messen eine andere Größe");
  return report;
}

// ---- Output ----------------------------------------------------------------------------------------

std::string formatSize(std::uint64_t bytes) {
  char text[32];
  if (bytes >= (std::uint64_t{1} << 30))
    std::snprintf(text, sizeof text, "%.2f GB", static_cast<double>(bytes) / (1 << 30));
  else
    std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / (1 << 20));
  return text;
}

std::string cpuModel() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("model name", 0) == 0) {
      const auto colon = line.find(':');
      if (colon != std::string::npos) return line.substr(colon + 2);
    }
  }
  return "unknown CPU";
}

void printTable(const std::vector<StoreReport>& reports) {
  double leastResident = 1.0;
  for (const auto& r : reports) leastResident = std::min(leastResident, r.resident);
  std::printf(
      "Stores made by zestovar-genstore, warm page cache (at least %.0f %% of each store's files resident before "
      "timing), %s, %ld cores. Raw read: both recipe files read from start to end in reads of 128 KiB, as `cat "
      "FILES > /dev/null` does, timed in the same run before and after the walks; × raw read is an operation's "
      "time divided by it. Times are medians of wall time over the runs given; reads are the read system calls "
      "of one run.\n\n",
      leastResident * 100, cpuModel().c_str(), ::sysconf(_SC_NPROCESSORS_ONLN));
  std::printf("| Recipes | Store | Runs | Operation | Time | × raw read | Reads |\n");
  std::printf("|---:|---:|---:|---|---:|---:|---:|\n");
  for (const auto& report : reports) {
    const auto row = [&](const std::string& operation, double seconds, const std::string& ratio, std::uint64_t reads) {
      std::printf("| %s | %s | %d | %s | %s | %s | %s |\n", grouped(report.recipes).c_str(),
                  formatSize(report.bytes).c_str(), report.reps, operation.c_str(), formatTime(seconds).c_str(),
                  ratio.c_str(), grouped(reads).c_str());
    };
    row("raw read of both files", report.rawSeconds, "1.00", report.rawReads);
    for (const auto& r : report.results) {
      char ratio[32] = "–";
      if (r.walk) std::snprintf(ratio, sizeof ratio, "%.2f", r.seconds / report.rawSeconds);
      row(r.operation, r.seconds, ratio, r.reads);
    }
  }
}

int usage() {
  std::cerr << "Aufruf: zestovar-bench [--reps N] SPEICHERVERZEICHNIS...\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 0;
  std::vector<fs::path> dirs;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--reps") {
      if (i + 1 >= argc) return usage();
      reps = std::atoi(argv[++i]);
      if (reps <= 0) return usage();
    } else if (arg.starts_with("-")) {
      return usage();
    } else {
      dirs.emplace_back(arg);
    }
  }
  if (dirs.empty()) return usage();
  try {
    std::vector<StoreReport> reports;
    for (const auto& dir : dirs) {
      if (!fs::exists(resolveProgramFile(*diskFiles(), dir, kMainFileName))) fail(dir.string() + ": keine Rezeptdatei");
      const auto start = std::chrono::steady_clock::now();
      reports.push_back(benchStore(dir, reps));
      std::cerr << "  " << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s\n";
    }
    printTable(reports);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
