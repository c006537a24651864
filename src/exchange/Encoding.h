// The text encodings of exchange files: UTF-8, Windows-1252 and code page 850 of old DOS programs.
// A file says nothing of its encoding, so it is told by its bytes.
#pragma once

#include <string>
#include <string_view>

namespace zestovar::exchange {

enum class Encoding { Utf8, Cp1252, Cp850 };

// UTF-8 when the bytes are valid UTF-8 (a byte order mark counts); otherwise the one of Windows-1252
// and code page 850 in which more of the bytes above 0x7F are German letters (ä ö ü Ä Ö Ü ß), with
// Windows-1252 on a tie.
Encoding detectEncoding(std::string_view bytes);

// The text in Windows-1252; a character it cannot hold becomes "?". A UTF-8 byte order mark is dropped.
std::string toCp1252(std::string_view bytes, Encoding encoding);
// The text in UTF-8; a UTF-8 byte order mark is dropped, invalid UTF-8 sequences become U+FFFD.
std::string toUtf8(std::string_view bytes, Encoding encoding);

}  // namespace zestovar::exchange
