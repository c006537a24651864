#include "exchange/SchemaRecipe.h"

#include <array>
#include <vector>

#include "exchange/HtmlDocument.h"
#include "exchange/Mapping.h"
#include "exchange/WebAddress.h"
#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/RecordFormat.h"

namespace zestovar::exchange {

namespace {

using nlohmann::json;

struct Cuisine {
  std::string_view word;    // English, lower case
  std::string_view origin;  // the book's origin, UTF-8 here
};

constexpr std::array kEnglishCuisines = {
    Cuisine{"african", "afrikanisch"},
    Cuisine{"american", "amerikanisch"},
    Cuisine{"arabic", "arabisch"},
    Cuisine{"arabian", "arabisch"},
    Cuisine{"argentinian", "argentinisch"},
    Cuisine{"argentine", "argentinisch"},
    Cuisine{"asian", "asiatisch"},
    Cuisine{"australian", "australisch"},
    Cuisine{"chinese", "chinesisch"},
    Cuisine{"german", "deutsch"},
    Cuisine{"english", "englisch"},
    Cuisine{"british", "englisch"},
    Cuisine{"french", "französisch"},
    Cuisine{"greek", "griechisch"},
    Cuisine{"indian", "indisch"},
    Cuisine{"international", "International"},
    Cuisine{"italian", "italienisch"},
    Cuisine{"japanese", "japanisch"},
    Cuisine{"latin american", "lateinamerikanisch"},
    Cuisine{"latin-american", "lateinamerikanisch"},
    Cuisine{"austrian", "österreichisch"},
    Cuisine{"polish", "polnisch"},
    Cuisine{"russian", "russisch"},
    Cuisine{"swiss", "schweizerisch"},
    Cuisine{"spanish", "spanisch"},
    Cuisine{"hungarian", "ungarisch"},
};

std::string folded(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = store::foldCase(c);
  return out;
}

// The members of a property: the elements of a list, else the value itself; nothing for null.
std::vector<const json*> membersOf(const json& value) {
  std::vector<const json*> members;
  if (value.is_array())
    for (const json& member : value) members.push_back(&member);
  else if (!value.is_null())
    members.push_back(&value);
  return members;
}

// The object a reference names, else the value itself.
const json& followed(const json& value, const JsonIds& ids) {
  if (!value.is_object() || value.size() != 1) return value;
  const auto id = value.find("@id");
  if (id == value.end() || !id->is_string()) return value;
  const auto target = ids.find(id->get_ref<const std::string&>());
  return target == ids.end() ? value : *target->second;
}

const json& property(const json& object, std::string_view name) {
  static const json none;
  if (!object.is_object()) return none;
  const auto it = object.find(name);
  return it == object.end() ? none : *it;
}

std::string numberText(const json& value) {
  if (value.is_number_integer() || value.is_number_unsigned()) return value.dump();
  const double number = value.get<double>();
  if (number > -1e15 && number < 1e15 && number == static_cast<double>(static_cast<long long>(number)))
    return std::to_string(static_cast<long long>(number));
  return value.dump();
}

// The pieces of the text between the separators, each on one line, the empty ones left out.
void appendPieces(std::vector<std::string>& out, std::string_view text, char separator) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (std::string piece = collapsed(text.substr(start, end - start)); !piece.empty()) out.push_back(std::move(piece));
    start = end + 1;
  }
}

// The texts of a Recipe's properties, read as HTML or not.
class Texts {
 public:
  explicit Texts(bool html) : html_(html) {}

  // The text of a value with its line breaks: a text, a number, or an object's @value, name or text;
  // the first member of a list that has one.
  std::string raw(const json& value) const {
    if (value.is_string()) return html_ ? fragmentText(value.get_ref<const std::string&>()) : value.get<std::string>();
    if (value.is_number()) return numberText(value);
    if (value.is_array())
      for (const json& member : value)
        if (!member.is_array())
          if (std::string text = raw(member); !collapsed(text).empty()) return text;
    if (value.is_object())
      for (const char* name : {"@value", "name", "text"})
        if (const json& inner = property(value, name); !inner.is_object())
          if (std::string text = raw(inner); !collapsed(text).empty()) return text;
    return {};
  }

  std::string line(const json& value) const { return collapsed(raw(value)); }

  // The non-empty lines of each member, a text broken at its line breaks.
  std::vector<std::string> lines(const json& value) const {
    std::vector<std::string> out;
    for (const json* member : membersOf(value)) appendPieces(out, raw(*member), '\n');
    return out;
  }

  // The words of each member, a text split at its commas ("Rind, Schmoren").
  std::vector<std::string> words(const json& value) const {
    std::vector<std::string> out;
    for (const std::string& text : lines(value)) appendPieces(out, text, ',');
    return out;
  }

 private:
  bool html_;
};

