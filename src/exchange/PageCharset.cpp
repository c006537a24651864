#include "exchange/PageCharset.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>

#include "exchange/Encoding.h"
#include "exchange/HtmlDocument.h"
#include "store/Cp1252.h"
#include "store/Words.h"

namespace zestovar::exchange {

namespace {

struct Label {
  std::string_view label;
  std::string_view encoding;
};

// Labels whose encoding differs from their name: what browsers read behind them.
constexpr std::array kLabels = {
    Label{"utf8", "utf-8"},
    Label{"unicode-1-1-utf-8", "utf-8"},
    Label{"x-unicode20utf8", "utf-8"},
    Label{"unicode11utf8", "utf-8"},
    Label{"unicode20utf8", "utf-8"},
    Label{"ansi_x3.4-1968", "windows-1252"},
    Label{"ascii", "windows-1252"},
    Label{"us-ascii", "windows-1252"},
    Label{"cp1252", "windows-1252"},
    Label{"cp819", "windows-1252"},
    Label{"csisolatin1", "windows-1252"},
    Label{"ibm819", "windows-1252"},
    Label{"iso-8859-1", "windows-1252"},
    Label{"iso-ir-100", "windows-1252"},
    Label{"iso8859-1", "windows-1252"},
    Label{"iso88591", "windows-1252"},
    Label{"iso_8859-1", "windows-1252"},
    Label{"iso_8859-1:1987", "windows-1252"},
    Label{"l1", "windows-1252"},
    Label{"latin1", "windows-1252"},
    Label{"x-cp1252", "windows-1252"},
    Label{"x-user-defined", "windows-1252"},
    Label{"iso-8859-9", "windows-1254"},
    Label{"latin5", "windows-1254"},
    Label{"iso-8859-11", "windows-874"},
    Label{"tis-620", "windows-874"},
    Label{"gb2312", "gbk"},
    Label{"x-gbk", "gbk"},
    Label{"euc-kr", "cp949"},
    Label{"ks_c_5601-1987", "cp949"},
    Label{"shift_jis", "cp932"},
    Label{"sjis", "cp932"},
    Label{"ms_kanji", "cp932"},
    Label{"windows-31j", "cp932"},
    Label{"x-sjis", "cp932"},
    Label{"big5", "big5-hkscs"},
    Label{"utf-16", "utf-16le"},
};

constexpr std::string_view kBlanks = " \t\n\f\r";

std::string_view stripped(std::string_view text) { return store::trimmed(text, kBlanks); }

// The charset named after "charset" in a content attribute or header: "text/html; charset=x".
std::string charsetIn(std::string_view text) {
  const std::string low = lowered(text);
  for (std::size_t at = low.find("charset"); at != std::string::npos; at = low.find("charset", at + 1)) {
    std::size_t pos = low.find_first_not_of(kBlanks, at + 7);
    if (pos == std::string::npos || low[pos] != '=') continue;
    pos = low.find_first_not_of(kBlanks, pos + 1);
    if (pos == std::string::npos) return {};
    if (low[pos] == '"' || low[pos] == '\'') {
      const std::size_t end = low.find(low[pos], pos + 1);
      if (end == std::string::npos) return {};
      return std::string(text.substr(pos + 1, end - pos - 1));
    }
    const std::size_t end = std::min(low.find_first_of("; \t\n\f\r", pos), low.size());
    return std::string(text.substr(pos, end - pos));
  }
  return {};
}

// One attribute of a tag, as the prescan reads it: the name in lower case and the value.
struct Attribute {
  std::string name;
  std::string value;
};

// Reads the attribute at pos of a tag and moves pos past it; none at the tag's end.
bool nextAttribute(std::string_view bytes, std::size_t& pos, Attribute& out) {
  pos = std::min(bytes.find_first_not_of(" \t\n\f\r/", pos), bytes.size());
  if (pos == bytes.size() || bytes[pos] == '>') return false;
  const std::size_t nameStart = pos;
  while (pos < bytes.size() && kBlanks.find(bytes[pos]) == std::string_view::npos && bytes[pos] != '=' &&
         bytes[pos] != '>' && (bytes[pos] != '/' || pos == nameStart))
    ++pos;
  out.name = lowered(bytes.substr(nameStart, pos - nameStart));
  out.value.clear();
  pos = std::min(bytes.find_first_not_of(kBlanks, pos), bytes.size());
  if (pos == bytes.size() || bytes[pos] != '=') return true;
  pos = std::min(bytes.find_first_not_of(kBlanks, pos + 1), bytes.size());
  if (pos == bytes.size()) return true;
  if (bytes[pos] == '"' || bytes[pos] == '\'') {
    const std::size_t end = std::min(bytes.find(bytes[pos], pos + 1), bytes.size());
    out.value = bytes.substr(pos + 1, end - pos - 1);
    pos = std::min(end + 1, bytes.size());
  } else {
    const std::size_t end = std::min(bytes.find_first_of(" \t\n\f\r>", pos), bytes.size());
    out.value = bytes.substr(pos, end - pos);
    pos = end;
  }
  return true;
}

// The bytes in UTF-8 through iconv; an invalid or incomplete sequence becomes U+FFFD. Nothing when
// iconv does not know the encoding.
bool convertWithIconv(std::string_view bytes, const std::string& encoding, std::string& out) {
  iconv_t cd = iconv_open("UTF-8", encoding.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.clear();
  out.reserve(bytes.size() + bytes.size() / 4);
  std::array<char, 16384> buffer{};
  char* in = const_cast<char*>(bytes.data());  // iconv's interface; it never writes the input
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* to = buffer.data();
    std::size_t toLeft = buffer.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &to, &toLeft);
    out.append(buffer.data(), static_cast<std::size_t>(to - buffer.data()));
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL: one byte stands for a character the page's encoding does not have.
      store::appendUtf8(out, 0xfffd);
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return true;
}

// The encoding="..." of an XML declaration.
std::string xmlDeclarationEncoding(std::string_view declaration) {
  std::size_t pos = 5;
  Attribute attribute;
  while (nextAttribute(declaration, pos, attribute))
    if (attribute.name == "encoding") return attribute.value;
  return {};
}

}  // namespace

std::string encodingOfLabel(std::string_view label) {
  const std::string low = lowered(stripped(label));
  // Only a name can reach iconv: a label that is none counts as no declaration.
  if (low.empty() || low.size() > 40 ||
      low.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789._:-") != std::string::npos)
    return {};
  for (const Label& l : kLabels)
    if (l.label == low) return std::string(l.encoding);
  return low;
}

std::string charsetOfContentType(std::string_view contentType) { return charsetIn(contentType); }

std::string prescanMetaCharset(std::string_view bytes) {
  bytes = bytes.substr(0, 1024);
  std::size_t pos = 0;
  while ((pos = bytes.find('<', pos)) != std::string_view::npos) {
    const std::string_view rest = bytes.substr(pos);
    if (rest.starts_with("<!--")) {
      const std::size_t end = bytes.find("-->", pos + 2);
      if (end == std::string_view::npos) return {};
      pos = end + 3;
      continue;
    }
    if (startsWithIgnoringCase(rest, "<meta") && rest.size() > 5 &&
        (kBlanks.find(rest[5]) != std::string_view::npos || rest[5] == '/')) {
      pos += 5;
      Attribute attribute;
      bool httpEquiv = false;
      std::string charset, content;
      while (nextAttribute(bytes, pos, attribute)) {
        if (attribute.name == "http-equiv")
          httpEquiv = lowered(stripped(attribute.value)) == "content-type";
        else if (attribute.name == "charset" && charset.empty())
          charset = attribute.value;
        else if (attribute.name == "content" && content.empty())
          content = attribute.value;
      }
      if (!charset.empty()) return std::string(stripped(charset));
      if (httpEquiv) {
        std::string named = charsetIn(content);
        if (!named.empty()) return named;
      }
      continue;
    }
    const std::size_t nameAt = rest.size() > 2 && rest[1] == '/' ? 2 : 1;
    if (rest.size() > nameAt && std::isalpha(static_cast<unsigned char>(rest[nameAt]))) {
      // Another tag: its attributes are skipped whole, so a quoted ">" does not end it early.
      pos = std::min(bytes.find_first_of(" \t\n\f\r/>", pos + 1), bytes.size());
      Attribute attribute;
      while (nextAttribute(bytes, pos, attribute)) {
      }
      continue;
    }
    if (rest.starts_with("<!") || rest.starts_with("</") || rest.starts_with("<?")) {
      pos = bytes.find('>', pos + 1);
      if (pos == std::string_view::npos) return {};
    }
    ++pos;
  }
  return {};
}

std::string pageToUtf8(std::string_view bytes, std::string_view contentType) {
  std::string encoding;
  if (bytes.starts_with(store::kUtf8ByteOrderMark)) {
    bytes.remove_prefix(store::kUtf8ByteOrderMark.size());
    encoding = "utf-8";
  } else if (bytes.starts_with("\xFE\xFF")) {
    encoding = "utf-16be";
  } else if (bytes.starts_with("\xFF\xFE")) {
    encoding = "utf-16le";
  } else {
    encoding = encodingOfLabel(charsetOfContentType(contentType));
    if (encoding.empty()) {
      encoding = encodingOfLabel(prescanMetaCharset(bytes));
      // An XHTML file names its encoding in its XML declaration.
      if (encoding.empty() && bytes.starts_with("<?xml"))
        encoding = encodingOfLabel(xmlDeclarationEncoding(bytes.substr(0, bytes.find("?>"))));
      // A page whose bytes could be read as ASCII to find the claim is no UTF-16.
      if (encoding.starts_with("utf-16")) encoding = "utf-8";
    }
  }
  if (encoding == "windows-1252") return store::cp1252ToUtf8(bytes);
  std::string out;
  if (encoding.empty() || encoding == "utf-8" || !convertWithIconv(bytes, encoding, out))
    return toUtf8(bytes, Encoding::Utf8);
  if (out.starts_with(store::kUtf8ByteOrderMark)) out.erase(0, store::kUtf8ByteOrderMark.size());
  return out;
}

}  // namespace zestovar::exchange
