// The two mails the program sends, composed as plain text: the publication of own recipes to the site's
// operator and a recipe for a friend. Texts are Windows-1252; messages come out with CR LF line ends.
#pragma once

#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/RecipeStore.h"

namespace zestovar::online {

inline constexpr std::string_view kUploadFileName = "UploadRez.dat";

// The message headers' date: "Sun, 06 Dec 2026 11:52:57 +0000".
std::string mailDate(std::time_t when);

// The publication mail: subject "Zestovar.dat, Filesize: N", the body lines "Version: ..." and
// "Filesize: N", and the records of the chosen recipes as the attachment "UploadRez.dat" (base64), in a
// multipart/mixed message.
std::string publicationMail(std::string_view sender, std::string_view recipient, std::string_view version,
                            std::string_view attachment, std::string_view date);

// A recipe as the mail tells it: name, author line, ingredients, preparation; built from the last entry
// of that name (the update recipe file wins over the main one). Empty when no entry has the name.
std::vector<std::string> recipeText(store::RecipeStore& store, std::string_view name, std::string_view siteUrl);

// The recipe mail's subject for the name typed: "Sie haben ein Rezept von NAME erhalten."
std::string recipeMailSubject(std::string_view senderName);

// The recipe mail: text/plain, ISO-8859-1, 7bit, the subject as an encoded word when it holds more than
// ASCII; the body advertises the site (its host), holds the recipe's lines and ends with the maker's
// address.
std::string recipeMail(std::string_view sender, const std::vector<std::string>& recipients, std::string_view senderName,
                       const std::vector<std::string>& recipe, std::string_view siteUrl, std::string_view makerUrl,
                       std::string_view date);

// An address list as typed (addresses separated by commas): each must be a plain local@domain, so no
// text typed can reach the mail server's commands. Throws AddressError naming the first bad one.
class AddressError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
std::vector<std::string> recipients(std::string_view typed);

}  // namespace zestovar::online
