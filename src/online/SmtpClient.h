// The mail client: one message per connection to the mail submission server, in a fixed dialogue of our
// own over a TCP socket (no TLS, no pipelining), with AUTH LOGIN only when the server offers it. Like the
// HTTP client it runs on the caller's thread: the wait is cut into slices of at most 250 ms, and between
// two slices the caller's hook runs (the windows handle their events there).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "online/Transfer.h"

namespace zestovar::online {

struct MailServer {
  std::string host;
  int port = 25;
  // No authentication with an empty account.
  std::string account;
  std::string password;
};

struct Mail {
  std::string sender;                   // "MAIL FROM: <sender>"
  std::vector<std::string> recipients;  // one "RCPT TO:<address>" each
  // Headers and body as composed, with any line ends: they go on the wire as CR LF, dots doubled.
  std::string message;
};

// A reply line of the server longer than this (without its line end) is a transport error, and so is
// a reply of many lines longer than kMaxReplyBytes in all.
inline constexpr std::size_t kMaxReplyLineBytes = 4096;
inline constexpr std::size_t kMaxReplyBytes = 64 * 1024;

class SmtpClient {
 public:
  SmtpClient();

  TransferLimits limits;
  // Runs between two slices of waiting.
  std::function<void()> betweenSlices;
  // The name given with EHLO and HELO; the system's host name unless set.
  std::string localHostName;

  // Delivers the mail through the server, from the greeting to QUIT. A negative or unexpected reply
  // throws TransferError with the server's reply text; a socket error, a time-out or a reply over the
  // caps throws TransferError with the transport's text. An address or host name holding a line break
  // is refused before anything is sent.
  void send(const MailServer& server, const Mail& mail);
  // The send running now ends with store::Cancelled at the end of its slice.
  void abort() { guard_.abort(); }
  bool busy() const { return guard_.busy(); }

 private:
  TransferGuard guard_;
};

}  // namespace zestovar::online
