// What the HTTP client and the mail client share: their errors, their limits and the pace they keep,
// and the guard that lets one transfer run at a time and ends it when the program asks.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <stdexcept>

namespace zestovar::online {

// A failed transfer; the message is the transport's own text (UTF-8).
class TransferError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TransferLimits {
  std::chrono::milliseconds connect{30000};  // until the connection stands
  std::chrono::milliseconds stall{60000};    // without a byte from the other side
  // Once the connection has stood this long, every span of this length just past must have moved at
  // least floorBytes, or the other side is as good as silent: a byte now and then keeps no transfer.
  std::chrono::milliseconds floorSpan{60000};
  std::size_t floorBytes = 1024;
};

// The floor of TransferLimits, fed after every slice with the bytes moved so far. It keeps one mark
// per 1/64 of the span, so it costs the same however fast the bytes come.
class PaceFloor {
 public:
  using Clock = std::chrono::steady_clock;
  PaceFloor(const TransferLimits& limits, Clock::time_point start);
  // Whether the span that ends now moved fewer than floorBytes (bytes: all moved since the start).
  bool tooSlow(Clock::time_point now, std::uint64_t bytes);

 private:
  struct Mark {
    Clock::time_point when;
    std::uint64_t bytes;
  };
  Clock::duration span_;
  std::uint64_t floor_;
  std::deque<Mark> marks_;
};

// One transfer at a time per client: the caller's hook runs inside a transfer's wait, and a second
// transfer started there would share the first one's handle and slices.
class TransferGuard {
 public:
  // Held for the length of one transfer; a second one while it is held throws TransferError.
  class Running {
   public:
    explicit Running(TransferGuard& guard);
    ~Running() { guard_.busy_ = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

   private:
    TransferGuard& guard_;
  };

  bool busy() const { return busy_; }
  // The transfer running now ends at the end of its slice.
  void abort() { aborted_ = true; }
  // Called at the end of every slice: throws store::Cancelled once abort() was called.
  void endOfSlice() const;

 private:
  bool busy_ = false;
  bool aborted_ = false;
};

}  // namespace zestovar::online
