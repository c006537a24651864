#include "exchange/CookMl.h"

#include <expat.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "exchange/CookMlText.h"
#include "exchange/Encoding.h"
#include "store/Cp1252.h"
#include "store/Entry.h"

namespace zestovar::exchange {

namespace {

using cookml::Base64Decoder;
using cookml::Directions;
using cookml::isBlank;
using cookml::kUnlimited;
using cookml::LineField;
using cookml::singleLine;

// A record holds 50 characters of a title, category word, servings or author; more of such a field
// would only take memory.
constexpr std::size_t kShortFieldBytes = 1024;
// expat copies what it is given into a buffer of its own, so it is given the file in pieces.
constexpr std::size_t kFirstPiece = std::size_t{1} << 20;
constexpr std::size_t kLargestPiece = std::size_t{1} << 28;  // converted, still below INT_MAX

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
  Picture,
  Part,
  Ingredient,
  IngredientNote,
  Preparation,
  Text,
  Other,
};

// Where the text of an element goes.
enum class Capture { None, Line, Directions, Picture };

Capture captureOf(Element element) {
  switch (element) {
    case Element::Title:
    case Element::Category:
    case Element::ServingQuantity:
    case Element::ServingType:
    case Element::Author:
    case Element::SourceLine:
    case Element::IngredientNote:
      return Capture::Line;
    case Element::Text:
      return Capture::Directions;
    case Element::Picture:
      return Capture::Picture;
    default:
      return Capture::None;
  }
}

// The elements read, each under its parent.
struct Child {
  Element parent;
  std::string_view name;
  Element element;
};

constexpr Child kChildren[] = {
    {Element::Root, "recipe", Element::Recipe},
    {Element::Recipe, "head", Element::Head},
    {Element::Recipe, "part", Element::Part},
    {Element::Recipe, "preparation", Element::Preparation},
    {Element::Head, "title", Element::Title},
    {Element::Head, "cat", Element::Category},
    {Element::Head, "servingqty", Element::ServingQuantity},
    {Element::Head, "servingtype", Element::ServingType},
    {Element::Head, "author", Element::Author},
    {Element::Head, "sourceline", Element::SourceLine},
    {Element::Head, "picbin", Element::Picture},
    {Element::Part, "ingredient", Element::Ingredient},
    {Element::Ingredient, "inote", Element::IngredientNote},
    {Element::Preparation, "text", Element::Text},
    {Element::Preparation, "step", Element::Text},
};

Element elementOf(Element parent, std::string_view name) {
  for (const Child& child : kChildren)
    if (child.parent == parent && child.name == name) return child.element;
  return Element::Other;
}

std::string_view attribute(const XML_Char** attributes, std::string_view name) {
  for (; attributes[0] != nullptr; attributes += 2) {
    if (name == attributes[0]) return attributes[1];
  }
  return {};
}

void setOnce(std::string& field, std::string value) {
  if (field.empty()) field = std::move(value);
}

// One recipe while its elements are read; texts are UTF-8 until finish() makes them Windows-1252.
struct RecipeInProgress {
  std::string title;
  std::vector<std::string> categories;
  std::string servingQuantity;
  std::string servingType;
  std::string author;
  std::string creator;  // who entered the recipe into the program that wrote the file
  std::string sourceLine;
  std::vector<std::string> ingredients;
  Directions directions;
  std::string picture;

  ForeignRecipe finish() {
    ForeignRecipe recipe;
    recipe.title = store::utf8ToCp1252(title);
    for (const std::string& category : categories) recipe.categories.push_back(store::utf8ToCp1252(category));
    std::string servings = servingQuantity;
    appendPiece(servings, servingType);
    recipe.servings = store::utf8ToCp1252(servings);
    const std::string& by = !author.empty() ? author : !creator.empty() ? creator : sourceLine;
    recipe.author = store::utf8ToCp1252(by);
    recipe.ingredients.reserve(ingredients.size());
    for (const std::string& line : ingredients) recipe.ingredients.push_back(store::utf8ToCp1252(line));
    for (const std::string& paragraph : directions.finish()) {
      recipe.paragraphs.push_back(store::utf8ToCp1252(paragraph));
    }
    recipe.picture = std::move(picture);
    return recipe;
  }
};

class Reader {
 public:
  Reader(XML_Parser parser, const std::function<void(ForeignRecipe&&)>& take) : parser_(parser), take_(take) {}

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
    guarded(data, [&](Reader& reader) { reader.text({text, static_cast<std::size_t>(length)}); });
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
    refusal_ = "CookML-Datei fehlerhaft in Zeile " + std::to_string(XML_GetCurrentLineNumber(parser_)) + ": " +
               std::move(message);
    stop();
  }

  // Entity declarations can expand a few bytes into gigabytes; exchange files never need them.
  void refuseDeclarations() {
    refuse("eine DOCTYPE-Deklaration mit eigenen Definitionen oder Entitäten wird nicht gelesen");
  }

