#include "online/Transfer.h"

#include "store/Errors.h"

namespace zestovar::online {

PaceFloor::PaceFloor(const TransferLimits& limits, Clock::time_point start)
    : span_(limits.floorSpan), floor_(limits.floorBytes), marks_{{start, 0}} {}

bool PaceFloor::tooSlow(Clock::time_point now, std::uint64_t bytes) {
  if (span_ <= Clock::duration::zero() || floor_ == 0) return false;
  if (now - marks_.back().when >= span_ / 64) marks_.push_back({now, bytes});
  // The front becomes the last mark at or before the start of the span that ends now.
  while (marks_.size() > 1 && marks_[1].when <= now - span_) marks_.pop_front();
  return marks_.front().when <= now - span_ && bytes - marks_.front().bytes < floor_;
}

TransferGuard::Running::Running(TransferGuard& guard) : guard_(guard) {
  if (guard_.busy_) throw TransferError("Es läuft schon eine Übertragung");
  guard_.busy_ = true;
  guard_.aborted_ = false;
}

void TransferGuard::endOfSlice() const {
  if (aborted_) throw store::Cancelled("Die Übertragung wurde abgebrochen");
}

}  // namespace zestovar::online
