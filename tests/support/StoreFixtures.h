// Test support for the recipe store: recipe files built byte by byte without the store's own writer,
// program directories on the disk and in memory.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "MemoryFiles.h"
#include "store/Errors.h"
#include "store/FileIo.h"

namespace zestovar::test {

inline constexpr std::size_t kRecord = 51;

// A text record: the length byte, the text, zero bytes up to 51.
inline std::string textRecord(std::string_view text) {
  if (text.size() > 50) throw std::logic_error("a text record holds at most 50 characters");
  std::string r(1, static_cast<char>(text.size()));
  r += text;
  r.resize(kRecord, '\0');
  return r;
}

// A raw record (picture data, tail): the bytes from byte 0 on, zero bytes after them.
inline std::string dataRecord(std::string_view bytes) {
  if (bytes.size() > kRecord) throw std::logic_error("a record holds at most 51 bytes");
  std::string r(bytes);
  r.resize(kRecord, '\0');
  return r;
}

inline const std::string kMarker = "$!$Herkunft bekannt$!$";
inline const std::string kEnd = "!!!Ende des Bildes!!!";

// One entry, record by record as the recipe file layout draws it. The optional texts replace the
// counts the layout demands, for malformed files.
struct EntryRecords {
  std::string category = "Suppe";
  std::string subcategories = " Suppen";
  std::string name = "Kartoffelsuppe";
  bool originPair = true;
  std::string origin = "deutsch";
  std::vector<std::string> ingredients = {"1 kg Kartoffeln",
                                          "1 l Br\xfc"
                                          "he"};
  std::string preparation = "Kartoffeln sch\xe4len und kochen.";
  std::vector<std::string> pieces{};  // when given, the preparation records as they stand
  std::string author = "Quenna";
  std::string persons = "4";
  enum class Picture { None, Bytes, Unreadable } pictureKind = Picture::None;
  std::string picture{};
  std::string n1Text{}, n2Text{}, tailText{};  // empty: the count the layout demands
  bool pictureEnd = true;                      // false: the picture end record is left out
};

inline std::string buildEntry(const EntryRecords& e) {
  std::string out = textRecord(e.category) + textRecord(e.subcategories) + textRecord(e.name);
  const std::size_t n1 = e.ingredients.size() + (e.originPair ? 3 : 1);
  out += textRecord(e.n1Text.empty() ? std::to_string(n1) : e.n1Text);
  if (e.originPair) out += textRecord(kMarker) + textRecord(e.origin);
  for (const auto& line : e.ingredients) out += textRecord(line);
  std::vector<std::string> pieces = e.pieces;
  if (pieces.empty())
    for (std::size_t i = 0; i < e.preparation.size(); i += 50) pieces.push_back(e.preparation.substr(i, 50));
  out += textRecord(e.n2Text.empty() ? std::to_string(pieces.size()) : e.n2Text);
  for (const auto& piece : pieces) out += textRecord(piece);
  out += textRecord(e.author) + textRecord(e.persons);
  const std::string end = e.pictureEnd ? textRecord(kEnd) : std::string();
  switch (e.pictureKind) {
    case EntryRecords::Picture::None:
      out += end + textRecord(kEnd) + textRecord(kEnd);
      break;
    case EntryRecords::Picture::Unreadable:
      out += end + textRecord(e.tailText.empty() ? "-1" : e.tailText) + dataRecord("");
      break;
    case EntryRecords::Picture::Bytes: {
      std::size_t pos = 0;
      for (; e.picture.size() - pos >= 49; pos += 49) out += dataRecord(e.picture.substr(pos, 49));
      const std::string tail = e.picture.substr(pos);
      out += end + textRecord(e.tailText.empty() ? std::to_string(tail.size()) : e.tailText) + dataRecord(tail);
      break;
    }
  }
  return out;
}

inline EntryRecords named(std::string name, std::string category = "Suppe") {
  EntryRecords e;
  e.name = std::move(name);
  e.category = std::move(category);
  return e;
}

// Picture bytes that never look like a record of text.
inline std::string pictureBytes(std::size_t n) {
  std::string p;
  for (std::size_t i = 0; i < n; ++i) p += static_cast<char>(0xFF - (i * 13) % 251);
  return p;
}

inline std::vector<std::string> splitRecords(std::string_view file) {
  std::vector<std::string> records;
  for (std::size_t i = 0; i + kRecord <= file.size(); i += kRecord) records.emplace_back(file.substr(i, kRecord));
  return records;
}

inline std::string textOf(std::string_view record) {
  return std::string(record.substr(1, static_cast<unsigned char>(record[0])));
}

// Compares two recipe files record by record and names the first record that differs, so a failure
// reads as records rather than as two walls of bytes.
inline ::testing::AssertionResult sameRecords(std::string_view actual, std::string_view expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const std::size_t common = std::min(actual.size(), expected.size());
  std::size_t at = 0;
  while (at < common && actual[at] == expected[at]) ++at;
  const std::size_t record = at / kRecord;
  auto show = [record](std::string_view file) {
    if (record * kRecord >= file.size()) return std::string("(end of file)");
    const std::string_view r = file.substr(record * kRecord, kRecord);
    return "\"" + (static_cast<unsigned char>(r[0]) <= 50 ? textOf(r) : std::string("(raw)")) + "\"";
  };
  return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference in record " << record << " (byte " << at % kRecord
                                       << "): " << show(actual) << " instead of " << show(expected);
}

// The text of the error of that type the call throws; "kein Fehler" when it throws none.
template <typename Error, typename Call>
std::string errorText(Call&& call) {
  try {
    call();
  } catch (const Error& error) {
    return error.what();
  }
  return "kein Fehler";
}

// A whole file's bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A program directory of its own, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() {
    std::mt19937_64 random(std::random_device{}());
    path_ = std::filesystem::temp_directory_path() / ("zestovar-store-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }
  void write(std::string_view name, std::string_view bytes) const { writeFile(*this / name, bytes); }
  std::string read(std::string_view name) const { return readFile(*this / name); }
  bool has(std::string_view name) const { return std::filesystem::exists(*this / name); }
  // The names in the directory, sorted.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& item : std::filesystem::directory_iterator(path_)) out.push_back(item.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }

 private:
  std::filesystem::path path_;
};

// A program directory in memory (see MemoryFiles), with the same calls as TempDir.
class MemoryDir {
 public:
  const std::filesystem::path& path() const { return path_; }
  const std::shared_ptr<MemoryFiles>& files() const { return files_; }
  MemoryFiles* operator->() const { return files_.get(); }
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }
  void write(std::string_view name, std::string_view bytes,
             store::Permissions permissions = store::kNewFilePermissions) const {
    files_->write(*this / name, bytes, permissions);
  }
  std::string read(std::string_view name) const { return files_->read(*this / name); }
  bool has(std::string_view name) const { return files_->has(*this / name); }
  std::vector<std::string> names() const { return files_->names(path_); }

 private:
  std::filesystem::path path_ = "/programm";
  std::shared_ptr<MemoryFiles> files_ = std::make_shared<MemoryFiles>();
};

}  // namespace zestovar::test
