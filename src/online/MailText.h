// The two mails the program sends, composed as plain text: the publication of own recipes to the site's
// operator and a recipe for a friend. Texts are Windows-1252; messages come out with CR LF line ends.
#pragma once

#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "online/Mime.h"
#include "store/RecipeStore.h"

namespace zestovar::online {

inline constexpr std::string_view kUploadFileName = "UploadRez.dat";

// The message headers' date: "Sun, 06 Dec 2026 11:52:57 +0000".
std::string mailDate(std::time_t when);

// The publication mail: subject "Zestovar.dat, Filesize: N", the body lines "Version: ..." and
// "Filesize: N", and the records of the chosen recipes as the attachment "UploadRez.dat" (base64), in a
// multipart/mixed message. The text part is labelled by its bytes (mailBodyText, charsetOf,
// transferEncodingOf): plain "text/plain", "7bit" while it is ASCII.
std::string publicationMail(std::string_view sender, std::string_view recipient, std::string_view version,
                            std::string_view attachment, std::string_view date);

// A recipe as the mail tells it: name, author line, ingredients, preparation; built from the last entry
// of that name (the update recipe file wins over the main one). Empty when no entry has the name.
std::vector<std::string> recipeText(store::RecipeStore& store, std::string_view name, std::string_view siteUrl);

// The recipe mail's subject for the name typed: "Sie haben ein Rezept von NAME erhalten."
std::string recipeMailSubject(std::string_view senderName);

// The recipe mail: text/plain, the subject as encoded words when it holds more than ASCII; the body
// advertises the site (its host), holds the recipe's lines and ends with the maker's address. The body
// goes through mailBodyText and is labelled by its bytes: charset "ISO-8859-1" or "windows-1252",
// transfer encoding "7bit" or "8bit".
std::string recipeMail(std::string_view sender, const std::vector<MailAddress>& recipients, std::string_view senderName,
                       const std::vector<std::string>& recipe, std::string_view siteUrl, std::string_view makerUrl,
                       std::string_view date);

// The address list typed for the recipe mail, read in the header syntax of RFC 5322: mailboxes
// separated by commas, empty places between commas skipped, at least one mailbox. A mailbox is an
// address alone or an optional display name followed by the address in angle brackets. The address is
// local@domain: the local part letters, digits, dots and "!#$%&'*+-/=?^_`{|}~", the domain letters,
// digits, dots and hyphens, 254 characters at most. A display name is words of those characters, dots,
// characters beyond ASCII and quoted strings (backslash escapes), separated by blanks or tabs. Refused,
// with AddressError naming the first bad mailbox: groups, comments, quoted or non-ASCII addresses,
// domain literals, any text after the closing bracket, and CR, LF, NUL and the other control
// characters anywhere.
class AddressError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
std::vector<MailAddress> recipients(std::string_view typed);

}  // namespace zestovar::online
