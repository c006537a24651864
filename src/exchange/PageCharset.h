// The character set of a web page, told as browsers tell it, and the page's bytes in UTF-8, the only
// encoding the HTML parser takes.
#pragma once

#include <string>
#include <string_view>

namespace zestovar::exchange {

// The encoding a charset label means, as browsers map labels: "utf-8" for every label of UTF-8,
// "windows-1252" for Latin-1, ASCII and their aliases (browsers read those pages as Windows-1252),
// a few more names that browsers map to a wider code page, the label itself in lower case otherwise.
// Empty for an empty label.
std::string encodingOfLabel(std::string_view label);

// The charset parameter of a Content-Type header value ("text/html; charset=ISO-8859-1"), unquoted;
// empty when there is none.
std::string charsetOfContentType(std::string_view contentType);

// The charset a <meta charset> or <meta http-equiv="Content-Type"> in the first 1024 bytes declares,
// found the way an HTML5 browser looks for it before parsing (comments and other tags skipped); empty
// when there is none.
std::string prescanMetaCharset(std::string_view bytes);

// The page in UTF-8: a byte order mark decides first, then the Content-Type's charset, then the
// <meta> declaration, then for an XHTML file its XML declaration; UTF-8 otherwise. A <meta> that declares UTF-16 means
// UTF-8, as it does to browsers, and an encoding nobody knows counts as undeclared. Bytes the encoding does not allow
// become U+FFFD.
std::string pageToUtf8(std::string_view bytes, std::string_view contentType);

}  // namespace zestovar::exchange
