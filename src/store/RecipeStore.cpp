#include "store/RecipeStore.h"

#include <algorithm>
#include <unordered_set>

#include "store/BrowseOrder.h"
#include "store/Cp1252.h"
#include "store/Errors.h"

namespace zestovar::store {
namespace {

constexpr std::size_t kCopyBlock = std::size_t{1} << 20;

void walkFile(FileIo& file, StoreFile which, const RecipeStore::Visitor& visit) {
  RecordReader in = entryReader(file);
  EntryHead head;
  while (!in.atEnd()) {
    readHead(in, head);
    visit(which, in, head);
  }
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
  for (FileIo* file : {main.get(), &updateFile()}) {
    RecordReader in = entryReader(*file);
    while (!in.atEnd()) {
      in.next();
      in.next();
      if (in.nextText() == name) return true;
      skipRest(in);
    }
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
  for (FileIo* file : {&updateFile(), main.get()}) {
    RecordReader in = entryReader(*file);
    while (!in.atEnd()) {
      const std::uint64_t first = in.position();
      if (in.nextText() != category) {
        in.seek(first + 3);
        skipRest(in);
        continue;
      }
      in.next();  // subcategories
      std::string name(in.nextText());
      if (present.insert(folded(name)).second) {
        names.push_back(std::move(name));
      } else {
        std::string candidate;
        for (unsigned n = 0;; ++n) {
          candidate = name + "_" + std::to_string(n);
          if (!present.contains(folded(candidate))) break;
        }
        if (candidate.size() > kMaxText) candidate.resize(kMaxText);
        std::string record;
        appendTextRecord(record, candidate);
        file->writeAt((first + 2) * kRecordSize, std::as_bytes(std::span(record)));
        present.insert(folded(candidate));
        names.push_back(std::move(candidate));
      }
      skipRest(in);
    }
  }
}

std::vector<std::string> RecipeStore::browseList(std::string_view category) {
  std::vector<std::string> names;
  listNamesByCategory(category, names);
  finishRecipeList(names);
  return names;
}

void RecipeStore::appendBytes(FileIo& file, std::string_view bytes) {
  const std::uint64_t size = file.size();
  // The new entry goes after the last complete entry: a torn tail and an incomplete last record do
  // not count as part of the file. They are cut off before anything is written, so a failure or a
  // kill at any moment leaves either the entries before or a torn tail of the new entry.
  const std::uint64_t start = entryReader(file).recordCount() * kRecordSize;
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
    names.push_back(head.name);
    skipRest(in);
  });
  return names;
}

void RecipeStore::appendToUpdateFile(std::string_view records) {
  removeLeftovers();
  appendBytes(updateFile(), records);
}

RecipeStore::Kept RecipeStore::keptRanges(FileIo& file, std::string_view name) {
  Kept kept;
  RecordReader in = entryReader(file);
  // A torn tail or an incomplete last record is left out of the rewrite: then it changes the file too.
  kept.changes = in.recordCount() * kRecordSize != file.size();
  EntryHead head;
  while (!in.atEnd()) {
    readHead(in, head);
    skipRest(in);
    if (head.name == name) {
      kept.found = true;
      kept.changes = true;
    } else if (!kept.ranges.empty() && kept.ranges.back().second == head.first) {
      kept.ranges.back().second = in.position();
    } else {
      kept.ranges.emplace_back(head.first, in.position());
    }
  }
  return kept;
}

void RecipeStore::rewrite(FileIo& source, const Kept& kept, std::string_view extra,
                          const std::filesystem::path& target) {
  ReplacementFile out(*files_, target, kRewriteFileName);
  std::vector<std::byte> buffer(kCopyBlock);
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
