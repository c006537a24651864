// A web server on 127.0.0.1 for the tests of the HTTP client: it runs on a thread of its own, records
// the raw bytes of every request, and answers each with what the test gives it (or never answers), at
// once or dripping at a pace the test sets.
#pragma once

#include "LocalServers.h"
#include "online/HttpClient.h"

#include <poll.h>
#include <unistd.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zestovar::test {

class TestHttpServer : public LoopbackServer {
 public:
  // Gets the raw request, returns the raw reply (status line, headers, body) or nothing to stay silent.
  using Answer = std::function<std::optional<std::string>(const std::string& request)>;

  explicit TestHttpServer(Answer answer) : answer_(std::move(answer)) {
    start([this](int fd) { talk(fd); });
  }
  ~TestHttpServer() {
    stop();
    for (int fd : silent_) ::close(fd);
  }

  std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port()) + path; }
  // Each request as it came, up to and including the blank line after its headers.
  std::vector<std::string> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

  static std::string reply(const std::string& status, const std::string& body, const std::string& headers = {}) {
    return "HTTP/1.0 " + status + "\r\n" + headers + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
           body;
  }

 private:
  void talk(int fd) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && !stop_) {
      pollfd readable{fd, POLLIN, 0};
      if (::poll(&readable, 1, 20) <= 0) continue;
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      request.append(buffer, static_cast<std::size_t>(n));
    }
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    const std::optional<std::string> reply = answer_(request);
    if (!reply) {
      silent_.push_back(fd);
      return;
    }
    sendPaced(fd, *reply);
    ::close(fd);
  }

  Answer answer_;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> silent_;
};

// The text of a failed fetch of that address, as the program's own HTTP client gives it (UTF-8), so
// that tests of error boxes do not spell out libcurl's wording.
inline std::string fetchError(const std::string& url) {
  online::HttpClient http;
  try {
    http.fetch(url, 1024);
  } catch (const online::TransferError& e) {
    return e.what();
  }
  return {};
}

}  // namespace zestovar::test
