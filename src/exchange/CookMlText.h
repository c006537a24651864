// The texts of a CookML file, collected from the pieces expat hands over as it reads: a field of one
// line, the preparation, a picture in base64. Only the reader of CookML files uses them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange::cookml {

inline constexpr std::size_t kUnlimited = std::string::npos;

inline bool isBlank(char c) { return std::string_view(" \t\r\n").find(c) != std::string_view::npos; }

// The text of a field that holds one line, collected from the pieces expat hands over: blanks at both
// ends dropped, each run of blanks, tabs and line breaks inside made one blank, at most a limit of
// bytes kept (never half a character).
class LineField {
 public:
  explicit LineField(std::size_t limit = kUnlimited) : limit_(limit) {}

  void start(std::size_t limit) {
    text_.clear();
    limit_ = limit;
    gap_ = false;
  }

  void add(std::string_view piece) {
    for (const char c : piece) {
      if (isBlank(c)) {
        gap_ = !text_.empty();
        continue;
      }
      const bool continuation = (static_cast<unsigned char>(c) & 0xc0) == 0x80;
      if (text_.size() >= limit_ && !continuation) return;
      if (gap_) text_ += ' ';
      gap_ = false;
      text_ += c;
    }
  }

  std::string take() {
    gap_ = false;
    return std::exchange(text_, {});
  }

 private:
  std::string text_;
  std::size_t limit_;
  bool gap_ = false;  // blanks were passed since the last character kept
};

inline std::string singleLine(std::string_view text, std::size_t limit = kUnlimited) {
  LineField field(limit);
  field.add(text);
  return field.take();
}

// The preparation from its <text> and <step> elements, taken line by line as expat hands the text
// over. Each element is a block of paragraphs of its own, set off from the one before by a single
// blank line: the blank lines that merely lay out the XML around a text add no empty paragraphs.
class Directions {
 public:
  void startBlock() {
    line_.clear();
    blanks_ = 0;
    inBlock_ = false;
  }

  void add(std::string_view text) {
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
      line_.append(text.substr(0, end));
      takeLine();
      text.remove_prefix(end + 1);
    }
    line_.append(text);
  }

  void endBlock() { takeLine(); }

  std::vector<std::string> finish() { return paragraphs_.finish(); }

 private:
  void takeLine() {
    std::erase(line_, '\r');
    const std::string_view line = trimmed(line_);
    if (line.empty()) {
      if (inBlock_) ++blanks_;
    } else {
      if (!inBlock_ && anyBlock_) paragraphs_.addLine({});
      inBlock_ = anyBlock_ = true;
      for (; blanks_ > 0; --blanks_) paragraphs_.addLine({});
      paragraphs_.addLine(line);
    }
    line_.clear();
  }

  ParagraphBuilder paragraphs_;
  std::string line_;        // the line read so far
  std::size_t blanks_ = 0;  // blank lines inside the block not yet known to stand before more text
  bool inBlock_ = false;    // the block has text
  bool anyBlock_ = false;   // an earlier block had text
};

// The base64 text of a <picbin>, decoded as expat hands it over. Programs break it into lines.
class Base64Decoder {
 public:
  void start(std::string& out) {
    out_ = &out;
    bits_ = 0;
    count_ = 0;
    padded_ = false;
    bad_ = false;
  }

  void add(std::string_view text) {
    for (const char c : text) {
      if (bad_) return;
      if (isBlank(c)) continue;
      if (c == '=') {
        padded_ = true;
        continue;
      }
      const int value = valueOf(c);
      if (value < 0 || padded_) {
        bad_ = true;
        return;
      }
      bits_ = (bits_ << 6) | static_cast<std::uint32_t>(value);
      if (++count_ == 4) {
        emit(3);
        count_ = 0;
      }
    }
  }

  // Whether the whole text was base64.
  bool finish() {
    if (bad_ || count_ == 1) return false;
    if (count_ > 1) {
      bits_ <<= 6 * (4 - count_);
      emit(count_ - 1);
    }
    return true;
  }

 private:
  static int valueOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  }

  void emit(int bytes) {
    for (int i = 0; i < bytes; ++i) *out_ += static_cast<char>((bits_ >> (16 - 8 * i)) & 0xff);
    bits_ = 0;
  }

  std::string* out_ = nullptr;
  std::uint32_t bits_ = 0;
  int count_ = 0;
  bool padded_ = false;
  bool bad_ = false;
};

}  // namespace zestovar::exchange::cookml
