// The plain parts of mail: base64, the line ends and dots of a message on the wire, encoded headers.
// Texts are Windows-1252 bytes unless said otherwise.
#pragma once

#include <string>
#include <string_view>

namespace zestovar::online {

// base64 without line breaks (SMTP AUTH LOGIN, Proxy-Authorization).
std::string base64(std::string_view bytes);
// base64 in lines of 76 characters, each ended by CR LF (an attachment).
std::string base64Lines(std::string_view bytes);

// A message as it goes between DATA and the closing ".": every line end (CR CR LF, CR LF, a lone CR, a
// lone LF) one CR LF, a dot at the start of a line doubled, and a CR LF at the end, so no text of the
// message can end it early.
std::string dataLines(std::string_view message);

// A header value: as it stands when it holds only printable ASCII; otherwise one RFC 2047 encoded word
// (ISO-8859-1, base64) — Windows-1252's own characters beyond Latin-1 included as they are.
std::string headerText(std::string_view text);

}  // namespace zestovar::online
