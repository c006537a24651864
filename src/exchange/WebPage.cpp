#include "exchange/WebPage.h"

#include <nlohmann/json.hpp>
#include <string>
#include <utility>

#include "exchange/HtmlDocument.h"
#include "exchange/PageCharset.h"
#include "exchange/SchemaRecipe.h"
#include "exchange/WebAddress.h"
#include "store/Cp1252.h"
#include "store/Words.h"

namespace zestovar::exchange {

namespace {

using nlohmann::json;

// JSON nested deeper than this is passed over: Recipe data needs a handful of levels.
constexpr std::size_t kMaxJsonDepth = 64;

constexpr std::string_view kBlanks = " \t\n\f\r";

// Whether the JSON text nests deeper than kMaxJsonDepth, counted over its brackets outside strings.
bool nestsTooDeeply(std::string_view text) {
  std::size_t depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonDepth) return true;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return false;
}

// The Recipe objects of a JSON-LD value: the value itself, the members of a list in their order, and
// what objects hold (an @graph, a WebPage's mainEntity).
void recipesOfJson(const json& value, std::vector<const json*>& recipes) {
  std::vector<const json*> todo{&value};
  while (!todo.empty()) {
    const json& current = *todo.back();
    todo.pop_back();
    if (current.is_object() && hasSchemaType(current, "Recipe")) {
      recipes.push_back(&current);
      continue;
    }
    if (!current.is_structured()) continue;
    std::vector<const json*> inner;
    for (const json& member : current) inner.push_back(&member);
    todo.insert(todo.end(), inner.rbegin(), inner.rend());
  }
}

// The objects of the page's JSON-LD by their @id.
void collectIdentified(const json& value, JsonIds& ids) {
  std::vector<const json*> todo{&value};
  while (!todo.empty()) {
    const json& current = *todo.back();
    todo.pop_back();
    if (!current.is_structured()) continue;
    if (current.is_object() && current.size() > 1)
      if (const auto id = current.find("@id"); id != current.end() && id->is_string())
        ids.emplace(id->get<std::string>(), &current);
    for (const json& member : current) todo.push_back(&member);
  }
}

bool isRecipeItem(const GumboNode* element) {
  if (!hasAttribute(element, "itemscope")) return false;
  const std::string_view types = attributeOf(element, "itemtype");
  std::size_t start = 0;
  while (start < types.size()) {
    const std::size_t end = std::min(types.find_first_of(kBlanks, start), types.size());
    std::string_view type = types.substr(start, end - start);
    for (const std::string_view prefix : {"https://", "http://"})
      if (type.starts_with(prefix)) type.remove_prefix(prefix.size());
    if (type.starts_with("www.")) type.remove_prefix(4);
    if (type == "schema.org/Recipe") return true;
    start = end + 1;
  }
  return false;
}

// The value of a microdata property: the content attribute, a link's or picture's address, a time's
// datetime, else the element's text.
std::string propertyValue(const GumboNode* element, std::size_t& budget) {
  if (hasAttribute(element, "content")) return std::string(attributeOf(element, "content"));
  switch (element->v.element.tag) {
    case GUMBO_TAG_IMG:
    case GUMBO_TAG_AUDIO:
    case GUMBO_TAG_VIDEO:
    case GUMBO_TAG_SOURCE:
    case GUMBO_TAG_EMBED:
    case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_TRACK:
      return std::string(attributeOf(element, "src"));
    case GUMBO_TAG_A:
    case GUMBO_TAG_AREA:
    case GUMBO_TAG_LINK:
      return std::string(attributeOf(element, "href"));
    case GUMBO_TAG_OBJECT:
      return std::string(attributeOf(element, "data"));
    case GUMBO_TAG_DATA:
    case GUMBO_TAG_METER:
      return std::string(attributeOf(element, "value"));
    case GUMBO_TAG_TIME:
      if (hasAttribute(element, "datetime")) return std::string(attributeOf(element, "datetime"));
      break;
    default:
      break;
  }
  return textOf(element, false, &budget);
}

// The last part of an item type's address ("http://schema.org/Person" gives "Person").
std::string typeName(std::string_view itemtype) {
  const std::size_t end = std::min(itemtype.find_first_of(kBlanks), itemtype.size());
  itemtype = itemtype.substr(0, end);
  return std::string(itemtype.substr(itemtype.rfind('/') + 1));
}

// A microdata item gathered into the shape of JSON-LD: each property a list of its values, a nested
// item an object of its own properties. The walk goes depth first with a stack of its own: an item's
// lists grow only while no element of them is still being filled, so the pointers on the stack stay
// valid.
json itemOf(const GumboNode* scope, std::size_t& budget) {
  json root = json::object();
  root["@type"] = typeName(attributeOf(scope, "itemtype"));
  std::vector<std::pair<const GumboNode*, json*>> todo;
  const auto children = [&](const GumboNode* element, json* item) {
    const GumboVector& list = element->v.element.children;
    for (unsigned i = list.length; i-- > 0;) {
      const auto* child = static_cast<const GumboNode*>(list.data[i]);
      if (child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE) todo.emplace_back(child, item);
    }
  };
  children(scope, &root);
  while (!todo.empty()) {
    const auto [element, item] = todo.back();
    todo.pop_back();
    const std::string_view names = attributeOf(element, "itemprop");
    const bool nested = hasAttribute(element, "itemscope");
    if (names.empty()) {
      // An item that is no property of this one holds none of its properties.
      if (!nested) children(element, item);
      continue;
    }
    json* child = nullptr;
    std::size_t start = 0;
    while (start < names.size()) {
      const std::size_t end = std::min(names.find_first_of(kBlanks, start), names.size());
      // Names of JSON-LD's own ("@type") are no properties.
      if (end > start && names[start] != '@') {
        json& values = (*item)[std::string(names.substr(start, end - start))];
        if (nested && child == nullptr) {
          values.push_back(json{{"@type", typeName(attributeOf(element, "itemtype"))}});
          child = &values.back();
        } else if (!nested) {
          values.push_back(propertyValue(element, budget));
        }
      }
      start = end + 1;
    }
    if (nested && child == nullptr) continue;
    children(element, nested ? child : item);
  }
  return root;
}

// What one walk over the document finds.
struct Findings {
  std::vector<std::string> scripts;     // the text of each JSON-LD script
  std::vector<const GumboNode*> items;  // the microdata Recipe items not inside another
  std::string baseHref;
};

Findings walk(const GumboNode* root) {
  Findings found;
  std::vector<std::pair<const GumboNode*, bool>> todo{{root, false}};  // node, inside a Recipe item
  while (!todo.empty()) {
    auto [node, inside] = todo.back();
    todo.pop_back();
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
    const GumboElement& element = node->v.element;
    if (element.tag == GUMBO_TAG_SCRIPT) {
      const std::string type = lowered(attributeOf(node, "type"));
      if (store::trimmed(std::string_view(type).substr(0, type.find(';')), kBlanks) == "application/ld+json") {
        std::string text;
        for (unsigned i = 0; i < element.children.length; ++i) {
          const auto* child = static_cast<const GumboNode*>(element.children.data[i]);
          if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE) text += child->v.text.text;
        }
        found.scripts.push_back(std::move(text));
      }
      continue;
    }
    if (element.tag == GUMBO_TAG_BASE && found.baseHref.empty() && hasAttribute(node, "href"))
      found.baseHref = attributeOf(node, "href");
    if (!inside && isRecipeItem(node)) {
      found.items.push_back(node);
      inside = true;
    }
    for (unsigned i = element.children.length; i-- > 0;)
      todo.emplace_back(static_cast<const GumboNode*>(element.children.data[i]), inside);
  }
  return found;
}

}  // namespace

