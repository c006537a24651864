// A web server on 127.0.0.1 for the tests of the HTTP client: it runs on a thread of its own, records
// the raw bytes of every request, and answers each with what the test gives it (or never answers), at
// once or dripping at a pace the test sets.
#pragma once

#include "LocalServers.h"
#include "online/HttpClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace zestovar::test {

class TestHttpServer {
 public:
  // Gets the raw request, returns the raw reply (status line, headers, body) or nothing to stay silent.
  using Answer = std::function<std::optional<std::string>(const std::string& request)>;

  explicit TestHttpServer(Answer answer) : answer_(std::move(answer)) {
    listener_ = listenOnLoopback(port_);
    if (listener_ < 0) throw std::runtime_error("the test server cannot listen");
    thread_ = std::thread([this] { serve(); });
  }
  ~TestHttpServer() {
    stop_ = true;
    thread_.join();
    for (int fd : silent_) ::close(fd);
    ::close(listener_);
  }
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  // Each request as it came, up to and including the blank line after its headers.
  std::vector<std::string> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  int connections() const { return connections_; }
  // Replies from now on go out in pieces of this many bytes with a pause after each (0: at once).
  void pace(std::size_t bytes, std::chrono::milliseconds pause) {
    pauseMs_ = static_cast<int>(pause.count());
    paceBytes_ = bytes;
  }

  static std::string reply(const std::string& status, const std::string& body, const std::string& headers = {}) {
    return "HTTP/1.0 " + status + "\r\n" + headers + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
           body;
  }

 private:
  void serve() {
    while (!stop_) {
      pollfd waiting{listener_, POLLIN, 0};
      if (::poll(&waiting, 1, 20) <= 0) continue;
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      ++connections_;
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
        continue;
      }
      sendPaced(fd, *reply);
      ::close(fd);
    }
  }

  // Ends early when the client went away or the server stops.
  void sendPaced(int fd, const std::string& bytes) {
    const std::size_t piece = paceBytes_ == 0 ? bytes.size() : paceBytes_.load();
    for (std::size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = ::send(fd, bytes.data() + sent, std::min(piece, bytes.size() - sent), MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += static_cast<std::size_t>(n);
      for (int waited = 0; paceBytes_ != 0 && sent < bytes.size() && waited < pauseMs_; waited += 5) {
        if (stop_) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
  }

  Answer answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_ = false;
  std::atomic<int> connections_ = 0;
  std::atomic<std::size_t> paceBytes_ = 0;
  std::atomic<int> pauseMs_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> silent_;
  std::thread thread_;
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
