#include "exchange/ForeignRecipe.h"

#include <utility>

#include "editing/JpegDecoder.h"
#include "store/Entry.h"
#include "store/Words.h"

namespace zestovar::exchange {

// Decoded at an eighth of its size, which reads every byte of it at a fraction of the memory.
bool storablePicture(std::string_view bytes) {
  try {
    if (editing::decodeJpeg(bytes, 1).truncated) return false;
  } catch (const editing::PictureError&) {
    return false;
  }
  return !store::pictureEndInPicture(bytes);
}

std::string_view trimmed(std::string_view text) { return store::trimmed(text, " \t\r\n"); }

void ParagraphBuilder::addLine(std::string_view line) {
  line = trimmed(line);
  if (line.empty()) {
    if (open_) {
      paragraphs_.push_back(std::move(current_));
      current_.clear();
      open_ = false;
      blanks_ = 0;
    } else if (!paragraphs_.empty()) {
      ++blanks_;
    }
    return;
  }
  if (open_ && !current_.empty()) current_ += ' ';
  addEmptyParagraph();
  current_ += line;
}

void ParagraphBuilder::addEmptyParagraph() {
  if (open_) return;
  // Each blank line beyond the one that ended the last paragraph stands for an empty paragraph.
  for (; blanks_ > 0; --blanks_) paragraphs_.emplace_back();
  open_ = true;
}

void ParagraphBuilder::endParagraph() {
  if (open_) paragraphs_.push_back(std::exchange(current_, {}));
  open_ = false;
  blanks_ = 0;
}

std::vector<std::string> ParagraphBuilder::finish() {
  if (open_) paragraphs_.push_back(std::move(current_));
  current_.clear();
  open_ = false;
  blanks_ = 0;
  return std::exchange(paragraphs_, {});
}

}  // namespace zestovar::exchange