// The preparation: texts split at their line breaks, steps with their text (else their name),
// sections as a line "name:" before their steps, lists item by item. Walked with a stack of its own,
// so a deep structure costs no call depth.
std::vector<std::string> preparationOf(const json& instructions, const Texts& texts) {
  std::vector<std::string> paragraphs;
  std::vector<const json*> todo{&instructions};
  const auto later = [&](const json& value) {
    const std::vector<const json*> members = membersOf(value);
    todo.insert(todo.end(), members.rbegin(), members.rend());
  };
  while (!todo.empty()) {
    const json& value = *todo.back();
    todo.pop_back();
    if (!value.is_object()) {
      if (value.is_array()) {
        later(value);
      } else {
        for (std::string& line : texts.lines(value)) paragraphs.push_back(std::move(line));
      }
      continue;
    }
    const json& steps = property(value, "itemListElement");
    if (hasSchemaType(value, "HowToSection")) {
      if (std::string name = texts.line(property(value, "name")); !name.empty())
        paragraphs.push_back(name.ends_with(':') ? name : name + ":");
      later(steps.is_null() ? property(value, "steps") : steps);
    } else if (const json& text = property(value, "text"); !texts.line(text).empty()) {
      later(text);
    } else if (!steps.is_null()) {
      later(steps);
    } else if (const json& item = property(value, "item"); !item.is_null()) {
      later(item);
    } else {
      later(property(value, "name"));
    }
  }
  return paragraphs;
}

// The servings: of a list, the first member that is a number of persons or portions, else the first.
std::string servingsOf(const json& yield, const Texts& texts) {
  std::string first;
  for (const json* member : membersOf(yield)) {
    std::string text =
        member->is_object()
            ? collapsed(texts.line(property(*member, "value")) + " " + texts.line(property(*member, "unitText")))
            : texts.line(*member);
    if (text.empty()) continue;
    const std::string persons = personsOf(store::utf8ToCp1252(text));
    if (!persons.empty() && persons.find_first_not_of("0123456789") == std::string::npos) return text;
    if (first.empty()) first = std::move(text);
  }
  return first;
}

// The name of the first author: a Person or Organization with a name, or a text.
std::string authorOf(const json& author, const Texts& texts, const JsonIds& ids) {
  for (const json* reference : membersOf(author)) {
    const json* member = &followed(*reference, ids);
    const std::string name = member->is_object() ? texts.line(property(*member, "name")) : texts.line(*member);
    if (!name.empty()) return name;
  }
  return {};
}

// The address of the first picture: a URL, or an ImageObject with its url (or contentUrl).
std::string pictureOf(const json& image, const Texts& texts, const JsonIds& ids) {
  for (const json* reference : membersOf(image)) {
    const json* member = &followed(*reference, ids);
    if (member->is_object()) {
      for (const char* name : {"url", "contentUrl"})
        if (std::string address = texts.line(property(*member, name)); !address.empty()) return address;
    } else if (std::string address = texts.line(*member); !address.empty()) {
      return address;
    }
  }
  return {};
}

}  // namespace

bool hasSchemaType(const nlohmann::json& object, std::string_view type) {
  for (const json* member : membersOf(property(object, "@type"))) {
    if (!member->is_string()) continue;
    std::string_view name = member->get_ref<const std::string&>();
    for (const std::string_view prefix : {"https://schema.org/", "http://schema.org/", "schema:"})
      if (name.starts_with(prefix)) name.remove_prefix(prefix.size());
    if (name == type) return true;
  }
  return false;
}

std::string originOfCuisine(std::string_view cuisine) {
  std::string word = folded(store::utf8ToCp1252(collapsed(cuisine)));
  for (const std::string_view suffix : {" k\xfc"
                                        "che",
                                        " cuisine", " food", " cooking"})
    if (word.ends_with(suffix)) word.resize(word.size() - suffix.size());
  const auto origin = [&](std::string_view candidate) -> std::string {
    for (const std::string_view name : store::kOriginNames)
      if (name != store::kNoOrigin && folded(name) == candidate) return std::string(name);
    for (const Cuisine& c : kEnglishCuisines)
      if (c.word == candidate) return store::utf8ToCp1252(c.origin);
    return {};
  };
  std::string found = origin(word);
  // German adjectives come inflected: "italienische", "deutscher".
  for (const std::string_view ending : {"e", "er", "es", "en"})
    if (found.empty() && word.ends_with(ending))
      found = origin(std::string_view(word).substr(0, word.size() - ending.size()));
  return found;
}

ForeignRecipe recipeOfSchema(const nlohmann::json& recipe, bool htmlTexts, std::string_view base, const JsonIds& ids) {
  const Texts texts(htmlTexts);
  ForeignRecipe out;
  const auto cp1252 = [](const std::string& utf8) { return store::utf8ToCp1252(utf8); };
  out.title = cp1252(texts.line(property(recipe, "name")));
  for (const char* name : {"recipeCategory", "keywords"})
    for (const std::string& word : texts.words(property(recipe, name))) out.categories.push_back(cp1252(word));
  out.servings = cp1252(servingsOf(property(recipe, "recipeYield"), texts));
  out.author = cp1252(authorOf(property(recipe, "author"), texts, ids));
  const json& ingredients = property(recipe, "recipeIngredient");
  for (const std::string& line : texts.lines(ingredients.is_null() ? property(recipe, "ingredients") : ingredients))
    out.ingredients.push_back(cp1252(line));
  for (const std::string& paragraph : preparationOf(property(recipe, "recipeInstructions"), texts))
    out.paragraphs.push_back(cp1252(paragraph));
  for (const std::string& cuisine : texts.words(property(recipe, "recipeCuisine")))
    if (out.origin.empty()) out.origin = originOfCuisine(cuisine);
  const std::string picture = pictureOf(property(recipe, "image"), texts, ids);
  if (!picture.empty()) {
    std::string address = resolveAddress(base, picture);
    // Only what the web client fetches: never a file of this machine or an address of another kind.
    if (isWebAddress(address)) out.pictureAddress = std::move(address);
  }
  return out;
}

}  // namespace zestovar::exchange
