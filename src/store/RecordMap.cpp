#include "store/RecordMap.h"

#include <algorithm>
#include <bit>

#include "store/Categories.h"
#include "store/Errors.h"

namespace zestovar::store {

void RecordSet::finish() {
  const std::size_t n = words_.size();
  nextWord_.assign(n + 1, static_cast<std::uint32_t>(n));
  for (std::size_t w = n; w-- > 0;) nextWord_[w] = words_[w] != 0 ? static_cast<std::uint32_t>(w) : nextWord_[w + 1];
  before_.assign(n + 1, 0);
  for (std::size_t w = 0; w < n; ++w)
    before_[w + 1] = before_[w] + static_cast<std::uint64_t>(std::popcount(words_[w]));
}

std::uint64_t RecordSet::next(std::uint64_t i) const {
  std::size_t w = static_cast<std::size_t>(i / 64);
  if (w >= words_.size()) return kNone;
  const std::uint64_t here = words_[w] & (~std::uint64_t{0} << (i % 64));
  if (here != 0) return w * 64 + static_cast<std::uint64_t>(std::countr_zero(here));
  w = nextWord_[w + 1];
  if (w >= words_.size()) return kNone;
  return w * 64 + static_cast<std::uint64_t>(std::countr_zero(words_[w]));
}

std::uint64_t RecordSet::rank(std::uint64_t i) const {
  const std::size_t w = static_cast<std::size_t>(i / 64);
  const std::uint64_t below = (std::uint64_t{1} << (i % 64)) - 1;
  return before_[w] + static_cast<std::uint64_t>(std::popcount(words_[w] & below));
}

RecordMap::RecordMap(FileIo& file, std::uint64_t first, std::uint64_t end) : lookups_(file, 16), first_(first) {
  RecordReader reader(file);
  end_ = std::max(std::min(reader.recordCount(), end), first);
  const std::uint64_t records = end_ - first_;
  for (RecordSet* set : {&tooLong_, &pictureEnd_, &category_, &originMarker_, &integer_}) set->resize(records);
  reader.seek(first_);
  for (std::uint64_t i = 0; i < records; ++i) {
    const unsigned char* record = reader.next();
    if (isPictureEnd(record)) pictureEnd_.insert(i);
    if (record[0] > kMaxText) {
      tooLong_.insert(i);
      continue;
    }
    const std::string_view text = recordText(record);
    if (categoryCode(text)) category_.insert(i);
    if (isOriginMarker(text)) originMarker_.insert(i);
    if (const auto value = parseInteger(text)) {
      integer_.insert(i);
      counts_.push_back(*value);
    }
  }
  for (RecordSet* set : {&tooLong_, &pictureEnd_, &category_, &originMarker_, &integer_}) set->finish();
}

std::optional<int> RecordMap::count(std::uint64_t record) const {
  const std::uint64_t i = record - first_;
  if (!integer_.contains(i)) return std::nullopt;
  return counts_[static_cast<std::size_t>(integer_.rank(i))];
}

std::string RecordMap::text(std::uint64_t record) {
  lookups_.seek(record);
  return std::string(lookups_.nextText());
}

unsigned RecordMap::lengthByte(std::uint64_t record) {
  lookups_.seek(record);
  return lookups_.next()[0];
}

}  // namespace zestovar::store
