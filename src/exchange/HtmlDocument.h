// An HTML document parsed by gumbo, the HTML5 parser, with the guards a page from anywhere needs, and
// the text of its elements as a reader sees it.
#pragma once

#include <gumbo.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace zestovar::exchange {

// Pages nested deeper than this are refused before they reach the parser: the parser's work grows
// with the depth for every tag, and no recipe page comes near it.
inline constexpr std::size_t kMaxPageNesting = 2000;

// Throws ImportError when the elements of the HTML (UTF-8) nest deeper than kMaxPageNesting. The
// depth is counted in one pass as the parser would build it, closing what end tags, void elements
// and the implied ends of <p>, <li>, table cells and the like close; it errs on the deep side.
void checkNesting(std::string_view html);

// A whole document (html is UTF-8), or a fragment as the content of <body>. Parse errors are not
// kept (gumbo would keep a copy of the open elements for each).
class HtmlDocument {
 public:
  enum class Kind { Document, Fragment };
  // Throws ImportError when the HTML nests too deeply.
  explicit HtmlDocument(std::string_view html, Kind kind = Kind::Document);
  ~HtmlDocument();
  HtmlDocument(const HtmlDocument&) = delete;
  HtmlDocument& operator=(const HtmlDocument&) = delete;

  const GumboNode* root() const { return output_->root; }

 private:
  GumboOutput* output_;
};

// The value of an attribute of an element, empty when it has none.
std::string_view attributeOf(const GumboNode* element, const char* name);
bool hasAttribute(const GumboNode* element, const char* name);

// The text of a node as a reader sees it: '\n' at <br> and around block elements (paragraphs, list
// items, headings, table rows); line breaks of the text itself are kept only with keepTextBreaks
// (text that was never meant as HTML). Scripts and styles give nothing. With a budget, every node
// visited and every byte taken costs one, and the text ends where the budget runs out: values nested
// in values would otherwise walk the same part of a page again and again.
std::string textOf(const GumboNode* node, bool keepTextBreaks = false, std::size_t* budget = nullptr);

// The text of a string that may hold entities and tags ("Salz &amp; Pfeffer", "Erst das.<br>Dann
// das."), read as an HTML fragment; its own line breaks are kept. A string without "<" or "&" is
// returned as it is.
std::string fragmentText(std::string_view html);

// The text with the letters A to Z in lower case, as HTML compares names and labels.
std::string lowered(std::string_view text);
bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix);

// The text on one line: each run of blanks, line breaks and no-break spaces one blank, none at the ends.
std::string collapsed(std::string_view text);

}  // namespace zestovar::exchange
