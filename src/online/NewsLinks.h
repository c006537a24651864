// The web addresses of the news page: found a few characters at a time, so the news window stays
// usable while they are marked, and opened on a click.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zestovar::online {

// The news page as the window shows it: every line end (CR LF, CR, LF) one "\n", so positions in it
// are the positions of the window's caret (the text control counts a line break as one character).
std::string newsText(std::string_view body);

struct Link {
  int position;      // of the first character, counted from 1
  int length;        // in characters
  std::string text;  // as it stands in the text (Windows-1252)
};

// An address starts where the text continues with "http://" or "www." (ASCII letters in any case) and
// ends before the first "(", ")", double quote, blank or line break after its start; an address that
// runs to the end of the text is not one.
class LinkScan {
 public:
  static constexpr int kStepCharacters = 11;

  // Starts over on a new text; the links of the old one are gone.
  void start(std::string text);
  // One step: 11 positions, or past an address it marks. Returns the links marked in this step;
  // done() tells when the whole text is scanned.
  std::vector<Link> step();
  bool done() const { return position_ >= end_; }

  const std::vector<Link>& links() const { return links_; }
  const std::string& text() const { return text_; }
  // The addresses under a caret position (counted from 0): the caret on an address, directly before
  // or directly after it.
  std::vector<std::string> addressesAt(int caret) const;

 private:
  std::string text_;
  int position_ = 0;  // the next position to look at, counted from 1
  int end_ = 0;
  std::vector<Link> links_;
};

// What the desktop is asked to open: an address without scheme ("www...") as "http://www...".
std::string openableAddress(std::string_view address);

}  // namespace zestovar::online
