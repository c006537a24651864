#include "store/RecipeStore.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "store/BrowseOrder.h"
#include "store/Cp1252.h"
#include "store/EntryRules.h"
#include "store/Errors.h"

namespace zestovar::store {
namespace {

constexpr std::size_t kCopyBlock = std::size_t{1} << 20;

void walkFile(FileIo& file, StoreFile which, const RecipeStore::Visitor& visit) {
  walkEntries(file, [&](RecordReader& in, EntryHead& head) {
    visit(which, in, head);
    return true;
  });
}

std::string folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = foldCase(c);
  return out;
}

}  // namespace

RecipeStore::RecipeStore(std::filesystem::path dir, std::shared_ptr<Files> files)
    : dir_(std::move(dir)), files_(std::move(files)) {
  updatePath_ = resolveProgramFile(*files_, dir_, kUpdateFileName);
  update_ = files_->open(updatePath_, OpenMode::ReadWriteCreate);
  removeLeftovers();
}

std::filesystem::path RecipeStore::mainPath() const { return resolveProgramFile(*files_, dir_, kMainFileName); }

std::filesystem::path RecipeStore::updatePath() const { return updatePath_; }

FileIo& RecipeStore::updateFile() {
  // A handle lost to a failed reopen is opened again by the next operation, which reports a
  // failure itself.
  if (!update_) update_ = files_->open(updatePath_, OpenMode::ReadWriteCreate);
  return *update_;
}

std::unique_ptr<FileIo> RecipeStore::openMain() { return files_->open(mainPath(), OpenMode::ReadWriteCreate); }

void RecipeStore::removeLeftovers() {
  // A rewrite killed part-way leaves its "New.dat" beside the recipe file it was writing.
  for (const auto& file : {mainPath(), updatePath_})
    files_->remove(resolveProgramFile(*files_, files_->target(file).parent_path(), kRewriteFileName));
}

void RecipeStore::walkMainThenUpdate(const Visitor& visit) {
  auto main = openMain();
  walkFile(*main, StoreFile::Main, visit);
  walkFile(updateFile(), StoreFile::Update, visit);
}

std::vector<StoredRecipe> RecipeStore::findByName(std::string_view name) {
  std::vector<StoredRecipe> found;
  walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    if (head.name == name)
      found.push_back(readRest(in, head));
    else
      skipRest(in);
  });
  return found;
}

std::optional<StoredRecipe> RecipeStore::lastByName(std::string_view name) {
  auto all = findByName(name);
  if (all.empty()) return std::nullopt;
  return std::move(all.back());
}

bool RecipeStore::nameExists(std::string_view name) {
  auto main = openMain();
  bool found = false;
  for (FileIo* file : {main.get(), &updateFile()}) {
    walkEntries(*file, [&](RecordReader& in, EntryHead& head) {
      skipRest(in);
      found = head.name == name;
      return !found;
    });
    if (found) return true;
  }
  return false;
}

std::string RecipeStore::authorByName(std::string_view name) {
  std::string author, last;
  walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    if (head.name != name) return skipRest(in);
    skipRest(in, &last);
    author = last;
  });
  return author;
}

void RecipeStore::listNamesByCategory(std::string_view category, std::vector<std::string>& names) {
  auto main = openMain();
  std::unordered_set<std::string> present;
  for (const auto& n : names) present.insert(folded(n));
  // For each repeated name (folded), the smallest n whose name_n may still be free: names are only
  // ever added, so the search for the next suffix goes on where the last one stopped instead of
  // trying 0, 1, 2, ... again for every repeat.
  std::unordered_map<std::string, unsigned> nextSuffix;
  std::string candidate;
  for (FileIo* file : {&updateFile(), main.get()}) {
    walkEntries(*file, [&](RecordReader& in, EntryHead& head) {
      if (head.category != category) {
        skipRest(in);
        return true;
      }
      std::string base = folded(head.name);
      const bool repeated = present.contains(base);
      unsigned* suffix = nullptr;
      if (repeated) {
        suffix = &nextSuffix[base];
        for (;; ++*suffix) {
          candidate = head.name + "_" + std::to_string(*suffix);
          if (!present.contains(folded(candidate))) break;
        }
      }
      // The name is listed (and a new one written) once the entry is known to be whole, or when it
      // stops the listing with an error; the torn tail of an interrupted append is passed over.
      const auto list = [&] {
        if (!repeated) {
          present.insert(std::move(base));
          names.push_back(head.name);
          return;
        }
        // A name cut back to its old text stays free under that suffix for the next repeat.
        if (candidate.size() > kMaxText)
          candidate.resize(kMaxText);
        else
          ++*suffix;
        std::string record;
        appendTextRecord(record, candidate);
        file->writeAt((head.first + kNameAt) * kRecordSize, std::as_bytes(std::span(record)));
        present.insert(folded(candidate));
        names.push_back(candidate);
      };
      try {
        skipRest(in);
      } catch (const EndOfFileError&) {
        if (isTornTail(*file, head.first)) return false;
        list();
        throw;
      } catch (const StoreError&) {
        list();
        throw;
      }
      list();
      return true;
    });
  }
}

std::vector<std::string> RecipeStore::browseList(std::string_view category) {
  std::vector<std::string> names;
  listNamesByCategory(category, names);
  finishRecipeList(names);
  return names;
}

void RecipeStore::keepCutTail(FileIo& file, std::uint64_t from) {
  const std::uint64_t size = file.size();
  if (size <= from) return;
  std::string bytes(static_cast<std::size_t>(size - from), '\0');
  if (file.readAt(from, std::as_writable_bytes(std::span(bytes))) != bytes.size()) throw EndOfFileError();
  appendToOwnFile(*files_, resolveProgramFile(*files_, dir_, kCutTailFileName), bytes);
}

