#include "exchange/HtmlDocument.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

namespace {

constexpr std::string_view kBlanks = " \t\n\f\r";

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

template <std::size_t N>
bool oneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that have no content and no end tag.
constexpr std::array<std::string_view, 16> kVoid = {"area", "base",  "br",     "col",  "embed",  "hr",
                                                    "img",  "input", "link",   "meta", "source", "track",
                                                    "wbr",  "param", "keygen", "frame"};
// Elements whose content the parser reads as text up to their end tag.
constexpr std::array<std::string_view, 8> kRawText = {"script", "style",  "textarea", "title",
                                                      "xmp",    "iframe", "noembed",  "plaintext"};
// Start tags that close an open <p>.
constexpr std::array<std::string_view, 30> kClosesP = {
    "address", "article", "aside", "blockquote", "details", "div",   "dl", "fieldset", "figure", "footer",
    "form",    "h1",      "h2",    "h3",         "h4",      "h5",    "h6", "header",   "hr",     "main",
    "nav",     "ol",      "p",     "pre",        "section", "table", "ul", "li",       "dd",     "dt"};

// Whether a start tag ends the open element of the given name, as siblings of list items, definition
// terms, options and table parts do.
bool endsOpen(std::string_view open, std::string_view start) {
  if (open == "p") return oneOf(start, kClosesP);
  if (open == "li") return start == "li";
  if (open == "dt" || open == "dd") return start == "dt" || start == "dd";
  if (open == "option") return start == "option" || start == "optgroup";
  if (open == "optgroup") return start == "optgroup";
  if (open == "td" || open == "th") return start == "td" || start == "th" || start == "tr";
  if (open == "tr") return start == "tr";
  if (open == "thead" || open == "tbody" || open == "tfoot")
    return start == "thead" || start == "tbody" || start == "tfoot";
  if (open == "rb" || open == "rt" || open == "rp") return start == "rb" || start == "rt" || start == "rp";
  return false;
}

// Elements whose start and end break the text into lines.
bool isBlock(GumboTag tag) {
  switch (tag) {
    case GUMBO_TAG_P:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_SECTION:
    case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_HR:
      return true;
    default:
      return false;
  }
}

void lineBreak(std::string& out) {
  if (!out.empty() && out.back() != '\n') out += '\n';
}

}  // namespace

void checkNesting(std::string_view html) {
  std::vector<std::string> open;
  std::unordered_map<std::string, std::size_t> openCount;
  const auto pop = [&] {
    --openCount[open.back()];
    open.pop_back();
  };
  std::size_t pos = 0;
  while ((pos = html.find('<', pos)) != std::string_view::npos) {
    const std::string_view rest = html.substr(pos);
    if (rest.starts_with("<!--")) {
      pos = std::min(html.find("-->", pos + 4), html.size());
      continue;
    }
    const bool endTag = rest.size() > 1 && rest[1] == '/';
    const std::size_t nameStart = pos + 1 + (endTag ? 1 : 0);
    if (nameStart >= html.size() || !isLetter(html[nameStart])) {
      // Markup declarations and processing instructions end at the next ">"; a lone "<" is text.
      pos = (rest.size() > 1 && (rest[1] == '!' || rest[1] == '?' || endTag))
                ? std::min(html.find('>', pos), html.size())
                : pos + 1;
      continue;
    }
    std::size_t at = std::min(html.find_first_of(" \t\n\f\r/>", nameStart), html.size());
    const std::string name = lowered(html.substr(nameStart, at - nameStart));
    // Skip the attributes; a quoted ">" does not end the tag.
    char quote = 0;
    for (; at < html.size(); ++at) {
      const char c = html[at];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        // Only a quote that opens an attribute value quotes.
        if (at > 0 && html[at - 1] == '=') quote = c;
      } else if (c == '>') {
        break;
      }
    }
    pos = at;
    const bool selfClosing = at < html.size() && html[at - 1] == '/';
    if (endTag) {
      const auto found = openCount.find(name);
      if (found != openCount.end() && found->second > 0)
        while (!open.empty()) {
          const bool match = open.back() == name;
          pop();
          if (match) break;
        }
      continue;
    }
    if (oneOf(name, kVoid)) continue;
    // "/>" closes an element of SVG or MathML; an HTML element it leaves open.
    if (selfClosing && (openCount["svg"] > 0 || openCount["math"] > 0)) continue;
    if (oneOf(name, kRawText)) {
      // The content runs to the matching end tag, whatever it holds.
      const std::string close = "</" + name;
      std::size_t end = pos;
      while ((end = html.find("</", end)) != std::string_view::npos && lowered(html.substr(end, close.size())) != close)
        end += 2;
      pos = end == std::string_view::npos ? html.size() : end;
      continue;
    }
    while (!open.empty() && endsOpen(open.back(), name)) pop();
    if (open.size() >= kMaxPageNesting)
      throw ImportError("Die Seite ist zu tief verschachtelt (mehr als " + std::to_string(kMaxPageNesting) +
                        " Ebenen).");
    open.push_back(name);
    ++openCount[name];
  }
}

