// The recipe store: the main recipe file and the update recipe file of a program directory.
//
// Every operation walks the files from their first record; nothing is cached between operations.
// The main recipe file is opened (created when missing) and closed by each operation; the update
// recipe file is opened once and kept open.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Entry.h"
#include "store/FileIo.h"

namespace zestovar::store {

enum class StoreFile { Main, Update };

// What the editor's "Speichern" and the command line's add say to a recipe that breaks their rules
// (UTF-8): no category or no subcategory chosen, and a name the book holds already.
inline constexpr std::string_view kNoCategoryChosen = "Bitte eine Kategorie wählen.";
inline constexpr std::string_view kNameTaken = "Name schon vorhanden. Bitte anderen Namen wählen.";

class RecipeStore {
 public:
  // Opens the update recipe file, creating it empty when missing, and removes a "New.dat" left by a
  // rewrite that was killed; throws StoreError on failure.
  explicit RecipeStore(std::filesystem::path dir, std::shared_ptr<Files> files = diskFiles());

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path mainPath() const;
  std::filesystem::path updatePath() const;
  Files& files() { return *files_; }

  // Opens the main recipe file for one operation (created empty when missing).
  std::unique_ptr<FileIo> openMain();
  // The update recipe file's open handle.
  FileIo& updateFile();

  // Calls visit for every entry of the main recipe file, then of the update recipe file, with the
  // reader after the entry's name record; visit must read or skip the rest of the entry before it acts
  // on it (see walkEntries). The head's texts are reused from entry to entry. Walks end before a torn
  // tail.
  using Visitor = std::function<void(StoreFile, RecordReader&, EntryHead&)>;
  void walkMainThenUpdate(const Visitor& visit);

  // Every entry whose name record equals name exactly, main recipe file first.
  std::vector<StoredRecipe> findByName(std::string_view name);
  // The last entry of that name (an entry of the update recipe file wins).
  std::optional<StoredRecipe> lastByName(std::string_view name);
  bool nameExists(std::string_view name);
  // The author record of the last entry of that name; empty when there is none.
  std::string authorByName(std::string_view name);

  // Collects the names of a category, update recipe file first, into names (walk order; on an
  // error names keeps what was added). A name repeated without regard to letter case is renamed on
  // disk to name_0, name_1, ... (cut to 50 characters), one record written in place.
  void listNamesByCategory(std::string_view category, std::vector<std::string>& names);
  // The browse list of a category: the names, the letter items above 20 names, sorted.
  std::vector<std::string> browseList(std::string_view category);

  // Appends an entry to the main recipe file, after its last complete entry (a torn tail is kept in
  // "Abgeschnitten.dat" and cut off first). A failure part-way cuts the file back.
  void appendEntry(const NewRecipe& recipe);
  // Appends several entries in one write, as appendEntry does one: every picture is read and checked
  // before anything is written, and a failure part-way leaves none of them.
  void appendEntries(const std::vector<NewRecipe>& recipes);
  // Appends entries encoded by encodeEntry (whole entries back to back) in one write, as appendEntry
  // does one.
  void appendEncoded(std::string_view entries);
  // The names of every entry of both files, in walk order (one walk).
  std::vector<std::string> allNames();
  // Appends downloaded entries (whole line records, checked by the caller) to the update recipe file
  // through its open handle, after its last complete entry; a failure part-way cuts the file back.
  void appendToUpdateFile(std::string_view records);
  // Removes every entry named name from the update recipe file when it holds one, otherwise from
  // the main recipe file. Each rewrite goes through "New.dat" and a rename (see ReplacementFile)
  // and leaves a torn tail out (kept in "Abgeschnitten.dat").
  void deleteEntry(std::string_view name);
  // Deletes the entries of name and appends the new fields; no failure leaves the recipe missing.
  void replaceEntry(std::string_view name, const NewRecipe& recipe);

 private:
  // The records of a file a rewrite without the entries of a name keeps.
  struct Kept {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;  // [first, end) record ranges
    bool found = false;                                           // an entry carried the name
    bool changes = false;                                         // the rewrite gives other bytes than the file holds
    std::uint64_t end = 0;                                        // the record after the last complete entry
  };
  static Kept keptRanges(FileIo& file, std::string_view name);
  // Writes the kept ranges, then extra, to "New.dat" and puts it in the place of target.
  void rewrite(FileIo& source, const Kept& kept, std::string_view extra, const std::filesystem::path& target);
  void removeLeftovers();
  // Appends the bytes of a file from byte `from` on to "Abgeschnitten.dat", before they are cut off.
  void keepCutTail(FileIo& file, std::uint64_t from);
  void appendBytes(FileIo& file, std::string_view bytes);
  void reopenUpdate();

  std::filesystem::path dir_;
  std::shared_ptr<Files> files_;
  std::filesystem::path updatePath_;
  std::unique_ptr<FileIo> update_;
};

}  // namespace zestovar::store
