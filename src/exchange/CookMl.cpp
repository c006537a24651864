#include "exchange/CookMl.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "exchange/Encoding.h"
#include "store/Cp1252.h"

namespace zestovar::exchange {

namespace {

constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
constexpr std::string_view kBlanks = " \t\r\n";

bool isBlank(char c) { return kBlanks.find(c) != std::string_view::npos; }

// The text trimmed, each run of blanks, tabs and line breaks inside it made one blank: the fields that
// hold a single line must not break it.
std::string singleLine(std::string_view text) {
  text = trimmed(text);
  std::string out;
  out.reserve(text.size());
  bool gap = false;
  for (const char c : text) {
    if (isBlank(c)) {
      gap = true;
      continue;
    }
    if (gap) out += ' ';
    gap = false;
    out += c;
  }
  return out;
}

void appendPiece(std::string& line, std::string_view piece) {
  if (piece.empty()) return;
  if (!line.empty()) line += ' ';
  line += piece;
}

// The elements the import reads; every other one is skipped with all it holds, except that its text
// counts for an element read that encloses it.
enum class Element {
  Root,
  Recipe,
  Head,
  Title,
  Category,
  ServingQuantity,
  ServingType,
  Author,
  SourceLine,
  Part,
  Ingredient,
  Preparation,
  Text,
  Other,
};

bool holdsText(Element element) {
  switch (element) {
    case Element::Title:
    case Element::Category:
    case Element::ServingQuantity:
    case Element::ServingType:
    case Element::Author:
    case Element::SourceLine:
    case Element::Text:
      return true;
    default:
      return false;
  }
}

Element elementOf(Element parent, std::string_view name) {
  switch (parent) {
    case Element::Root:
      if (name == "recipe") return Element::Recipe;
      break;
    case Element::Recipe:
      if (name == "head") return Element::Head;
      if (name == "part") return Element::Part;
      if (name == "preparation") return Element::Preparation;
      break;
    case Element::Head:
      if (name == "title") return Element::Title;
      if (name == "cat") return Element::Category;
      if (name == "servingqty") return Element::ServingQuantity;
      if (name == "servingtype") return Element::ServingType;
      if (name == "author") return Element::Author;
      if (name == "sourceline") return Element::SourceLine;
      break;
    case Element::Part:
      if (name == "ingredient") return Element::Ingredient;
      break;
    case Element::Preparation:
      if (name == "text") return Element::Text;
      break;
    default:
      break;
  }
  return Element::Other;
}

std::string_view attribute(const XML_Char** attributes, std::string_view name) {
  for (; attributes[0] != nullptr; attributes += 2) {
    if (name == attributes[0]) return attributes[1];
  }
  return {};
}

// One recipe while its elements are read; texts are UTF-8 until finish() makes them Windows-1252.
struct RecipeInProgress {
  std::string title;
  std::vector<std::string> categories;
  std::string servingQuantity;
  std::string servingType;
  std::string author;
  std::string sourceLine;
  std::vector<std::string> ingredients;
  ParagraphBuilder paragraphs;
  bool anyText = false;  // a <text> was read: the next one starts after a blank line

  ForeignRecipe finish() {
    ForeignRecipe recipe;
    recipe.title = store::utf8ToCp1252(title);
    for (const std::string& category : categories) recipe.categories.push_back(store::utf8ToCp1252(category));
    std::string servings = servingQuantity;
    appendPiece(servings, servingType);
    recipe.servings = store::utf8ToCp1252(servings);
    recipe.author = store::utf8ToCp1252(author.empty() ? sourceLine : author);
    recipe.ingredients.reserve(ingredients.size());
    for (const std::string& line : ingredients) recipe.ingredients.push_back(store::utf8ToCp1252(line));
    for (const std::string& paragraph : paragraphs.finish()) {
      recipe.paragraphs.push_back(store::utf8ToCp1252(paragraph));
    }
    return recipe;
  }
};

class Reader {
 public:
  explicit Reader(XML_Parser parser) : parser_(parser) {}

  std::vector<ForeignRecipe> takeRecipes() { return std::move(recipes_); }
  // Why the parser was stopped; empty when it was not stopped by the reader.
  const std::string& refusal() const { return refusal_; }
  std::exception_ptr failure() const { return failure_; }

