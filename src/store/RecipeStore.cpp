#include "store/RecipeStore.h"

#include <unordered_set>

#include "store/BrowseOrder.h"
#include "store/Cp1252.h"
#include "store/Errors.h"

namespace zestovar::store {
namespace {

using Ranges = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

constexpr std::size_t kCopyBlock = std::size_t{1} << 20;

void walkFile(FileIo& file, StoreFile which, const RecipeStore::Visitor& visit) {
  RecordReader in(file);
  while (!in.atEnd()) {
    EntryHead head = readHead(in);
    visit(which, in, head);
  }
}

std::string folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = foldCase(c);
  return out;
}

bool hasPartialRecord(FileIo& file) { return file.size() % kRecordSize != 0; }

}  // namespace

RecipeStore::RecipeStore(std::filesystem::path dir, std::shared_ptr<Files> files)
    : dir_(std::move(dir)), files_(std::move(files)) {
  updatePath_ = resolveProgramFile(dir_, kUpdateFileName);
  update_ = files_->open(updatePath_, OpenMode::ReadWriteCreate);
}

std::filesystem::path RecipeStore::mainPath() const { return resolveProgramFile(dir_, kMainFileName); }

std::filesystem::path RecipeStore::updatePath() const { return updatePath_; }

FileIo& RecipeStore::updateFile() {
  // A handle lost to a failed reopen is opened again by the next operation, which reports a
  // failure itself.
  if (!update_) update_ = files_->open(updatePath_, OpenMode::ReadWriteCreate);
  return *update_;
}

std::unique_ptr<FileIo> RecipeStore::openMain() { return files_->open(mainPath(), OpenMode::ReadWriteCreate); }

void RecipeStore::walkMainThenUpdate(const Visitor& visit) {
  auto main = openMain();
  walkFile(*main, StoreFile::Main, visit);
  walkFile(updateFile(), StoreFile::Update, visit);
}

std::vector<StoredRecipe> RecipeStore::findByName(std::string_view name) {
  std::vector<StoredRecipe> found;
  walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    if (head.name == name)
      found.push_back(readRest(in, std::move(head)));
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
    RecordReader in(*file);
    while (!in.atEnd()) {
      if (readHead(in).name == name) return true;
      skipRest(in);
    }
  }
  return false;
}

std::string RecipeStore::authorByName(std::string_view name) {
  std::string author;
  walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    std::string a = skipRest(in);
    if (head.name == name) author = std::move(a);
  });
  return author;
}

void RecipeStore::listNamesByCategory(std::string_view category, std::vector<std::string>& names) {
  auto main = openMain();
  std::unordered_set<std::string> present;
  for (const auto& n : names) present.insert(folded(n));
  for (FileIo* file : {&updateFile(), main.get()}) {
    RecordReader in(*file);
    while (!in.atEnd()) {
      const std::uint64_t first = in.position();
      if (in.nextText() != category) {
        in.next();
        in.next();
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
  // An incomplete last record does not count as part of the file and is overwritten.
  const std::uint64_t start = size / kRecordSize * kRecordSize;
  std::string partial(size - start, '\0');
  if (!partial.empty()) file.readAt(start, std::as_writable_bytes(std::span(partial)));
  try {
    file.writeAt(start, std::as_bytes(std::span(bytes)));
    file.flush();
  } catch (...) {
    // Cut back to the previous length, so no walk ever meets a partial entry.
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
  const std::string bytes = encodeEntry(recipe);
  auto main = openMain();
  appendBytes(*main, bytes);
}

Ranges RecipeStore::keptRanges(FileIo& file, std::string_view name, bool& found) {
  Ranges ranges;
  RecordReader in(file);
  while (!in.atEnd()) {
    const std::uint64_t first = in.position();
    const bool match = readHead(in).name == name;
    skipRest(in);
    if (match) {
      found = true;
    } else if (!ranges.empty() && ranges.back().second == first) {
      ranges.back().second = in.position();
    } else {
      ranges.emplace_back(first, in.position());
    }
  }
  return ranges;
}

void RecipeStore::rewrite(FileIo& source, const Ranges& ranges, std::string_view extra,
                          const std::filesystem::path& target) {
  const std::filesystem::path newPath = resolveProgramFile(dir_, kRewriteFileName);
  try {
    auto out = files_->open(newPath, OpenMode::CreateTruncate);
    std::vector<std::byte> buffer(kCopyBlock);
    std::uint64_t outPos = 0;
    for (const auto& [first, end] : ranges) {
      std::uint64_t pos = first * kRecordSize;
      const std::uint64_t stop = end * kRecordSize;
      while (pos < stop) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), stop - pos));
        const std::size_t got = source.readAt(pos, std::span(buffer.data(), want));
        if (got != want) throwEndOfFile();
        out->writeAt(outPos, std::span<const std::byte>(buffer.data(), got));
        pos += got;
        outPos += got;
      }
    }
    if (!extra.empty()) out->writeAt(outPos, std::as_bytes(std::span(extra)));
    out->flush();
    out.reset();
    files_->replace(newPath, target);
  } catch (...) {
    try {
      files_->remove(newPath);
    } catch (...) {
    }
    throw;
  }
}

void RecipeStore::reopenUpdate() {
  update_.reset();
  update_ = files_->open(updatePath_, OpenMode::ReadWriteCreate);
}

void RecipeStore::deleteEntry(std::string_view name) {
  auto main = openMain();
  bool inUpdate = false;
  const Ranges updateKept = keptRanges(updateFile(), name, inUpdate);
  // A rewrite that would give the same bytes again is left out.
  if (inUpdate || hasPartialRecord(updateFile())) {
    rewrite(updateFile(), updateKept, {}, updatePath_);
    reopenUpdate();
  }
  if (inUpdate) return;
  bool inMain = false;
  const Ranges mainKept = keptRanges(*main, name, inMain);
  if (inMain || hasPartialRecord(*main)) rewrite(*main, mainKept, {}, mainPath());
}

void RecipeStore::replaceEntry(std::string_view name, const NewRecipe& recipe) {
  // The new entry's bytes (and the picture) are read before anything changes.
  const std::string bytes = encodeEntry(recipe);
  auto main = openMain();
  bool inUpdate = false;
  const Ranges updateKept = keptRanges(updateFile(), name, inUpdate);
  if (inUpdate) {
    // The new entry goes in first: a failure afterwards leaves the old and the new entry, never none.
    appendBytes(*main, bytes);
    rewrite(updateFile(), updateKept, {}, updatePath_);
    reopenUpdate();
    return;
  }
  if (hasPartialRecord(updateFile())) {
    rewrite(updateFile(), updateKept, {}, updatePath_);
    reopenUpdate();
  }
  bool inMain = false;
  const Ranges mainKept = keptRanges(*main, name, inMain);
  if (inMain || hasPartialRecord(*main))
    rewrite(*main, mainKept, bytes, mainPath());  // removal and append in one rename
  else
    appendBytes(*main, bytes);
}

}  // namespace zestovar::store
