// The HTTP client of the recipe web site: HTTP/1.0 GET with a fixed set of headers, cookies kept for the
// run, no redirects, a fresh connection per fetch, an optional proxy with Basic authentication. It runs
// on the caller's thread: the wait is cut into slices of at most 250 ms, and between two slices the
// caller's hook runs (the windows handle their events there).
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "online/Transfer.h"

namespace zestovar::online {

// The proxy as the proxy dialog sets it (texts Windows-1252). An empty server means no proxy.
struct ProxySettings {
  std::string user;
  std::string password;
  std::string server;
  int port = 0;
  // Every request carries the proxy credentials; it follows "password not empty" at every save.
  bool basicAuthentication = false;
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
  // than 2xx, every socket error, a time-out and a body over the cap throw TransferError; abort()
  // throws store::Cancelled.
  std::string fetch(std::string_view url, std::size_t maxBody);
  // The fetch running now ends at the end of its slice.
  void abort() { guard_.abort(); }
  bool busy() const { return guard_.busy(); }

 private:
  struct Curl;
  struct Reply;
  void setUp(const std::string& address, Reply& reply);
  void wait(const std::string& address, Reply& reply);
  std::string result(const std::string& address, Reply& reply) const;

  std::unique_ptr<Curl> curl_;
  TransferGuard guard_;
};

}  // namespace zestovar::online
