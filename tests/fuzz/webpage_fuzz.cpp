// libFuzzer target: the input is a web page (HTML, its JSON-LD and microdata, in any character set).
// Reading it ends in recipes or in ImportError, never in a crash, a hang or a read out of bounds; the
// recipes map into records of one line each, and a picture address is an http or https address
// without blanks or control characters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ImportedRecipeChecks.h"
#include "exchange/Import.h"
#include "exchange/Mapping.h"
#include "exchange/WebPage.h"

using namespace zestovar::exchange;
using zestovar::test::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks the reply's Content-Type, so the header's charset is read too.
  constexpr std::string_view kContentTypes[] = {"",
                                                "text/html",
                                                "text/html; charset=utf-8",
                                                "text/html; charset=iso-8859-1",
                                                "text/html;charset=\"shift_jis\"",
                                                "text/html; charset=utf-16"};
  std::string_view contentType;
  if (!bytes.empty()) {
    contentType = kContentTypes[static_cast<unsigned char>(bytes.front()) % std::size(kContentTypes)];
    bytes.remove_prefix(1);
  }
  try {
    for (const ForeignRecipe& recipe : readWebPage(bytes, contentType, "https://rezepte.example/a/b?c=d")) {
      const zestovar::store::NewRecipe stored = toNewRecipe(recipe, kDefaultFallbackCategory);
      zestovar::test::checkRecords(stored);
      check(zestovar::test::oneLine(stored.origin));
      const std::string& address = recipe.pictureAddress;
      check(address.empty() || address.starts_with("http://") || address.starts_with("https://"));
      for (const char c : address) check(c > 0x20 && c < 0x7f);
    }
  } catch (const ImportError&) {
  }
  return 0;
}