  static void onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    guarded(data, [&](Reader& reader) { reader.start(name, attributes); });
  }
  static void onEnd(void* data, const XML_Char*) {
    guarded(data, [](Reader& reader) { reader.end(); });
  }
  static void onText(void* data, const XML_Char* text, int length) {
    guarded(data, [&](Reader& reader) {
      if (reader.capturing_) reader.text_.append(text, static_cast<std::size_t>(length));
    });
  }
  static void onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int hasInternalSubset) {
    if (hasInternalSubset != 0) static_cast<Reader*>(data)->refuseDeclarations();
  }
  static void onEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                       const XML_Char*, const XML_Char*) {
    static_cast<Reader*>(data)->refuseDeclarations();
  }

 private:
  // No exception may pass through expat's frames: it is kept and raised once XML_Parse has returned.
  template <typename Body>
  static void guarded(void* data, Body&& body) {
    auto& reader = *static_cast<Reader*>(data);
    if (reader.stopped_) return;
    try {
      body(reader);
    } catch (...) {
      reader.failure_ = std::current_exception();
      reader.stop();
    }
  }

  void stop() {
    stopped_ = true;
    XML_StopParser(parser_, XML_FALSE);
  }

  void refuse(std::string message) {
    if (stopped_) return;
    refusal_ = std::move(message);
    stop();
  }

  // Entity declarations can expand a few bytes into gigabytes; exchange files never need them.
  void refuseDeclarations() {
    refuse("CookML-Datei fehlerhaft in Zeile " + std::to_string(XML_GetCurrentLineNumber(parser_)) +
           ": eine DOCTYPE-Deklaration mit eigenen Definitionen oder Entitäten wird nicht gelesen");
  }

  void start(std::string_view name, const XML_Char** attributes) {
    if (stack_.empty()) {
      if (name != "cookml") return refuse("Keine CookML-Datei: das erste Element ist <" + std::string(name) + ">");
      stack_.push_back(Element::Root);
      return;
    }
    const Element element = elementOf(stack_.back(), name);
    stack_.push_back(element);
    if (holdsText(element)) {
      capturing_ = true;
      text_.clear();
    }
    switch (element) {
      case Element::Recipe:
        recipe_.emplace();
        break;
      case Element::Part:
        startPart(singleLine(attribute(attributes, "title")));
        break;
      case Element::Ingredient:
        addIngredient(attributes);
        break;
      default:
        break;
    }
  }

  void end() {
    const Element element = stack_.back();
    stack_.pop_back();
    if (holdsText(element)) {
      takeText(element);
      capturing_ = false;
    }
    if (element == Element::Recipe) {
      recipes_.push_back(recipe_->finish());
      recipe_.reset();
    }
  }

  void startPart(std::string title) {
    if (title.empty()) return;
    if (!title.ends_with(':')) title += ':';
    recipe_->ingredients.push_back(std::move(title));
  }

  void addIngredient(const XML_Char** attributes) {
    std::string line;
    for (const std::string_view name : {"qty", "unit", "item"})
      appendPiece(line, singleLine(attribute(attributes, name)));
    const std::string preparation = singleLine(attribute(attributes, "preparation"));
    // A note without amount, unit or name stands alone rather than behind a lone comma.
    if (!preparation.empty()) line += (line.empty() ? "" : ", ") + preparation;
    if (!line.empty()) recipe_->ingredients.push_back(std::move(line));
  }

  void takeText(Element element) {
    RecipeInProgress& recipe = *recipe_;
    switch (element) {
      case Element::Title:
        if (recipe.title.empty()) recipe.title = singleLine(text_);
        break;
      case Element::Category:
        if (std::string category = singleLine(text_); !category.empty()) recipe.categories.push_back(category);
        break;
      case Element::ServingQuantity:
        recipe.servingQuantity = singleLine(text_);
        break;
      case Element::ServingType:
        recipe.servingType = singleLine(text_);
        break;
      case Element::Author:
        if (recipe.author.empty()) recipe.author = singleLine(text_);
        break;
      case Element::SourceLine:
        if (recipe.sourceLine.empty()) recipe.sourceLine = singleLine(text_);
        break;
      case Element::Text:
        addDirections(recipe, text_);
        break;
      default:
        break;
    }
    text_.clear();
  }

  // Each <text> is a block of paragraphs of its own, set off from the one before by a single blank
  // line: the line breaks that merely lay out the XML around a text must not add empty paragraphs.
  static void addDirections(RecipeInProgress& recipe, std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return;
    ParagraphBuilder& paragraphs = recipe.paragraphs;
    if (recipe.anyText) paragraphs.addLine({});
    recipe.anyText = true;
    std::string line;
    while (true) {
      const std::size_t end = text.find('\n');
      line.assign(text.substr(0, end));
      std::erase(line, '\r');
      paragraphs.addLine(line);
      if (end == std::string_view::npos) break;
      text.remove_prefix(end + 1);
    }
  }

  XML_Parser parser_;
  std::vector<ForeignRecipe> recipes_;
  std::optional<RecipeInProgress> recipe_;  // set inside a <recipe>
  std::vector<Element> stack_;              // the open elements, the root first
  std::string text_;                        // the text of the open element read
  bool capturing_ = false;                  // inside an element whose text is read
  bool stopped_ = false;
  std::string refusal_;
  std::exception_ptr failure_;
};

