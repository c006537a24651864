#include "online/SmtpClient.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>

#include "online/Mime.h"

namespace zestovar::online {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kSlice{250};

std::string systemText(int error) { return std::system_category().message(error); }

[[noreturn]] void fail(const std::string& text) { throw TransferError(text); }

// A line break or NUL in a command's argument would end the command early and start another one.
bool isOneLine(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) == text.npos; }

std::string shown(std::string_view text) {
  std::string out(text);
  std::replace_if(
      out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return out;
}

std::string systemHostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
  return name;
}

// The result of a host name lookup. The lookup runs on a thread of its own so that a slow name server
// cannot stop the caller's slices; a lookup given up (time-out, abort) finishes there and frees itself.
struct Lookup {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  int status = 0;
  int error = 0;  // errno of the lookup's thread, for EAI_SYSTEM
  addrinfo* list = nullptr;
  ~Lookup() {
    if (list) ::freeaddrinfo(list);
  }
};

struct Reply {
  int code = 0;
  std::string text;  // the reply's lines as the server sent them, joined by LF
  std::vector<std::string> lines;
};

// One connection to the mail server and the replies read from it.
class Connection {
 public:
  Connection(const MailServer& server, const TransferLimits& limits, const std::function<void()>& betweenSlices,
             const TransferGuard& guard)
      : server_(server),
        limits_(limits),
        betweenSlices_(betweenSlices),
        guard_(guard),
        where_(server.host + ":" + std::to_string(server.port)) {}
  ~Connection() {
    if (fd_ >= 0) ::close(fd_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void connect() {
    const auto deadline = Clock::now() + limits_.connect;
    const std::string timeout = "Zeitüberschreitung: keine Verbindung zu " + where_;
    const auto lookup = lookUp(deadline, timeout);
    int lastError = ECONNREFUSED;
    for (const addrinfo* address = lookup->list; address; address = address->ai_next) {
      fd_ = ::socket(address->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, address->ai_protocol);
      if (fd_ < 0) {
        lastError = errno;
        continue;
      }
      int error = ::connect(fd_, address->ai_addr, address->ai_addrlen) == 0 ? 0 : errno;
      if (error == EINPROGRESS) {
        wait(POLLOUT, deadline, timeout);
        socklen_t length = sizeof error;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
      }
      if (error == 0) {
        lastProgress_ = Clock::now();
        pace_.emplace(limits_, lastProgress_);
        return;
      }
      lastError = error;
      ::close(fd_);
      fd_ = -1;
    }
    fail("Keine Verbindung zu " + where_ + ": " + systemText(lastError));
  }

  void write(std::string_view bytes) {
    lastProgress_ = Clock::now();
    while (!bytes.empty()) {
      const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (n > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(n));
        moved_ += static_cast<std::uint64_t>(n);
        lastProgress_ = Clock::now();
      } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        wait(POLLOUT, lastProgress_ + limits_.stall, silence());
      } else if (const int error = errno; n < 0 && error != EINTR) {
        fail(where_ + ": " + systemText(error));
      }
    }
  }

  // A whole reply, multi-line ones to their last line ("250-..." goes on, "250 ..." ends).
  Reply reply() {
    Reply reply;
    std::size_t bytes = 0;
    for (;;) {
      std::string line = readLine();
      bytes += line.size();
      if (bytes > kMaxReplyBytes)
        fail("Die Antwort von " + where_ + " ist länger als " + std::to_string(kMaxReplyBytes) + " Bytes");
      const bool isReply = line.size() >= 3 &&
                           std::all_of(line.begin(), line.begin() + 3,
                                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) &&
                           (line.size() == 3 || line[3] == ' ' || line[3] == '-');
      if (!isReply) fail("Unverständliche Antwort von " + where_ + ": " + line);
      const bool last = line.size() == 3 || line[3] == ' ';
      reply.code = std::stoi(line.substr(0, 3));
      if (!reply.text.empty()) reply.text += '\n';
      reply.text += line;
      reply.lines.push_back(std::move(line));
      if (last) return reply;
    }
  }

  Reply command(const std::string& line) {
    write(line + "\r\n");
    return reply();
  }

 private:
  std::string silence() const { return "Zeitüberschreitung: der Mailserver " + where_ + " antwortet nicht"; }

