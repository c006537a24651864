#include "store/RecordMap.h"

#include <algorithm>
#include <bit>

#include "store/Categories.h"
#include "store/Errors.h"

namespace zestovar::store {

void RecordSet::resize(std::uint64_t records, bool ranks) {
  words_ = static_cast<std::size_t>((records + 63) / 64);
  ranks_ = ranks;
  data_.assign(words_ + (words_ + 1) * (ranks ? 2 : 1), 0);
}

void RecordSet::finish() {
  std::uint64_t* const next = data_.data() + words_;
  next[words_] = words_;
  for (std::size_t w = words_; w-- > 0;) next[w] = data_[w] != 0 ? w : next[w + 1];
  if (!ranks_) return;
  std::uint64_t* const before = next + words_ + 1;
  for (std::size_t w = 0; w < words_; ++w)
    before[w + 1] = before[w] + static_cast<std::uint64_t>(std::popcount(data_[w]));
}

std::uint64_t RecordSet::next(std::uint64_t i) const {
  std::size_t w = static_cast<std::size_t>(i / 64);
  if (w >= words_) return kNone;
  const std::uint64_t here = data_[w] & (~std::uint64_t{0} << (i % 64));
  if (here != 0) return w * 64 + static_cast<std::uint64_t>(std::countr_zero(here));
  w = static_cast<std::size_t>(data_[words_ + w + 1]);
  if (w >= words_) return kNone;
  return w * 64 + static_cast<std::uint64_t>(std::countr_zero(data_[w]));
}

std::uint64_t RecordSet::rank(std::uint64_t i) const {
  const std::size_t w = static_cast<std::size_t>(i / 64);
  const std::uint64_t below = (std::uint64_t{1} << (i % 64)) - 1;
  return data_[2 * words_ + 1 + w] + static_cast<std::uint64_t>(std::popcount(data_[w] & below));
}

RecordMap::RecordMap(FileIo& file, std::uint64_t first, std::uint64_t end) : lookups_(file, 16), first_(first) {
  RecordReader reader(file);
  end_ = std::max(std::min(reader.recordCount(), end), first);
  const std::uint64_t records = end_ - first_;
  for (RecordSet* set : {&tooLong_, &pictureEnd_, &category_, &originMarker_}) set->resize(records);
  integer_.resize(records, true);
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
