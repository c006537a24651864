#include "online/NewsLinks.h"

#include "store/SideFile.h"

namespace zestovar::online {
namespace {

bool startsAddress(std::string_view rest) {
  const auto begins = [&](std::string_view prefix) {
    if (rest.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
      const char c = rest[i] >= 'A' && rest[i] <= 'Z' ? static_cast<char>(rest[i] + 32) : rest[i];
      if (c != prefix[i]) return false;
    }
    return true;
  };
  return begins("http://") || begins("www.");
}

bool endsAddress(char c) { return c == '(' || c == ')' || c == '"' || c == ' ' || c == '\r' || c == '\n'; }

}  // namespace

std::string newsText(std::string_view body) {
  std::string text;
  const auto lines = store::splitSideFileLines(body);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

void LinkScan::start(std::string text) {
  text_ = std::move(text);
  links_.clear();
  position_ = 1;
  end_ = static_cast<int>(text_.size());
}

std::vector<Link> LinkScan::step() {
  std::vector<Link> marked;
  for (int i = 0; i < kStepCharacters && !done(); ++i) {
    const int p = position_;
    if (startsAddress(std::string_view(text_).substr(static_cast<std::size_t>(p - 1)))) {
      // The last character of the text is never looked at: an address must end before it.
      for (int j = p + 1; j < static_cast<int>(text_.size()); ++j) {
        if (!endsAddress(text_[static_cast<std::size_t>(j - 1)])) continue;
        marked.push_back({p, j - p, text_.substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(j - p))});
        links_.push_back(marked.back());
        position_ = j - 1;
        break;
      }
    }
    ++position_;
  }
  return marked;
}

std::vector<std::string> LinkScan::addressesAt(int caret) const {
  std::vector<std::string> addresses;
  for (const Link& link : links_)
    if (link.position - 1 <= caret && caret <= link.position - 1 + link.length) addresses.push_back(link.text);
  return addresses;
}

std::string openableAddress(std::string_view address) {
  const bool www = address.size() >= 4 && (address[0] | 0x20) == 'w' && (address[1] | 0x20) == 'w' &&
                   (address[2] | 0x20) == 'w' && address[3] == '.';
  return www ? "http://" + std::string(address) : std::string(address);
}

}  // namespace zestovar::online