  // Waits for the socket in slices, running the caller's hook after each one. Once connected, a dialogue
  // that moves too few bytes in either direction is as silent as one that moves none.
  void wait(short events, Clock::time_point deadline, const std::string& timeout) {
    for (;;) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      pollfd waiting{fd_, events, 0};
      const int ready = ::poll(&waiting, 1, static_cast<int>(std::clamp(left, decltype(left){0}, kSlice).count()));
      if (const int error = errno; ready < 0 && error != EINTR) fail(where_ + ": " + systemText(error));
      afterSlice();
      if (pace_ && pace_->tooSlow(Clock::now(), moved_)) fail(silence());
      if (ready > 0) return;
      if (Clock::now() >= deadline) fail(timeout);
    }
  }

  void afterSlice() {
    if (betweenSlices_) betweenSlices_();
    guard_.endOfSlice();
  }

  std::shared_ptr<Lookup> lookUp(Clock::time_point deadline, const std::string& timeout) {
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host = server_.host, service = std::to_string(server_.port)] {
      addrinfo hints{};
      hints.ai_family = AF_UNSPEC;
      hints.ai_socktype = SOCK_STREAM;
      addrinfo* list = nullptr;
      const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
      const int error = errno;
      std::lock_guard lock(lookup->mutex);
      lookup->status = status;
      lookup->error = error;
      lookup->list = list;
      lookup->done = true;
      lookup->finished.notify_all();
    }).detach();
    std::unique_lock lock(lookup->mutex);
    while (!lookup->done) {
      lookup->finished.wait_for(lock, std::min<Clock::duration>(kSlice, deadline - Clock::now()));
      lock.unlock();
      afterSlice();
      lock.lock();
      if (!lookup->done && Clock::now() >= deadline) fail(timeout);
    }
    if (lookup->status != 0)
      fail("Der Mailserver " + server_.host + " ist nicht zu finden: " +
           (lookup->status == EAI_SYSTEM ? systemText(lookup->error) : std::string(::gai_strerror(lookup->status))));
    return lookup;
  }

  // One line of a reply without its line end; a line over the cap is a transport error.
  std::string readLine() {
    for (;;) {
      const std::size_t end = buffer_.find('\n');
      if (end != buffer_.npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kMaxReplyLineBytes) tooLong();
        return line;
      }
      // The line may still end in a CR that waits for its LF.
      if (buffer_.size() > kMaxReplyLineBytes + 1) tooLong();
      char chunk[8192];
      const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
      if (n > 0) {
        buffer_.append(chunk, static_cast<std::size_t>(n));
        moved_ += static_cast<std::uint64_t>(n);
        lastProgress_ = Clock::now();
      } else if (n == 0) {
        fail("Der Mailserver " + where_ + " hat die Verbindung beendet");
      } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
        wait(POLLIN, lastProgress_ + limits_.stall, silence());
      } else if (const int error = errno; error != EINTR) {
        fail(where_ + ": " + systemText(error));
      }
    }
  }

  [[noreturn]] void tooLong() const {
    fail("Eine Antwortzeile von " + where_ + " ist länger als " + std::to_string(kMaxReplyLineBytes) + " Bytes");
  }

  const MailServer& server_;
  const TransferLimits& limits_;
  const std::function<void()>& betweenSlices_;
  const TransferGuard& guard_;
  const std::string where_;
  int fd_ = -1;
  std::string buffer_;
  Clock::time_point lastProgress_ = Clock::now();
  std::uint64_t moved_ = 0;  // sent and received
  std::optional<PaceFloor> pace_;
};

void expect(const Reply& reply, std::initializer_list<int> codes) {
  if (std::find(codes.begin(), codes.end(), reply.code) == codes.end()) fail(reply.text);
}

// The EHLO reply offers AUTH with LOGIN: "250-AUTH PLAIN LOGIN", or the older "250-AUTH=LOGIN".
bool offersLogin(const Reply& ehlo) {
  for (std::size_t i = 1; i < ehlo.lines.size(); ++i) {
    std::string text = ehlo.lines[i].size() > 4 ? ehlo.lines[i].substr(4) : std::string();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    if (!text.starts_with("AUTH ") && !text.starts_with("AUTH=")) continue;
    text[4] = ' ';
    text += ' ';
    if (text.find(" LOGIN ") != text.npos) return true;
  }
  return false;
}

}  // namespace

SmtpClient::SmtpClient() : localHostName(systemHostName()) {}

void SmtpClient::send(const MailServer& server, const Mail& mail) {
  if (!isOneLine(server.host) || !isOneLine(localHostName))
    fail("Der Rechnername \"" + shown(isOneLine(server.host) ? localHostName : server.host) +
         "\" enthält einen Zeilenumbruch");
  if (server.port < 1 || server.port > 65535) fail("Ungültiger Port des Mailservers: " + std::to_string(server.port));
  const auto checkAddress = [](const std::string& address) {
    if (!isOneLine(address)) fail("Die Adresse \"" + shown(address) + "\" enthält einen Zeilenumbruch");
  };
  checkAddress(mail.sender);
  for (const std::string& recipient : mail.recipients) checkAddress(recipient);
  const TransferGuard::Running running(guard_);
  Connection connection(server, limits, betweenSlices, guard_);
  connection.connect();
  expect(connection.reply(), {220});
  const std::string name = localHostName.empty() ? std::string("localhost") : localHostName;
  const Reply ehlo = connection.command("EHLO " + name);
  const bool login = ehlo.code == 250 && offersLogin(ehlo);
  if (ehlo.code != 250) expect(connection.command("HELO " + name), {250});
  if (login && !server.account.empty()) {
    expect(connection.command("AUTH LOGIN"), {334});
    expect(connection.command(base64(server.account)), {334});
    expect(connection.command(base64(server.password)), {235});
  }
  connection.command("RSET");
  expect(connection.command("MAIL FROM: <" + mail.sender + ">"), {250});
  for (const std::string& recipient : mail.recipients)
    expect(connection.command("RCPT TO:<" + recipient + ">"), {250, 251});
  expect(connection.command("DATA"), {354});
  connection.write(dataLines(mail.message) + ".\r\n");
  expect(connection.reply(), {250});
  expect(connection.command("QUIT"), {221});
}

}  // namespace zestovar::online
