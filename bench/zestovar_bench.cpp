// zestovar-bench: times the store operations on generated stores (see zestovar-genstore) and, for the
// two questions the program asks most often, a walk that reads one record per system call, as a
// store without block reads would. Prints a Markdown table; progress goes to standard error.
//
//   zestovar-bench [--reps N] STOREDIR...
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
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
#include <unordered_set>
#include <vector>

#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/Errors.h"
#include "store/FileIo.h"
#include "store/RecipeStore.h"
#include "store/RecordFormat.h"
#include "store/RecordReader.h"
#include "views/DefaultPicture.h"
#include "views/RecipePage.h"
#include "views/RecipeSearch.h"

namespace fs = std::filesystem;
using namespace zestovar::store;

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

 private:
  std::unique_ptr<FileIo> inner_;
  ReadCount& count_;
};

class CountingFiles final : public Files {
 public:
  explicit CountingFiles(std::shared_ptr<Files> inner) : inner_(std::move(inner)) {}
  std::unique_ptr<FileIo> open(const fs::path& path, OpenMode mode) override {
    return std::make_unique<CountingFile>(inner_->open(path, mode), count);
  }
  void replace(const fs::path& from, const fs::path& to) override { inner_->replace(from, to); }
  void remove(const fs::path& path) override { inner_->remove(path); }

  ReadCount count;

 private:
  std::shared_ptr<Files> inner_;
};

// ---- The naive walk: one pread of 51 bytes per record ------------------------------------------

class NaiveFile {
 public:
  NaiveFile(const fs::path& path, std::uint64_t& reads) : reads_(reads) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) throwIoError(errno);
  }
  ~NaiveFile() { ::close(fd_); }
  NaiveFile(const NaiveFile&) = delete;
  NaiveFile& operator=(const NaiveFile&) = delete;

  // Rewinding: the record count is taken anew, as each walk of the store does.
  void rewind() {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throwIoError(errno);
    count_ = static_cast<std::uint64_t>(st.st_size) / kRecordSize;
  }
  std::uint64_t count() const { return count_; }

  const unsigned char* record(std::uint64_t i) {
    if (i >= count_) throwEndOfFile();
    ++reads_;
    const ssize_t n = ::pread(fd_, record_.data(), kRecordSize, static_cast<off_t>(i * kRecordSize));
    if (n < 0) throwIoError(errno);
    if (static_cast<std::size_t>(n) != kRecordSize) throwEndOfFile();
    return record_.data();
  }
  std::string_view text(std::uint64_t i) { return recordText(record(i)); }

  void writeText(std::uint64_t i, std::string_view text) {
    std::string bytes;
    appendTextRecord(bytes, text);
    if (::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(i * kRecordSize)) !=
        static_cast<ssize_t>(bytes.size()))
      throwIoError(errno);
  }

 private:
  int fd_ = -1;
  std::uint64_t count_ = 0;
  std::uint64_t& reads_;
  std::array<unsigned char, kRecordSize> record_{};
};

// Steps 2 to 6 of the entry walk from the ingredient count record at pos, one read per record;
// returns the first record of the next entry.
std::uint64_t naiveSkipRest(NaiveFile& f, std::uint64_t pos) {
  const int n1 = toInteger(f.text(pos));
  if (n1 < 1) throwEndOfFile();
  pos += static_cast<std::uint64_t>(n1);
  const int n2 = toInteger(f.text(pos));
  if (n2 < 0) throwEndOfFile();
  pos += 1 + static_cast<std::uint64_t>(n2);
  f.record(pos++);  // author
  f.record(pos++);  // persons
  while (!isPictureEnd(f.record(pos++))) {
  }
  f.record(pos++);  // tail length
  f.record(pos++);  // tail
  return pos;
}

class NaiveStore {
 public:
  explicit NaiveStore(const fs::path& dir) : dir_(dir), update_(resolveProgramFile(dir, kUpdateFileName), reads) {}

  bool nameExists(std::string_view name) {
    NaiveFile main(resolveProgramFile(dir_, kMainFileName), reads);
    for (NaiveFile* f : {&main, &update_}) {
      f->rewind();
      std::uint64_t pos = 0;
      while (pos < f->count()) {
        f->record(pos);
        f->record(pos + 1);
        if (f->text(pos + 2) == name) return true;
        pos = naiveSkipRest(*f, pos + 3);
      }
    }
    return false;
  }

  void listNamesByCategory(std::string_view category, std::vector<std::string>& names) {
    NaiveFile main(resolveProgramFile(dir_, kMainFileName), reads);
    std::unordered_set<std::string> present;
    for (NaiveFile* f : {&update_, &main}) {
      f->rewind();
      std::uint64_t pos = 0;
      while (pos < f->count()) {
        if (f->text(pos) != category) {
          f->record(pos + 1);
          f->record(pos + 2);
          pos = naiveSkipRest(*f, pos + 3);
          continue;
        }
        f->record(pos + 1);
        std::string name(f->text(pos + 2));
        if (present.insert(folded(name)).second) {
          names.push_back(std::move(name));
        } else {
          std::string candidate;
          for (unsigned n = 0;; ++n) {
            candidate = name + "_" + std::to_string(n);
            if (!present.contains(folded(candidate))) break;
          }
          if (candidate.size() > kMaxText) candidate.resize(kMaxText);
          f->writeText(pos + 2, candidate);
          present.insert(folded(candidate));
          names.push_back(std::move(candidate));
        }
        pos = naiveSkipRest(*f, pos + 3);
      }
    }
  }

