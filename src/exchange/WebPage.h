// Recipes of web pages: the schema.org Recipe data recipe sites put into their pages for search
// engines, as JSON-LD scripts or as microdata, read with an HTML5 parser.
#pragma once

#include <string_view>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

inline constexpr std::string_view kNoRecipeData = "Keine Rezeptdaten auf der Seite gefunden.";

// Whether the bytes look like a saved web page (an HTML document or an XHTML one whose root element is
// <html>), as opposed to the collection formats.
bool looksLikeWebPage(std::string_view bytes);

// Every schema.org Recipe of the page, in the order of the page. contentType is the reply's
// Content-Type header (its charset is honoured), address the page's final address: the picture
// address of each recipe is made absolute against it (or the page's <base href>). A recipe without
// author keeps an empty author. Throws ImportError with kNoRecipeData when the page holds no recipe
// data, and ImportError with its own text when the page cannot be read (nested too deeply, say).
std::vector<ForeignRecipe> readWebPage(std::string_view bytes, std::string_view contentType = {},
                                       std::string_view address = {});

}  // namespace zestovar::exchange
