// What every record of a stretch of a recipe file can be, noted in one pass, so that an entry can be
// judged from any of its records in a few steps.
//
// The recipe format does not resynchronise: whether a record starts an entry depends on every record
// before it. Deciding where a damaged file can go on (the checker, the torn tail of an interrupted
// append) means trying entries from many records, and trying each by reading it would read the same
// records again and again. The map reads each record once and keeps a few bits a record (about one
// byte for every seven records) and the values of the records that read as counts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/FileIo.h"
#include "store/RecordReader.h"

namespace zestovar::store {

// A set of record indices with the next member found in constant time.
class RecordSet {
 public:
  static constexpr std::uint64_t kNone = UINT64_MAX;

  // Room for records 0 to records - 1, all out of the set; with ranks, rank() can be asked.
  void resize(std::uint64_t records, bool ranks = false);
  void insert(std::uint64_t i) { data_[static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64); }
  bool contains(std::uint64_t i) const {
    return i / 64 < words_ && (data_[static_cast<std::size_t>(i / 64)] >> (i % 64) & 1) != 0;
  }
  // Call after the last insert: prepares next() and rank().
  void finish();
  // The first member at or after i; kNone when there is none.
  std::uint64_t next(std::uint64_t i) const;
  // The number of members below i.
  std::uint64_t rank(std::uint64_t i) const;

 private:
  // One allocation: the words of the set, then for each word the first word at or after it that has
  // a member, then (with ranks) the members in the words before each word.
  std::vector<std::uint64_t> data_;
  std::size_t words_ = 0;
  bool ranks_ = false;
};

class RecordMap {
 public:
  static constexpr std::uint64_t kNone = RecordSet::kNone;

  // Reads the records from `first` up to `end` (at most to the last whole record of the file), in
  // blocks.
  RecordMap(FileIo& file, std::uint64_t first, std::uint64_t end = kNone);

  std::uint64_t first() const { return first_; }
  // The record after the last whole record of the file.
  std::uint64_t end() const { return end_; }

  // A length byte above 50.
  bool tooLong(std::uint64_t record) const { return tooLong_.contains(record - first_); }
  bool pictureEnd(std::uint64_t record) const { return pictureEnd_.contains(record - first_); }
  // A text record that holds one of the six category names.
  bool category(std::uint64_t record) const { return category_.contains(record - first_); }
  bool originMarker(std::uint64_t record) const { return originMarker_.contains(record - first_); }
  // The record read as a count; none when its text is no integer.
  std::optional<int> count(std::uint64_t record) const;

  // The first record at or after `record` of each kind; kNone when there is none.
  std::uint64_t nextTooLong(std::uint64_t record) const { return shift(tooLong_.next(record - first_)); }
  std::uint64_t nextPictureEnd(std::uint64_t record) const { return shift(pictureEnd_.next(record - first_)); }
  std::uint64_t nextCategory(std::uint64_t record) const { return shift(category_.next(record - first_)); }

  // The text and the length byte of a record (read from the file), for messages.
  std::string text(std::uint64_t record);
  unsigned lengthByte(std::uint64_t record);

 private:
  std::uint64_t shift(std::uint64_t relative) const { return relative == kNone ? kNone : relative + first_; }

  RecordReader lookups_;  // small blocks: texts are looked up one at a time
  std::uint64_t first_;
  std::uint64_t end_;
  RecordSet tooLong_, pictureEnd_, category_, originMarker_, integer_;
  std::vector<int> counts_;  // the value of each member of integer_, in record order
};

}  // namespace zestovar::store
