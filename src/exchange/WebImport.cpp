#include "exchange/WebImport.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "exchange/Mapping.h"
#include "store/Cp1252.h"
#include "store/Errors.h"

namespace zestovar::exchange {

std::string hostOf(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme == std::string_view::npos) return {};
  std::string_view authority = address.substr(scheme + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  std::string_view host = authority;
  if (authority.starts_with('[')) {
    host = authority.substr(1, authority.find(']') - 1);
  } else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
  }
  std::string lower(host);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

void nameSiteAsAuthor(std::vector<ForeignRecipe>& recipes, std::string_view pageAddress) {
  // The address is UTF-8 and may hold a host in any script; the book holds Windows-1252.
  const std::string host = store::utf8ToCp1252(hostOf(pageAddress));
  for (ForeignRecipe& recipe : recipes)
    if (trimmed(recipe.author).empty()) recipe.author = host;
}

std::optional<std::string> takeWebPicture(ForeignRecipe& recipe, const PictureFetch& fetch,
                                          const JpegConversion& toJpeg) {
  if (recipe.pictureAddress.empty()) return std::nullopt;
  const std::string name = store::cp1252ToUtf8(storedNameOf(recipe));
  std::string bytes;
  try {
    bytes = fetch(recipe.pictureAddress);
  } catch (const store::Cancelled&) {
    throw;
  } catch (const std::runtime_error& error) {
    return "Das Bild zu \"" + name + "\" konnte nicht geholt werden: " + error.what();
  }
  if (storablePicture(bytes)) {
    recipe.picture = std::move(bytes);
    return std::nullopt;
  }
  if (toJpeg) {
    if (std::optional<std::string> jpeg = toJpeg(bytes); jpeg && storablePicture(*jpeg)) {
      recipe.picture = std::move(*jpeg);
      return std::nullopt;
    }
    return "Das Bild zu \"" + name + "\" lässt sich nicht als JPEG speichern; es bleibt weg.";
  }
  return "Das Bild zu \"" + name + "\" ist kein JPEG-Bild; es bleibt weg.";
}

}  // namespace zestovar::exchange
