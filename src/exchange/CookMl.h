// CookML, the XML exchange format of several German recipe programs: a <cookml> root holding <recipe>
// elements with a head (title, categories, servings, author), parts of ingredients and the preparation.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

// Whether the bytes look like a CookML file: after an optional byte order mark, blanks, an XML
// declaration, comments, processing instructions and a document type declaration, the first element
// is <cookml>.
bool looksLikeCookMl(std::string_view bytes);

// Every <recipe> of a CookML file; throws ImportError (German message, UTF-8) when the file is no
// well-formed CookML. The encoding the file declares is not trusted: valid UTF-8 is read as UTF-8,
// anything else as Windows-1252 or code page 850, whichever fits the German letters better.
std::vector<ForeignRecipe> parseCookMl(std::string_view bytes);
// The same, each recipe handed to take as soon as it is read, so that a long file is never held as
// recipes all at once. An exception thrown by take ends the reading and passes on to the caller.
void parseCookMl(std::string_view bytes, const std::function<void(ForeignRecipe&&)>& take);

}  // namespace zestovar::exchange