bool looksLikeWebPage(std::string_view bytes) {
  if (bytes.starts_with(store::kUtf8ByteOrderMark)) bytes.remove_prefix(store::kUtf8ByteOrderMark.size());
  bool xml = false;
  // Blanks, comments, an XML declaration, processing instructions and a document type may come first.
  for (std::size_t pos = 0; pos < bytes.size() && pos < 65536;) {
    pos = bytes.find_first_not_of(kBlanks, pos);
    if (pos == std::string_view::npos) return false;
    const std::string_view rest = bytes.substr(pos);
    if (rest.starts_with("<!--")) {
      pos = bytes.find("-->", pos + 4);
      if (pos == std::string_view::npos) return false;
      pos += 3;
    } else if (rest.starts_with("<?")) {
      xml = xml || rest.starts_with("<?xml");
      pos = bytes.find("?>", pos + 2);
      if (pos == std::string_view::npos) return false;
      pos += 2;
    } else if (startsWithIgnoringCase(rest, "<!doctype")) {
      const std::string_view type = rest.substr(9);
      const std::size_t at = type.find_first_not_of(kBlanks);
      if (!xml && at != std::string_view::npos && at > 0 && startsWithIgnoringCase(type.substr(at), "html"))
        return true;
      pos = bytes.find('>', pos);
      if (pos == std::string_view::npos) return false;
      ++pos;
    } else {
      // The first element: <html>, or for a page without its start tag, what only a page's head holds.
      for (const std::string_view tag : {"<html", "<head", "<meta", "<title"}) {
        if (xml && tag != "<html") continue;
        if (startsWithIgnoringCase(rest, tag) &&
            (rest.size() == tag.size() || kBlanks.find(rest[tag.size()]) != std::string_view::npos ||
             rest[tag.size()] == '>' || rest[tag.size()] == '/'))
          return true;
      }
      return false;
    }
  }
  return false;
}

std::vector<ForeignRecipe> readWebPage(std::string_view bytes, std::string_view contentType, std::string_view address) {
  const std::string html = pageToUtf8(bytes, contentType);
  const HtmlDocument document(html);
  const Findings found = walk(document.root());
  std::string base(address);
  if (!found.baseHref.empty()) {
    std::string resolved = resolveAddress(address, found.baseHref);
    if (!resolved.empty()) base = std::move(resolved);
  }

  std::vector<json> values;
  for (const std::string& script : found.scripts) {
    if (nestsTooDeeply(script)) continue;
    // A script that is no JSON is passed over, as search engines pass it over.
    json value = json::parse(script, nullptr, false);
    if (!value.is_discarded()) values.push_back(std::move(value));
  }
  JsonIds ids;
  std::vector<const json*> objects;
  for (const json& value : values) {
    collectIdentified(value, ids);
    recipesOfJson(value, objects);
  }
  std::vector<ForeignRecipe> recipes;
  for (const json* object : objects) recipes.push_back(recipeOfSchema(*object, true, base, ids));
  // Text for values: a few times the page, however its values nest.
  std::size_t budget = 4 * html.size() + 65536;
  if (recipes.empty())
    for (const GumboNode* item : found.items) recipes.push_back(recipeOfSchema(itemOf(item, budget), false, base));
  if (recipes.empty()) throw ImportError(std::string(kNoRecipeData));
  return recipes;
}

}  // namespace zestovar::exchange
