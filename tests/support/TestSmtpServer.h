// A mail server on 127.0.0.1 for the tests of the mail client. It runs on a thread of its own and plays
// the replies the test gives, one after another: the first as the greeting, then one for each command
// line; after a reply starting "354" the next one answers the message, which ends with a line ".". Each
// reply goes out with CR LF added; the reply kClose closes the connection instead. When the replies run
// out the server stays silent. It records every byte the client sends. Replies can drip at a pace the
// test sets.
#pragma once

#include "LocalServers.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace zestovar::test {

class TestSmtpServer : public LoopbackServer {
 public:
  static constexpr const char* kClose =
      "(Verbindung schlie\xC3\x9F"
      "en)";

  explicit TestSmtpServer(std::vector<std::string> replies) : replies_(std::move(replies)) {
    start([this](int fd) {
      talk(fd);
      ::close(fd);
    });
  }
  ~TestSmtpServer() { stop(); }

  // Every byte the client sent, in order.
  std::string received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }
  // A command or message arrived before the reply to the one before it.
  bool pipelined() const { return pipelined_; }

 private:
  void talk(int fd) {
    if (!answer(fd)) return;
    std::string pending;
    char buffer[65536];
    while (!stop_) {
      pollfd readable{fd, POLLIN, 0};
      if (::poll(&readable, 1, 20) <= 0) continue;
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n <= 0) return;
      {
        std::lock_guard lock(mutex_);
        received_.append(buffer, static_cast<std::size_t>(n));
      }
      pending.append(buffer, static_cast<std::size_t>(n));
      for (std::size_t end; (end = unitEnd(pending)) != std::string::npos;) {
        pending.erase(0, end);
        if (!pending.empty()) pipelined_ = true;
        if (!answer(fd)) return;
      }
    }
  }

  // The end of the first whole command line, or of the whole message after a 354.
  std::size_t unitEnd(const std::string& pending) const {
    if (!inMessage_) {
      const std::size_t end = pending.find("\r\n");
      return end == std::string::npos ? end : end + 2;
    }
    if (pending.starts_with(".\r\n")) return 3;
    const std::size_t end = pending.find("\r\n.\r\n");
    return end == std::string::npos ? end : end + 5;
  }

  // Sends the next reply; false when the connection is to be closed.
  bool answer(int fd) {
    if (next_ == replies_.size()) return true;
    const std::string& reply = replies_[next_++];
    if (reply == kClose) return false;
    inMessage_ = reply.starts_with("354");
    return sendPaced(fd, reply + "\r\n");
  }

  const std::vector<std::string> replies_;
  std::size_t next_ = 0;
  bool inMessage_ = false;
  std::atomic<bool> pipelined_ = false;
  mutable std::mutex mutex_;
  std::string received_;
};

}  // namespace zestovar::test
