// The HTTP client of the recipe web site: HTTP/1.0 GET with a fixed set of headers, cookies kept for the
// run, no redirects, a fresh connection per fetch, an optional proxy with Basic authentication. Beside
// it, the web profile fetches pages of any recipe site: http and https with the system's certificates,
// redirects followed. Both run on the caller's thread: the wait is cut into slices of at most 250 ms,
// and between two slices the caller's hook runs (the windows handle their events there).
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
inline constexpr std::size_t kMaxWebPageBytes = std::size_t{8} << 20;
inline constexpr std::size_t kMaxWebPictureBytes = std::size_t{16} << 20;
// Redirects the web profile follows before it gives up.
inline constexpr long kMaxRedirects = 5;

// A reply of the web profile.
struct WebReply {
  std::string body;
  std::string address;      // the final address, after redirects
  std::string contentType;  // the Content-Type header of the final reply; empty when there was none
};

// The address the web profile fetches for what the user typed: blanks around it dropped, "https://"
// put in front of an address without a scheme. Throws TransferError for any scheme but http and https.
std::string webAddress(std::string_view typed);

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
  // The web profile: a GET of an http:// or https:// address (see webAddress), following up to
  // kMaxRedirects redirects to http and https addresses only, through the same proxy, with the same
  // limits and the same one transfer at a time as fetch. Cookies live for the one fetch only.
  // alsoBetweenSlices runs after betweenSlices during this fetch (a progress dialog's step; what it
  // throws ends the fetch). Throws as fetch does.
  WebReply fetchWeb(std::string_view address, std::size_t maxBody, const std::function<void()>& alsoBetweenSlices = {});
  // The certificates https addresses are checked against; empty: the system's.
  std::string caFile;
  // The fetch running now ends at the end of its slice.
  void abort() { guard_.abort(); }
  bool busy() const { return guard_.busy(); }

 private:
  struct Curl;
  struct Reply;
  // easy: a libcurl handle (CURL*, which curl.h declares as void).
  void setUp(const std::string& address, Reply& reply);
  void setUpWeb(void* easy, const std::string& address, Reply& reply);
  void setTransfer(void* easy, Reply& reply);
  void setProxy(void* easy);
  void wait(void* easy, const std::string& address, Reply& reply);
  std::string result(void* easy, const std::string& address, Reply& reply) const;

  std::unique_ptr<Curl> curl_;
  TransferGuard guard_;
  const std::function<void()>* alsoBetweenSlices_ = nullptr;
};

}  // namespace zestovar::online