HtmlDocument::HtmlDocument(std::string_view html, Kind kind) {
  checkNesting(html);
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;
  if (kind == Kind::Fragment) {
    options.fragment_context = GUMBO_TAG_BODY;
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
  }
  output_ = gumbo_parse_with_options(&options, html.data(), html.size());
}

HtmlDocument::~HtmlDocument() { gumbo_destroy_output(&kGumboDefaultOptions, output_); }

std::string_view attributeOf(const GumboNode* element, const char* name) {
  if (element->type != GUMBO_NODE_ELEMENT) return {};
  const GumboAttribute* attribute = gumbo_get_attribute(&element->v.element.attributes, name);
  return attribute == nullptr ? std::string_view() : std::string_view(attribute->value);
}

bool hasAttribute(const GumboNode* element, const char* name) {
  return element->type == GUMBO_NODE_ELEMENT && gumbo_get_attribute(&element->v.element.attributes, name) != nullptr;
}

std::string textOf(const GumboNode* node, bool keepTextBreaks, std::size_t* budget) {
  std::string out;
  // A node to enter, or (leaving) the block element whose end breaks the line.
  std::vector<std::pair<const GumboNode*, bool>> todo{{node, false}};
  while (!todo.empty()) {
    const auto [current, leaving] = todo.back();
    todo.pop_back();
    if (budget != nullptr) {
      const std::size_t cost = 1 + (current->type == GUMBO_NODE_TEXT ? std::strlen(current->v.text.text) : 0);
      if (*budget < cost) {
        *budget = 0;
        break;
      }
      *budget -= cost;
    }
    if (leaving) {
      lineBreak(out);
      continue;
    }
    switch (current->type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA: {
        const std::size_t start = out.size();
        out += current->v.text.text;
        if (!keepTextBreaks)
          std::replace_if(
              out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
              [](char c) { return c == '\n' || c == '\r'; }, ' ');
        break;
      }
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE:
      case GUMBO_NODE_DOCUMENT: {
        const GumboVector* children =
            current->type == GUMBO_NODE_DOCUMENT ? &current->v.document.children : &current->v.element.children;
        if (current->type != GUMBO_NODE_DOCUMENT) {
          const GumboTag tag = current->v.element.tag;
          if (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_TEMPLATE ||
              tag == GUMBO_TAG_NOSCRIPT || current->type == GUMBO_NODE_TEMPLATE)
            break;
          if (tag == GUMBO_TAG_BR) {
            out += '\n';
            break;
          }
          if (isBlock(tag)) {
            lineBreak(out);
            todo.emplace_back(current, true);
          }
        }
        for (unsigned i = children->length; i-- > 0;)
          todo.emplace_back(static_cast<const GumboNode*>(children->data[i]), false);
        break;
      }
      case GUMBO_NODE_COMMENT:
        break;
    }
  }
  return out;
}

std::string fragmentText(std::string_view html) {
  if (html.find_first_of("<&") == std::string_view::npos) return std::string(html);
  const HtmlDocument fragment(html, HtmlDocument::Kind::Fragment);
  return textOf(fragment.root(), true);
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
  return text.size() >= lowerPrefix.size() && lowered(text.substr(0, lowerPrefix.size())) == lowerPrefix;
}

std::string collapsed(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool gap = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool noBreakSpace = c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
    if (noBreakSpace || kBlanks.find(c) != std::string_view::npos || c == '\v') {
      gap = true;
      if (noBreakSpace) ++i;
      continue;
    }
    if (gap && !out.empty()) out += ' ';
    gap = false;
    out += c;
  }
  return out;
}

}  // namespace zestovar::exchange
