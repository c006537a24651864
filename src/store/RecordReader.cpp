#include "store/RecordReader.h"

#include <algorithm>
#include <cstring>

#include "store/Errors.h"

namespace zestovar::store {

RecordReader::RecordReader(FileIo& file, std::size_t blockRecords)
    : file_(file),
      count_(file.size() / kRecordSize),
      block_(static_cast<std::size_t>(std::clamp<std::uint64_t>(count_, 1, std::max<std::size_t>(blockRecords, 1))) *
             kRecordSize) {}

const unsigned char* RecordReader::at(std::uint64_t record) {
  if (record >= count_) throw EndOfFileError();
  if (record < blockFirst_ || record >= blockFirst_ + blockRecords_) {
    const std::uint64_t wanted = std::min<std::uint64_t>(block_.size() / kRecordSize, count_ - record);
    const std::size_t bytes = static_cast<std::size_t>(wanted * kRecordSize);
    const std::size_t got = file_.readAt(record * kRecordSize, std::as_writable_bytes(std::span(block_.data(), bytes)));
    blockFirst_ = record;
    blockRecords_ = got / kRecordSize;
    if (blockRecords_ == 0) throw EndOfFileError();  // the file shrank under us
  }
  return block_.data() + (record - blockFirst_) * kRecordSize;
}

std::string_view RecordReader::nextText() { return recordText(next()); }

int RecordReader::nextInteger() { return toInteger(nextText()); }

bool RecordReader::nextIsPictureEnd() { return isPictureEnd(at(pos_)); }

bool RecordReader::skipToPictureEnd() {
  const std::uint64_t start = pos_;
  for (;;) {
    const unsigned char* record = at(pos_);
    const unsigned char* const end = block_.data() + blockRecords_ * kRecordSize;
    for (; record < end; record += kRecordSize) {
      if (isPictureEnd(record)) {
        pos_ = blockFirst_ + static_cast<std::uint64_t>(record - block_.data()) / kRecordSize;
        return pos_ != start;
      }
    }
    pos_ = blockFirst_ + blockRecords_;
  }
}

std::string_view recordText(const unsigned char* record) {
  const std::size_t length = std::min<std::size_t>(record[0], kMaxText);
  return {reinterpret_cast<const char*>(record + 1), length};
}

bool isPictureEnd(const unsigned char* record) {
  return record[0] == kPictureEnd.size() && std::memcmp(record + 1, kPictureEnd.data(), kPictureEnd.size()) == 0;
}

bool isOriginMarker(std::string_view text) { return text == kOriginMarker; }

void appendTextRecord(std::string& out, std::string_view text) {
  const std::size_t length = std::min(text.size(), kMaxText);
  out += static_cast<char>(length);
  out.append(text.substr(0, length));
  out.append(kMaxText - length, '\0');
}

}  // namespace zestovar::store
