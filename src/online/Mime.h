// The plain parts of mail: base64, the line ends and dots of a message on the wire, a text body and
// header values within the rules of mail (RFC 5322, RFC 2045, RFC 2047). Texts are Windows-1252 bytes
// unless said otherwise.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zestovar::online {

// The longest line of a mail without its CR LF (RFC 5322 2.1.1); servers refuse a mail with a longer one.
inline constexpr std::size_t kMaxMailLineBytes = 998;

// base64 without line breaks (SMTP AUTH LOGIN, Proxy-Authorization).
std::string base64(std::string_view bytes);
// base64 in lines of 76 characters, each ended by CR LF (an attachment).
std::string base64Lines(std::string_view bytes);

// A message as it goes between DATA and the closing ".": every line end (CR CR LF, CR LF, a lone CR, a
// lone LF) one CR LF, a dot at the start of a line doubled, and a CR LF at the end, so no text of the
// message can end it early.
std::string dataLines(std::string_view message);

// A text as the body of a mail: NUL bytes dropped, and every line longer than kMaxMailLineBytes (a
// line ends at any CR or LF) broken by a CR LF after its last blank that leaves at most that many bytes
// before the break, or after exactly that many bytes when there is no such blank. The blank stays, so
// taking the inserted line ends out gives the text back; lines that fit and the line ends keep their
// bytes.
std::string mailBodyText(std::string_view text);

// The character set a text of these bytes is labelled with: "windows-1252" when any of its own
// characters (bytes 0x80-0x9F) occurs, otherwise "ISO-8859-1", of which the rest is a part.
std::string_view charsetOf(std::string_view text);
// The transfer encoding of a body sent as it is: "8bit" when any byte is above 0x7F, otherwise "7bit".
std::string_view transferEncodingOf(std::string_view text);

// A header line without its line end, "Name: value": the value as it stands when it holds only
// printable ASCII and the line fits into kMaxMailLineBytes; otherwise RFC 2047 encoded words (base64,
// charset by charsetOf) of at most 75 characters, each on a line of its own after the first. NUL bytes
// are dropped.
std::string headerLine(std::string_view name, std::string_view value);

// One mailbox of an address list: an optional display name (Windows-1252, as the reader sees it) and
// the address alone (local@domain, ASCII), which is what the mail server's RCPT TO gets.
struct MailAddress {
  std::string displayName;
  std::string address;
  bool operator==(const MailAddress&) const = default;
};

// An address header without its line end, "To: Anna Koch <anna@example.org>, b@example.org": display
// names as atoms when they are plain words, as quoted strings when they hold other ASCII, as encoded
// words beyond ASCII; the list folded after a comma before a line passes 78 characters.
std::string addressHeader(std::string_view name, const std::vector<MailAddress>& mailboxes);

}  // namespace zestovar::online
