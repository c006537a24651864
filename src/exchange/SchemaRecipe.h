// schema.org Recipe data, as JSON-LD gives it or as the microdata of a page is gathered into the same
// shape, mapped into the fields of an imported recipe. Every property may be a text, an object or a
// list of either.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <unordered_map>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

// Whether an object's @type (a text or a list) names the schema.org type, written plainly
// ("Recipe"), as "schema:Recipe" or as an http or https schema.org address.
bool hasSchemaType(const nlohmann::json& object, std::string_view type);

// The objects of a page's JSON-LD by their @id: an author or a picture may be a reference
// ({"@id": ...}) to an object elsewhere in the graph, as site builders write them.
using JsonIds = std::unordered_map<std::string, const nlohmann::json*>;

// The recipe of a schema.org Recipe object. Texts of JSON-LD hold HTML (htmlTexts): entities are
// decoded and tags stripped; microdata texts are read from the page already. The picture address is
// resolved against base (the page's address or its <base href>); only http and https addresses are
// kept. References are followed through ids. Texts come out in Windows-1252.
ForeignRecipe recipeOfSchema(const nlohmann::json& recipe, bool htmlTexts, std::string_view base,
                             const JsonIds& ids = {});

// The book's origin (Windows-1252) that a cuisine names in German or English ("Italienisch",
// "Italian", "italienische Küche"), empty when it names none.
std::string originOfCuisine(std::string_view cuisine);

}  // namespace zestovar::exchange