  // Show recipe's walk: every entry of that name read whole, its picture collected.
  std::string showRecipe(std::string_view name) {
    NaiveFile main(resolveProgramFile(dir_, kMainFileName), reads);
    std::string picture;
    for (NaiveFile* f : {&main, &update_}) {
      f->rewind();
      std::uint64_t pos = 0;
      while (pos < f->count()) {
        f->record(pos);
        f->record(pos + 1);
        if (f->text(pos + 2) != name) {
          pos = naiveSkipRest(*f, pos + 3);
          continue;
        }
        pos += 3;
        const int n1 = toInteger(f->text(pos));
        for (int i = 0; i < n1; ++i) f->record(pos++);
        const int n2 = toInteger(f->text(pos++));
        for (int i = 0; i < n2 + 2; ++i) f->record(pos++);
        picture.clear();
        for (const unsigned char* r = f->record(pos++); !isPictureEnd(r); r = f->record(pos++))
          picture.append(reinterpret_cast<const char*>(r), kPictureGroup);
        f->record(pos++);
        f->record(pos++);
      }
    }
    return picture;
  }

  // The search's walk: every text field of every entry read and tested.
  int search(const std::vector<std::string>& terms, zestovar::views::SearchKind kind) {
    NaiveFile main(resolveProgramFile(dir_, kMainFileName), reads);
    int hits = 0;
    std::vector<std::string> fields;
    for (NaiveFile* f : {&main, &update_}) {
      f->rewind();
      std::uint64_t pos = 0;
      while (pos < f->count()) {
        fields.clear();
        for (int i = 0; i < 3; ++i) fields.emplace_back(f->text(pos++));
        const int n1 = toInteger(f->text(pos++));
        for (int i = 1; i < n1; ++i) fields.emplace_back(f->text(pos++));
        const int n2 = toInteger(f->text(pos++));
        for (int i = 0; i < n2 + 2; ++i) fields.emplace_back(f->text(pos++));
        while (!isPictureEnd(f->record(pos++))) {
        }
        pos += 2;
        f->record(pos - 2);
        f->record(pos - 1);
        std::size_t found = 0;
        for (const auto& term : terms)
          for (const auto& field : fields)
            if (zestovar::views::containsTest(term, field)) {
              ++found;
              break;
            }
        if (kind == zestovar::views::SearchKind::And ? found == terms.size() : found > 0) ++hits;
      }
    }
    return hits;
  }

  std::uint64_t reads = 0;

 private:
  static std::string folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = foldCase(c);
    return out;
  }

  fs::path dir_;
  NaiveFile update_;
};

std::string grouped(std::uint64_t n);

// ---- Measuring --------------------------------------------------------------------------------------

struct Result {
  std::string operation;
  double ours = 0;              // median seconds
  std::optional<double> naive;  // median seconds
  std::uint64_t oursReads = 0;  // read calls of one run
  std::optional<std::uint64_t> naiveReads;
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

std::vector<std::string> splitBlanks(std::string_view text) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t blank = text.find(' ', pos);
    const std::size_t end = blank == std::string_view::npos ? text.size() : blank;
    if (end > pos) out.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return out;
}

struct StoreReport {
  std::uint64_t recipes = 0;
  std::uint64_t bytes = 0;
  int reps = 0;
  double resident = 0;
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

  NaiveStore naive(dir);
  const std::uint64_t& oursReads = counting->count.calls;

  auto question = [&](const std::string& label, auto ours, auto naiveOp) {
    std::cerr << "  " << label << '\n';
    Result r;
    r.operation = label;
    std::tie(r.ours, r.oursReads) = measure(plan, oursReads, ours, {});
    const auto [t, reads] = measure(plan, naive.reads, naiveOp, {});
    r.naive = t;
    r.naiveReads = reads;
    report.results.push_back(r);
  };

  // Name exists: the last entry it reaches, and a name that is nowhere.
  for (const auto& [label, name, expected] :
       {std::tuple{std::string("name exists, last recipe walked"), s.lastName, true},
        std::tuple{std::string("name exists, missing name"), utf8ToCp1252("Labskaus nach Kapitänsart"), false}}) {
    if (store.nameExists(name) != expected || naive.nameExists(name) != expected)
      fail("name exists gibt eine falsche Antwort für " + cp1252ToUtf8(name));
    question(
        label, [&] { store.nameExists(name); }, [&] { naive.nameExists(name); });
  }