struct ParserDeleter {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Skips what may stand before the first element: blanks, the XML declaration, processing
// instructions, comments and a document type declaration. Returns npos when one of them is not closed.
std::size_t prologEnd(std::string_view bytes, std::size_t pos) {
  while (pos < bytes.size()) {
    const std::string_view rest = bytes.substr(pos);
    std::size_t end = std::string_view::npos;
    if (isBlank(rest.front())) {
      ++pos;
      continue;
    }
    if (rest.starts_with("<?")) {
      end = rest.find("?>");
      if (end != std::string_view::npos) end += 2;
    } else if (rest.starts_with("<!--")) {
      end = rest.find("-->", 4);
      if (end != std::string_view::npos) end += 3;
    } else if (rest.starts_with("<!DOCTYPE")) {
      const std::size_t close = rest.find('>');
      const std::size_t subset = rest.find('[');
      end = subset < close ? rest.find(']', subset) : close;
      if (end != std::string_view::npos) end = rest.find('>', end);
      if (end != std::string_view::npos) ++end;
    } else {
      return pos;
    }
    if (end == std::string_view::npos) return std::string_view::npos;
    pos += end;
  }
  return pos;
}

}  // namespace

bool looksLikeCookMl(std::string_view bytes) {
  const std::size_t start = prologEnd(bytes, bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0);
  if (start == std::string_view::npos) return false;
  const std::string_view rest = bytes.substr(start);
  constexpr std::string_view kRoot = "<cookml";
  if (!rest.starts_with(kRoot)) return false;
  if (rest.size() == kRoot.size()) return true;  // cut off right after the name
  const char next = rest[kRoot.size()];
  return isBlank(next) || next == '>' || next == '/';
}

std::vector<ForeignRecipe> parseCookMl(std::string_view bytes) {
  std::string converted;
  const Encoding encoding = detectEncoding(bytes);
  if (encoding != Encoding::Utf8 || bytes.starts_with(kByteOrderMark)) {
    converted = toUtf8(bytes, encoding);
    bytes = converted;
  }

  // The encoding given here overrides the one the file declares.
  const std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate("UTF-8"));
  if (!parser) throw std::bad_alloc();
  Reader reader(parser.get());
  XML_SetUserData(parser.get(), &reader);
  XML_SetElementHandler(parser.get(), &Reader::onStart, &Reader::onEnd);
  XML_SetCharacterDataHandler(parser.get(), &Reader::onText);
  XML_SetStartDoctypeDeclHandler(parser.get(), &Reader::onDoctype);
  XML_SetEntityDeclHandler(parser.get(), &Reader::onEntity);
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

  // One call for any file below 2 GB; XML_Parse takes the length as an int.
  XML_Status status = XML_STATUS_OK;
  do {
    const std::size_t length = std::min<std::size_t>(bytes.size(), INT_MAX);
    const bool last = length == bytes.size();
    status = XML_Parse(parser.get(), bytes.data(), static_cast<int>(length), last ? XML_TRUE : XML_FALSE);
    bytes.remove_prefix(length);
  } while (status == XML_STATUS_OK && !bytes.empty());

  if (reader.failure()) std::rethrow_exception(reader.failure());
  if (!reader.refusal().empty()) throw ImportError(reader.refusal());
  if (status != XML_STATUS_OK) {
    const XML_LChar* reason = XML_ErrorString(XML_GetErrorCode(parser.get()));
    throw ImportError("CookML-Datei fehlerhaft in Zeile " + std::to_string(XML_GetCurrentLineNumber(parser.get())) +
                      ": " + (reason != nullptr ? reason : "unbekannter Fehler"));
  }
  return reader.takeRecipes();
}

void parseCookMl(std::string_view bytes, const std::function<void(ForeignRecipe&&)>& take) {
  for (ForeignRecipe& recipe : parseCookMl(bytes)) take(std::move(recipe));
}

}  // namespace zestovar::exchange