  void start(std::string_view name, const XML_Char** attributes) {
    if (stack_.empty()) {
      if (name != "cookml") {
        if (stopped_) return;
        refusal_ = "Keine CookML-Datei: das erste Element ist <" + std::string(name) + ">";
        return stop();
      }
      stack_.push_back(Element::Root);
      return;
    }
    // expat keeps every open element; a file of millions of nested elements must not get that far.
    if (stack_.size() >= kMaxCookMlDepth)
      return refuse("die Elemente sind tiefer als " + std::to_string(kMaxCookMlDepth) + " Ebenen verschachtelt");
    const Element element = elementOf(stack_.back(), name);
    stack_.push_back(element);
    switch (element) {
      case Element::Recipe:
        recipe_.emplace();
        break;
      case Element::Head:
        readHead(attributes);
        break;
      case Element::Part:
        startPart(singleLine(attribute(attributes, "title")));
        break;
      case Element::Ingredient:
        startIngredient(attributes);
        break;
      default:
        break;
    }
    switch (captureOf(element)) {
      case Capture::Line:
        field_.start(element == Element::IngredientNote ? kUnlimited : kShortFieldBytes);
        capture_ = Capture::Line;
        break;
      case Capture::Directions:
        recipe_->directions.startBlock();
        capture_ = Capture::Directions;
        break;
      case Capture::Picture:
        // The first picture that can be stored is the recipe's; later ones are not even decoded.
        if (!recipe_->picture.empty()) break;
        picture_.clear();
        base64_.start(picture_);
        capture_ = Capture::Picture;
        break;
      case Capture::None:
        break;
    }
  }

  void text(std::string_view text) {
    switch (capture_) {
      case Capture::Line:
        field_.add(text);
        break;
      case Capture::Directions:
        recipe_->directions.add(text);
        break;
      case Capture::Picture:
        base64_.add(text);
        break;
      case Capture::None:
        break;
    }
  }

  void end() {
    const Element element = stack_.back();
    stack_.pop_back();
    if (captureOf(element) != Capture::None) {
      finishCapture(element);
      capture_ = Capture::None;
    }
    if (element == Element::Ingredient && !ingredient_.empty())
      recipe_->ingredients.push_back(std::exchange(ingredient_, {}));
    if (element == Element::Recipe) {
      ForeignRecipe recipe = recipe_->finish();
      recipe_.reset();
      take_(std::move(recipe));
    }
  }

  // The attribute form of the head; the older element form fills what the attributes leave empty.
  void readHead(const XML_Char** attributes) {
    RecipeInProgress& recipe = *recipe_;
    setOnce(recipe.title, singleLine(attribute(attributes, "title"), kShortFieldBytes));
    setOnce(recipe.servingQuantity, singleLine(attribute(attributes, "servingqty"), kShortFieldBytes));
    setOnce(recipe.servingType, singleLine(attribute(attributes, "servingtype"), kShortFieldBytes));
    setOnce(recipe.creator, singleLine(attribute(attributes, "createuser"), kShortFieldBytes));
  }

  void startPart(std::string title) {
    if (title.empty()) return;
    if (!title.ends_with(':')) title += ':';
    recipe_->ingredients.push_back(std::move(title));
  }

  void startIngredient(const XML_Char** attributes) {
    ingredient_.clear();
    for (const std::string_view name : {"qty", "unit", "item"})
      appendPiece(ingredient_, singleLine(attribute(attributes, name)));
    addNote(singleLine(attribute(attributes, "preparation")));
  }

  // A note without amount, unit or name stands alone rather than behind a lone comma.
  void addNote(std::string_view note) {
    if (note.empty()) return;
    if (!ingredient_.empty()) ingredient_ += ", ";
    ingredient_ += note;
  }

  // The fields of one line that the first of their elements sets.
  static std::string RecipeInProgress::*firstWins(Element element) {
    switch (element) {
      case Element::Title:
        return &RecipeInProgress::title;
      case Element::ServingQuantity:
        return &RecipeInProgress::servingQuantity;
      case Element::ServingType:
        return &RecipeInProgress::servingType;
      case Element::Author:
        return &RecipeInProgress::author;
      case Element::SourceLine:
        return &RecipeInProgress::sourceLine;
      default:
        return nullptr;
    }
  }

  void finishCapture(Element element) {
    RecipeInProgress& recipe = *recipe_;
    if (const auto field = firstWins(element)) {
      setOnce(recipe.*field, field_.take());
      return;
    }
    switch (element) {
      case Element::Category:
        if (std::string category = field_.take(); !category.empty()) recipe.categories.push_back(std::move(category));
        break;
      case Element::IngredientNote:
        addNote(field_.take());
        break;
      case Element::Text:
        recipe.directions.endBlock();
        break;
      case Element::Picture:
        if (capture_ == Capture::Picture && base64_.finish() && storablePicture(picture_))
          recipe.picture = std::move(picture_);
        picture_ = std::string();  // a refused picture gives its memory back at once
        break;
      default:
        break;
    }
  }

