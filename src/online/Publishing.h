// Which own recipes can be published, and the records that go to the site's operator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "online/ListPage.h"
#include "store/RecipeStore.h"

namespace zestovar::online {

// (name, author) of every entry of the main recipe file, in file order, that the list page does not
// carry yet: no record of that name (compared exactly), or the last record of that name has another
// author.
std::vector<KnownPair> publishable(store::RecipeStore& store, const std::vector<ListRecord>& listPage);

// The whole entries of the main recipe file whose name equals one of the names (exactly), byte for
// byte and in file order; a name stored twice gives both entries.
std::string uploadRecords(store::RecipeStore& store, const std::vector<std::string>& names);

}  // namespace zestovar::online
