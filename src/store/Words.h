// Blanks and words: the small cuts of text that recipe files, mail and the exchange formats share.
#pragma once

#include <string_view>
#include <vector>

namespace zestovar::store {

// A blank or a tab: what separates the words of a recipe line.
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The text without blanks and tabs (or the given characters) at both ends.
std::string_view trimmed(std::string_view text, std::string_view blanks = " \t");

// The words of a text between single blanks, as a recipe's subcategory record holds them; runs of
// blanks give no empty words.
std::vector<std::string_view> words(std::string_view text);

}  // namespace zestovar::store