  XML_Parser parser_;
  const std::function<void(ForeignRecipe&&)>& take_;
  std::optional<RecipeInProgress> recipe_;  // set inside a <recipe>
  std::vector<Element> stack_;              // the open elements, the root first
  Capture capture_ = Capture::None;         // where the text read goes
  LineField field_;                         // the text of the open field of one line
  std::string ingredient_;                  // the line of the open <ingredient>
  std::string picture_;                     // the bytes of the open <picbin>
  Base64Decoder base64_;
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

// The end of a piece moved back to the start of a UTF-8 character, so that no character is split
// between two pieces converted one by one.
std::size_t characterStart(std::string_view bytes, std::size_t end) {
  for (std::size_t back = 0; back < 4 && back < end; ++back)
    if ((static_cast<unsigned char>(bytes[end - back]) & 0xc0) != 0x80) return end - back;
  return end;
}

}  // namespace

bool looksLikeCookMl(std::string_view bytes) {
  const std::size_t start =
      prologEnd(bytes, bytes.starts_with(store::kUtf8ByteOrderMark) ? store::kUtf8ByteOrderMark.size() : 0);
  if (start == std::string_view::npos) return false;
  const std::string_view rest = bytes.substr(start);
  constexpr std::string_view kRoot = "<cookml";
  if (!rest.starts_with(kRoot)) return false;
  if (rest.size() == kRoot.size()) return true;  // cut off right after the name
  const char next = rest[kRoot.size()];
  return isBlank(next) || next == '>' || next == '/';
}

void parseCookMl(std::string_view bytes, const std::function<void(ForeignRecipe&&)>& take) {
  const Encoding encoding = detectEncoding(bytes);
  bool repair = false;
  if (bytes.starts_with(store::kUtf8ByteOrderMark)) {
    bytes.remove_prefix(store::kUtf8ByteOrderMark.size());
    // The mark says UTF-8; bytes that are none become U+FFFD.
    repair = detectEncoding(bytes) != Encoding::Utf8;
  }
  const bool convert = encoding != Encoding::Utf8 || repair;

  // The encoding given here overrides the one the file declares.
  const std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate("UTF-8"));
  if (!parser) throw std::bad_alloc();
  Reader reader(parser.get(), take);
  XML_SetUserData(parser.get(), &reader);
  XML_SetElementHandler(parser.get(), &Reader::onStart, &Reader::onEnd);
  XML_SetCharacterDataHandler(parser.get(), &Reader::onText);
  XML_SetStartDoctypeDeclHandler(parser.get(), &Reader::onDoctype);
  XML_SetEntityDeclHandler(parser.get(), &Reader::onEntity);
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

  std::size_t piece = kFirstPiece;
  XML_Index fed = 0;
  std::string converted;
  XML_Status status = XML_STATUS_OK;
  do {
    std::size_t length = std::min(bytes.size(), piece);
    if (repair && length < bytes.size()) length = characterStart(bytes, length);
    std::string_view input = bytes.substr(0, length);
    if (convert) {
      converted = toUtf8(input, encoding);
      input = converted;
    }
    bytes.remove_prefix(length);
    status =
        XML_Parse(parser.get(), input.data(), static_cast<int>(input.size()), bytes.empty() ? XML_TRUE : XML_FALSE);
    fed += static_cast<XML_Index>(input.size());
    // expat reads a token that runs past a piece again from its start with every further piece: the
    // pieces grow with such a token, so that a long one costs time in proportion to its length.
    const XML_Index parsed = XML_GetCurrentByteIndex(parser.get());
    if (parsed >= 0 && fed - parsed > static_cast<XML_Index>(piece / 2)) piece = std::min(piece * 2, kLargestPiece);
  } while (status == XML_STATUS_OK && !bytes.empty());

  if (reader.failure()) std::rethrow_exception(reader.failure());
  if (!reader.refusal().empty()) throw ImportError(reader.refusal());
  if (status != XML_STATUS_OK) {
    const XML_LChar* reason = XML_ErrorString(XML_GetErrorCode(parser.get()));
    throw ImportError("CookML-Datei fehlerhaft in Zeile " + std::to_string(XML_GetCurrentLineNumber(parser.get())) +
                      ": " + (reason != nullptr ? reason : "unbekannter Fehler"));
  }
}

std::vector<ForeignRecipe> parseCookMl(std::string_view bytes) {
  std::vector<ForeignRecipe> recipes;
  parseCookMl(bytes, [&](ForeignRecipe&& recipe) { recipes.push_back(std::move(recipe)); });
  return recipes;
}

}  // namespace zestovar::exchange
