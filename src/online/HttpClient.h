// The HTTP client of the recipe web site: HTTP/1.0 GET with a fixed set of headers, cookies kept for the
// run, no redirects, a fresh connection per fetch, an optional proxy with Basic authentication. It runs
// on the caller's thread: the wait is cut into slices of at most 250 ms, and between two slices the
// caller's hook runs (the windows handle their events there).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zestovar::online {

// A failed transfer; the message is the transport's own text (UTF-8).
class TransferError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A transfer ended by abort() (the main window was closed): nothing for an error box.
class TransferAborted : public TransferError {
 public:
  using TransferError::TransferError;
};

// The proxy as the proxy dialog sets it (texts Windows-1252). An empty server means no proxy.
struct ProxySettings {
  std::string user;
  std::string password;
  std::string server;
  int port = 0;
  // Every request carries the proxy credentials; it follows "password not empty" at every save.
  bool basicAuthentication = false;
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

// Caps of a reply's body.
inline constexpr std::size_t kMaxPageBytes = std::size_t{8} << 20;
inline constexpr std::size_t kMaxRecipeBytes = std::size_t{64} << 20;

class HttpClient {
 public:
  HttpClient();
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  ProxySettings proxy;
  TransferLimits limits;
  // Runs between two slices of waiting.
  std::function<void()> betweenSlices;

  // The body of the reply to a GET of an http:// address, at most maxBody bytes. Every reply other
  // than 2xx, every socket error, a time-out and a body over the cap throw TransferError.
  std::string fetch(std::string_view url, std::size_t maxBody);
  // The fetch running now ends with an error at the end of its slice.
  void abort() { aborted_ = true; }
  bool busy() const { return busy_; }

 private:
  struct Curl;
  std::unique_ptr<Curl> curl_;
  bool busy_ = false;
  bool aborted_ = false;
};

}  // namespace zestovar::online
