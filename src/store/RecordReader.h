// Sequential reading of line records in blocks: one system call per block, never per record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileIo.h"
#include "store/RecordFormat.h"

namespace zestovar::store {

class RecordReader {
 public:
  // Blocks of this many records stay in the processor's cache while a walk steps over them.
  static constexpr std::size_t kBlockRecords = 4096;

  // The file counts as ending before an incomplete last record.
  explicit RecordReader(FileIo& file, std::size_t blockRecords = kBlockRecords);

  std::uint64_t recordCount() const { return count_; }
  std::uint64_t position() const { return pos_; }
  bool atEnd() const { return pos_ >= count_; }
  // Moves to a record index; a position past the end makes the next read fail.
  void seek(std::uint64_t record) { pos_ = record; }

  // The next record's 51 bytes, valid until the next call; throws EndOfFileError at the end.
  const unsigned char* next() {
    const std::uint64_t offset = pos_ - blockFirst_;
    if (offset < blockRecords_) {
      ++pos_;
      return block_.data() + offset * kRecordSize;
    }
    return at(pos_++);
  }
  // The next record as text: its first length characters (at most 50), valid until the next call.
  std::string_view nextText();
  // The next record as a count.
  int nextInteger();
  // Whether the next record is the picture end record (without moving).
  bool nextIsPictureEnd();
  // Moves to the next picture end record, stepping over the records before it inside each block in
  // one loop. Returns whether any record was stepped over; throws EndOfFileError when there is none.
  bool skipToPictureEnd();

 private:
  const unsigned char* at(std::uint64_t record);

  FileIo& file_;
  std::uint64_t count_;
  std::uint64_t pos_ = 0;
  std::vector<unsigned char> block_;
  std::uint64_t blockFirst_ = 0;
  std::uint64_t blockRecords_ = 0;  // records held in block_
};

// The text of a record (length byte clamped to 50).
std::string_view recordText(const unsigned char* record);
bool isPictureEnd(const unsigned char* record);
bool isOriginMarker(std::string_view text);

// Builds one text record: the first 50 characters of text, zero bytes after them.
void appendTextRecord(std::string& out, std::string_view text);

}  // namespace zestovar::store
