// CookML, the XML exchange format of several German recipe programs: a <cookml> root holding <recipe>
// elements, each with a <head> (title, servings and author as its attributes; categories, source
// lines and a picture as its children), <part>s of ingredients and the <preparation> as <text> or
// <step> elements. Files of older programs that give title and servings as child elements of the
// head are read too.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

// Elements nested deeper than this are refused at once: no recipe needs more than a handful of levels,
// and every open level costs memory while the file is read.
inline constexpr std::size_t kMaxCookMlDepth = 256;

// Whether the bytes look like a CookML file: after an optional byte order mark, blanks, an XML
// declaration, comments, processing instructions and a document type declaration, the first element
// is <cookml>.
bool looksLikeCookMl(std::string_view bytes);

// Reads a CookML file in one pass and hands each <recipe> to take as soon as its end tag is read;
// nothing of a recipe is kept after that. Throws ImportError (German message, UTF-8) when the file is
// no well-formed CookML, nests deeper than kMaxCookMlDepth or declares entities of its own; recipes
// handed over before the fault was found are part of a file that cannot be read as a whole. An
// exception thrown by take stops the reading and passes on. The encoding the file declares is not
// trusted: valid UTF-8 is read as UTF-8, anything else as Windows-1252 or code page 850, whichever
// fits the German letters better, converted piece by piece as it is read. Nothing outside the bytes
// is ever fetched (no document type definition, no external entity). A <picbin> becomes the recipe's
// picture when it is a whole JPEG picture that decodes and that the store can hold; otherwise the
// recipe comes without picture.
void parseCookMl(std::string_view bytes, const std::function<void(ForeignRecipe&&)>& take);

// Every recipe of a CookML file, as above.
std::vector<ForeignRecipe> parseCookMl(std::string_view bytes);

}  // namespace zestovar::exchange