void RecipeStore::appendBytes(FileIo& file, std::string_view bytes) {
  const std::uint64_t size = file.size();
  // The new entry goes after the last complete entry: a torn tail and an incomplete last record do
  // not count as part of the file. They are kept in "Abgeschnitten.dat" and cut off before anything
  // is written, so a failure or a kill at any moment leaves either the entries before or a torn tail
  // of the new entry.
  const std::uint64_t start = appendPosition(file) * kRecordSize;
  keepCutTail(file, start);
  // An incomplete last record alone is put back when the append fails, so the file is as it was.
  std::string partial;
  if (size - start < kRecordSize) {
    partial.resize(size - start);
    file.readAt(start, std::as_writable_bytes(std::span(partial)));
  }
  try {
    if (size != start) file.truncate(start);
    file.writeAt(start, std::as_bytes(std::span(bytes)));
    file.flush();
  } catch (...) {
    try {
      file.truncate(start);
      if (!partial.empty()) file.writeAt(start, std::as_bytes(std::span(partial)));
      file.flush();
    } catch (...) {
    }
    throw;
  }
}

void RecipeStore::appendEntry(const NewRecipe& recipe) {
  const std::string bytes = encodeEntry(recipe, *files_);
  removeLeftovers();
  auto main = openMain();
  appendBytes(*main, bytes);
}

void RecipeStore::appendEntries(const std::vector<NewRecipe>& recipes) {
  if (recipes.empty()) return;
  std::string bytes;
  for (const NewRecipe& recipe : recipes) bytes += encodeEntry(recipe, *files_);
  appendEncoded(bytes);
}

void RecipeStore::appendEncoded(std::string_view entries) {
  if (entries.empty()) return;
  removeLeftovers();
  auto main = openMain();
  appendBytes(*main, entries);
}

std::vector<std::string> RecipeStore::allNames() {
  std::vector<std::string> names;
  walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    skipRest(in);
    names.push_back(head.name);
  });
  return names;
}

void RecipeStore::appendToUpdateFile(std::string_view records) {
  removeLeftovers();
  appendBytes(updateFile(), records);
}

RecipeStore::Kept RecipeStore::keptRanges(FileIo& file, std::string_view name) {
  Kept kept;
  std::uint64_t end = 0;
  walkEntries(file, [&](RecordReader& in, EntryHead& head) {
    skipRest(in);
    end = in.position();
    if (head.name == name) {
      kept.found = true;
      kept.changes = true;
    } else if (!kept.ranges.empty() && kept.ranges.back().second == head.first) {
      kept.ranges.back().second = end;
    } else {
      kept.ranges.emplace_back(head.first, end);
    }
    return true;
  });
  // A torn tail or an incomplete last record is left out of the rewrite: then it changes the file too.
  kept.end = end;
  kept.changes = kept.changes || end * kRecordSize != file.size();
  return kept;
}

void RecipeStore::rewrite(FileIo& source, const Kept& kept, std::string_view extra,
                          const std::filesystem::path& target) {
  keepCutTail(source, kept.end * kRecordSize);
  ReplacementFile out(*files_, target, kRewriteFileName);
  std::vector<std::byte> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(kCopyBlock, kept.end * kRecordSize)));
  std::uint64_t outPos = 0;
  for (const auto& [first, end] : kept.ranges) {
    std::uint64_t pos = first * kRecordSize;
    const std::uint64_t stop = end * kRecordSize;
    while (pos < stop) {
      const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), stop - pos));
      const std::size_t got = source.readAt(pos, std::span(buffer.data(), want));
      if (got != want) throw EndOfFileError();
      out.file().writeAt(outPos, std::span<const std::byte>(buffer.data(), got));
      pos += got;
      outPos += got;
    }
  }
  if (!extra.empty()) out.file().writeAt(outPos, std::as_bytes(std::span(extra)));
  out.commit();
}

void RecipeStore::reopenUpdate() {
  update_.reset();
  update_ = files_->open(updatePath_, OpenMode::ReadWriteCreate);
}

void RecipeStore::deleteEntry(std::string_view name) {
  removeLeftovers();
  auto main = openMain();
  const Kept update = keptRanges(updateFile(), name);
  // A rewrite that would give the same bytes again is left out.
  if (update.changes) {
    rewrite(updateFile(), update, {}, updatePath_);
    reopenUpdate();
  }
  if (update.found) return;
  const Kept kept = keptRanges(*main, name);
  if (kept.changes) rewrite(*main, kept, {}, mainPath());
}

void RecipeStore::replaceEntry(std::string_view name, const NewRecipe& recipe) {
  // The new entry's bytes (and the picture) are read before anything changes.
  const std::string bytes = encodeEntry(recipe, *files_);
  removeLeftovers();
  auto main = openMain();
  const Kept update = keptRanges(updateFile(), name);
  if (update.found) {
    // The new entry goes in first: a failure afterwards leaves the old and the new entry, never none.
    appendBytes(*main, bytes);
    rewrite(updateFile(), update, {}, updatePath_);
    reopenUpdate();
    return;
  }
  if (update.changes) {
    rewrite(updateFile(), update, {}, updatePath_);
    reopenUpdate();
  }
  const Kept kept = keptRanges(*main, name);
  if (kept.changes)
    rewrite(*main, kept, bytes, mainPath());  // removal and append in one rename
  else
    appendBytes(*main, bytes);
}

}  // namespace zestovar::store
