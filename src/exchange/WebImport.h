// Recipes of a fetched web page on their way into the book: the site named as their author, their
// pictures fetched and checked. The fetching itself is the caller's (the HTTP client's web profile).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

// The picture the book keeps for a recipe taken from a page into the editor, beside the program; the
// change dialog's "IM1.jpg" stays its own.
inline constexpr std::string_view kWebPictureFileName = "Web.jpg";

// The host name of an absolute address, in lower case, without user, port and brackets:
// "https://koch@www.Rezepte.example:8443/x" gives "www.rezepte.example". Empty when there is none.
std::string hostOf(std::string_view address);

// A recipe whose page names no author gets the host name of the page's final address.
void nameSiteAsAuthor(std::vector<ForeignRecipe>& recipes, std::string_view pageAddress);

// What a fetch of the web brings back.
struct WebResource {
  std::string bytes;
  std::string address;      // the final address, after redirects
  std::string contentType;  // the reply's Content-Type; empty when it named none
};
enum class WebResourceKind { Page, Picture };
// Fetches an address (UTF-8) with the caps of its kind, running betweenSlices while it waits; throws a
// std::runtime_error with the text the user sees, and passes on what betweenSlices throws.
using WebFetch = std::function<WebResource(const std::string& address, WebResourceKind kind,
                                           const std::function<void()>& betweenSlices)>;

// Fetches the bytes at an address (a picture); throws a std::runtime_error with the text the user sees.
using PictureFetch = std::function<std::string(const std::string& address)>;
// A picture that is no JPEG the book can store, made one; none when that cannot be done.
using JpegConversion = std::function<std::optional<std::string>(std::string_view bytes)>;

// Fetches the recipe's picture address into its picture: a JPEG the book can store as it is, any
// other picture through toJpeg when given. Returns the note (UTF-8) that says why the recipe stays
// without a picture; none when it has one or names none. store::Cancelled passes on.
std::optional<std::string> takeWebPicture(ForeignRecipe& recipe, const PictureFetch& fetch,
                                          const JpegConversion& toJpeg = {});

}  // namespace zestovar::exchange
