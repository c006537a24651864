// Servers that tests start on 127.0.0.1: free ports, waiting until a port accepts, and server programs
// of the system run as processes of their own for the length of a test.
#pragma once

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace zestovar::test {

inline sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

// A port of 127.0.0.1 that nothing listens on (the system's choice, closed again at once).
inline int freePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = loopback(0);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

// A listening socket on a port of 127.0.0.1 the system chooses; -1 when there is none.
inline int listenOnLoopback(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = loopback(0);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) ::close(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

// What both transfer clients say when a transfer is aborted, and when another is asked for during it.
inline constexpr char kTransferAborted[] = "Die Übertragung wurde abgebrochen";
inline constexpr char kTransferRunning[] = "Es läuft schon eine Übertragung";

// The part the test servers share: a port of 127.0.0.1 that takes one connection after another on a
// thread of its own, and replies that drip at a pace the test sets.
class LoopbackServer {
 public:
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  int connections() const { return connections_; }
  // Replies from now on go out in pieces of this many bytes with a pause after each (0: at once).
  void pace(std::size_t bytes, std::chrono::milliseconds pause) {
    pauseMs_ = static_cast<int>(pause.count());
    paceBytes_ = bytes;
  }

 protected:
  LoopbackServer() {
    listener_ = listenOnLoopback(port_);
    if (listener_ < 0) throw std::runtime_error("the test server cannot listen");
  }
  ~LoopbackServer() { ::close(listener_); }

  // Hands each connection to talk, which owns it, until stop(); called once the server is built.
  void start(std::function<void(int fd)> talk) {
    thread_ = std::thread([this, talk = std::move(talk)] {
      while (!stop_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) continue;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        ++connections_;
        talk(fd);
      }
    });
  }
  // Called first by the server's destructor, while what talk uses still stands.
  void stop() {
    stop_ = true;
    thread_.join();
  }
  // Sends at the pace set; false when the client went away or the server stops part-way.
  bool sendPaced(int fd, const std::string& bytes) {
    const std::size_t piece = paceBytes_ == 0 ? bytes.size() : paceBytes_.load();
    for (std::size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = ::send(fd, bytes.data() + sent, std::min(piece, bytes.size() - sent), MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
      for (int waited = 0; paceBytes_ != 0 && sent < bytes.size() && waited < pauseMs_; waited += 5) {
        if (stop_) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    return true;
  }

  std::atomic<bool> stop_ = false;

 private:
  int listener_ = -1;
  int port_ = 0;
  std::atomic<int> connections_ = 0;
  std::atomic<std::size_t> paceBytes_ = 0;
  std::atomic<int> pauseMs_ = 0;
  std::thread thread_;
};

inline bool accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = loopback(port);
  const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

// Starts a program (found on PATH) with its error output, and its standard output unless keepOutput,
// going nowhere; its process id, 0 when it could not start.
inline pid_t spawnQuietly(std::vector<std::string> args, bool keepOutput = false) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  if (!keepOutput) posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const bool started = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&quiet);
  return started ? pid : 0;
}

// A server program (found on PATH) with its output silenced, started() once its port accepts
// connections (within ten seconds), stopped at the end.
class ServerProcess {
 public:
  ServerProcess(std::vector<std::string> args, int port) {
    using namespace std::chrono_literals;
    pid_ = spawnQuietly(std::move(args));
    started_ = pid_ > 0;
    for (int i = 0; started_ && i < 400 && !accepts(port); ++i) std::this_thread::sleep_for(25ms);
    started_ = started_ && accepts(port);
  }
  ~ServerProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  bool started() const { return started_; }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
};

}  // namespace zestovar::test
