#include "exchange/WebAddress.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "exchange/HtmlDocument.h"
#include "store/Words.h"

namespace zestovar::exchange {

namespace {

struct Parts {
  std::string scheme;  // without ":"
  std::optional<std::string> authority;
  std::string path;
  std::optional<std::string> query;
  std::optional<std::string> fragment;
};

std::string_view stripped(std::string_view text) { return store::trimmed(text, " \t\n\f\r"); }

// The length of the scheme with its ":", 0 when the address has none.
std::size_t schemeLength(std::string_view address) {
  if (address.empty() || !std::isalpha(static_cast<unsigned char>(address[0]))) return 0;
  for (std::size_t i = 1; i < address.size(); ++i) {
    const char c = address[i];
    if (c == ':') return i + 1;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return 0;
  }
  return 0;
}

// Appendix B of RFC 3986.
Parts split(std::string_view address) {
  Parts parts;
  const std::size_t scheme = schemeLength(address);
  if (scheme > 0) {
    parts.scheme = lowered(address.substr(0, scheme - 1));
    address.remove_prefix(scheme);
  }
  if (const std::size_t hash = address.find('#'); hash != std::string_view::npos) {
    parts.fragment = std::string(address.substr(hash + 1));
    address = address.substr(0, hash);
  }
  if (const std::size_t question = address.find('?'); question != std::string_view::npos) {
    parts.query = std::string(address.substr(question + 1));
    address = address.substr(0, question);
  }
  if (address.starts_with("//")) {
    const std::size_t end = std::min(address.find('/', 2), address.size());
    parts.authority = std::string(address.substr(2, end - 2));
    address.remove_prefix(end);
  }
  parts.path = address;
  return parts;
}

// Section 5.2.4.
std::string withoutDotSegments(std::string_view in) {
  std::string out;
  while (!in.empty()) {
    if (in.starts_with("../")) {
      in.remove_prefix(3);
    } else if (in.starts_with("./")) {
      in.remove_prefix(2);
    } else if (in.starts_with("/./")) {
      in.remove_prefix(2);
    } else if (in == "/.") {
      in = "/";
    } else if (in.starts_with("/../") || in == "/..") {
      in = in.size() == 3 ? std::string_view("/") : in.substr(3);
      const std::size_t last = out.rfind('/');
      out.resize(last == std::string::npos ? 0 : last);
    } else if (in == "." || in == "..") {
      in = {};
    } else {
      const std::size_t end = std::min(in.find('/', 1), in.size());
      out += in.substr(0, end);
      in.remove_prefix(end);
    }
  }
  return out;
}

// Section 5.2.3.
std::string merged(const Parts& base, std::string_view path) {
  std::string out;
  if (base.authority && base.path.empty()) {
    out = "/";
  } else if (const std::size_t slash = base.path.rfind('/'); slash != std::string::npos) {
    out = base.path.substr(0, slash + 1);
  }
  out.append(path);
  return out;
}

// Section 5.3; blanks and bytes beyond ASCII (a page's UTF-8) percent-encoded as section 3.1 of
// RFC 3987 maps them.
std::string joined(const Parts& parts) {
  std::string text = parts.scheme + ":";
  if (parts.authority) text += "//" + *parts.authority;
  text += parts.path;
  if (parts.query) text += "?" + *parts.query;
  if (parts.fragment) text += "#" + *parts.fragment;
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7f) {
      out += c;
    } else {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    }
  }
  return out;
}

}  // namespace

bool isWebAddress(std::string_view address) {
  const Parts parts = split(stripped(address));
  return (parts.scheme == "http" || parts.scheme == "https") && parts.authority && !parts.authority->empty();
}

std::string resolveAddress(std::string_view base, std::string_view reference) {
  const Parts r = split(stripped(reference));
  Parts target;
  if (!r.scheme.empty()) {
    target = r;
    target.path = withoutDotSegments(r.path);
    return joined(target);
  }
  const Parts b = split(stripped(base));
  if (b.scheme.empty()) return {};
  target.scheme = b.scheme;
  target.fragment = r.fragment;
  if (r.authority) {
    target.authority = r.authority;
    target.path = withoutDotSegments(r.path);
    target.query = r.query;
  } else {
    target.authority = b.authority;
    if (r.path.empty()) {
      target.path = b.path;
      target.query = r.query ? r.query : b.query;
    } else {
      target.path = withoutDotSegments(r.path.starts_with('/') ? r.path : merged(b, r.path));
      target.query = r.query;
    }
  }
  return joined(target);
}

}  // namespace zestovar::exchange