  // List names by category for a mid-sized category.
  std::vector<std::pair<std::uint64_t, std::string>> bySize;
  for (const auto& [category, n] : s.perCategory) bySize.emplace_back(n, category);
  std::sort(bySize.begin(), bySize.end());
  const auto& [categoryCount, category] = bySize[bySize.size() / 2];
  {
    std::vector<std::string> ours, theirs;
    store.listNamesByCategory(category, ours);
    naive.listNamesByCategory(category, theirs);
    if (ours != theirs || ours.size() != categoryCount)
      fail("list names by category gibt verschiedene Listen für " + cp1252ToUtf8(category));
  }
  std::vector<std::string> names;
  question(
      "list names by category (" + cp1252ToUtf8(category) + ", " + grouped(categoryCount) + " names)",
      [&] {
        names.clear();
        store.listNamesByCategory(category, names);
      },
      [&] {
        names.clear();
        naive.listNamesByCategory(category, names);
      });

  // Show recipe of the last entry walked: both files walked, its page and picture written.
  {
    const std::string name = s.lastName;
    const auto viaStore = [&] {
      zestovar::views::showRecipePage(store, name, zestovar::embedded::defaultPicture(),
                                      [](const std::string&) { fail("show recipe meldet einen Fehler"); });
    };
    question("show recipe (last recipe walked)", viaStore, [&] { naive.showRecipe(name); });
  }

  // Search, both kinds, over every field of every entry.
  for (const auto kind : {zestovar::views::SearchKind::And, zestovar::views::SearchKind::Or}) {
    const std::vector<std::string> terms = {"zwiebeln", "butter"};
    std::vector<std::string> found;
    const int hits = zestovar::views::searchRecipes(store, terms, zestovar::views::kAllCategories, kind, found);
    if (hits != naive.search(terms, kind)) fail("die Suche zählt anders als der einfache Lauf");
    question(
        std::string(kind == zestovar::views::SearchKind::And ? "Und-Suche" : "Oder-Suche") + " \"zwiebeln butter\" (" +
            grouped(static_cast<std::uint64_t>(hits)) + " hits)",
        [&] {
          found.clear();
          zestovar::views::searchRecipes(store, terms, zestovar::views::kAllCategories, kind, found);
        },
        [&] { naive.search(terms, kind); });
  }

  // Delete entry of the main file's last recipe; putting its bytes back afterwards restores the store
  // exactly, so every run does the same work.
  const std::string entryBytes = readRange(mainPath, s.lastMainFirst, s.lastMainEnd);
  {
    std::cerr << "  delete entry\n";
    Result r;
    r.operation = "delete entry (last recipe of the main file)";
    std::tie(r.ours, r.oursReads) = measure(
        plan, oursReads,
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
    recipe.subcategories = splitBlanks(stored->head.subcategories);
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
    std::tie(r.ours, r.oursReads) = measure(
        plan, oursReads, [&] { store.appendEntry(recipe); },
        [&] { diskFiles()->open(store.mainPath(), OpenMode::ReadWriteCreate)->truncate(mainSize); });
    report.results.push_back(r);
    fs::remove(picture);
  }

  if (fileSize(store.mainPath()) != mainSize || fileSize(store.updatePath()) != report.bytes - mainSize)
    fail("die Rezeptdateien haben nach dem Messen eine andere Größe");
  return report;
}

// ---- Output ----------------------------------------------------------------------------------------

std::string grouped(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string formatTime(double seconds) {
  char text[32];
  if (seconds < 1e-3)
    std::snprintf(text, sizeof text, "%.0f µs", seconds * 1e6);
  else if (seconds < 0.01)
    std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
  else if (seconds < 1)
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1e3);
  else
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  return text;
}

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
      "Stores made by zestovar-genstore, warm page cache (at least %.0f %% of each store's files "
      "resident before timing), %s, %ld cores. Ours: the store library, which reads its files in large blocks; "
      "naive walk: the same entry walk with one pread of 51 bytes per record. Times are medians of wall time "
      "over the runs given; reads are the read system calls of one run.\n\n",
      leastResident * 100, cpuModel().c_str(), ::sysconf(_SC_NPROCESSORS_ONLN));
  std::printf(
      "| Recipes | Store | Runs | Operation | Ours | Naive walk | Naive / ours | Reads, ours | Reads, naive |\n");
  std::printf("|---:|---:|---:|---|---:|---:|---:|---:|---:|\n");
  for (const auto& report : reports) {
    for (const auto& r : report.results) {
      std::string naive = "–", ratio = "–", naiveReads = "–";
      if (r.naive) {
        naive = formatTime(*r.naive);
        char text[32];
        const double x = *r.naive / r.ours;
        std::snprintf(text, sizeof text, x >= 10 ? "%.0f×" : "%.1f×", x);
        ratio = text;
      }
      if (r.naiveReads) naiveReads = grouped(*r.naiveReads);
      std::printf("| %s | %s | %d | %s | %s | %s | %s | %s | %s |\n", grouped(report.recipes).c_str(),
                  formatSize(report.bytes).c_str(), report.reps, r.operation.c_str(), formatTime(r.ours).c_str(),
                  naive.c_str(), ratio.c_str(), grouped(r.oursReads).c_str(), naiveReads.c_str());
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
      if (!fs::exists(resolveProgramFile(dir, kMainFileName))) fail(dir.string() + ": keine Rezeptdatei");
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
