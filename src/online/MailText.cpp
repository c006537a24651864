#include "online/MailText.h"

#include <array>
#include <cstdio>

#include "online/Mime.h"
#include "store/Cp1252.h"

namespace zestovar::online {
namespace {

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// The host of an address such as "http://rezepte.example.org:8080/x": "rezepte.example.org".
std::string_view hostOf(std::string_view url) {
  if (const auto scheme = url.find("://"); scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
  return url.substr(0, url.find_first_of(":/"));
}

bool plainAddress(std::string_view address) {
  const auto at = address.find('@');
  if (at == std::string_view::npos || at == 0 || at + 1 == address.size() || address.rfind('@') != at) return false;
  constexpr std::string_view localSpecials = "!#$%&'*+/=?^_`{|}~.-";
  for (std::size_t i = 0; i < address.size(); ++i) {
    const auto c = static_cast<unsigned char>(address[i]);
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (i == at || alnum) continue;
    if (i < at ? localSpecials.find(static_cast<char>(c)) == std::string_view::npos : c != '.' && c != '-')
      return false;
  }
  return true;
}

}  // namespace

std::string mailDate(std::time_t when) {
  std::tm utc{};
  gmtime_r(&when, &utc);
  static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000",
                kDays[static_cast<std::size_t>(utc.tm_wday)], utc.tm_mday,
                kMonths[static_cast<std::size_t>(utc.tm_mon)], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

std::string publicationMail(std::string_view sender, std::string_view recipient, std::string_view version,
                            std::string_view attachment, std::string_view date) {
  const std::string size = std::to_string(attachment.size());
  // base64 and the header lines never hold this text.
  const std::string boundary = "=_Zestovar_Rezepte_" + size;
  std::string mail;
  mail += "From: " + std::string(sender) + "\r\n";
  mail += "To: " + std::string(recipient) + "\r\n";
  mail += "Subject: Zestovar.dat, Filesize: " + size + "\r\n";
  mail += "Date: " + std::string(date) + "\r\n";
  mail += "MIME-Version: 1.0\r\n";
  mail += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
  mail += "This is a multi-part message in MIME format\r\n\r\n";
  mail += "--" + boundary + "\r\n";
  mail += "Content-Type: text/plain\r\nContent-Transfer-Encoding: 7bit\r\n\r\n";
  mail += "Version: " + std::string(version) + "\r\nFilesize: " + size + "\r\n\r\n";
  mail += "--" + boundary + "\r\n";
  mail += "Content-Type: application/octet-stream; name=\"" + std::string(kUploadFileName) + "\"\r\n";
  mail += "Content-Transfer-Encoding: base64\r\n";
  mail += "Content-Disposition: attachment; filename=\"" + std::string(kUploadFileName) + "\"\r\n\r\n";
  mail += base64Lines(attachment);
  mail += "\r\n--" + boundary + "--\r\n";
  return mail;
}

std::vector<std::string> recipeText(store::RecipeStore& store, std::string_view name, std::string_view siteUrl) {
  const auto entry = store.lastByName(name);
  if (!entry) return {};
  std::vector<std::string> lines = {entry->head.name,
                                    "Von " + entry->author + " aus Quenna's Zestovar (" + std::string(siteUrl),
                                    "",
                                    "Zutaten:",
                                    "",
                                    "Zutaten f\xfcr " + entry->persons + " Personen"};
  lines.insert(lines.end(), entry->ingredients.begin(), entry->ingredients.end());
  lines.emplace_back();
  lines.emplace_back("Rezept:");
  lines.push_back(entry->preparation());
  return lines;
}

std::string recipeMailSubject(std::string_view senderName) {
  return "Sie haben ein Rezept von " + std::string(senderName) + " erhalten.";
}

std::string recipeMail(std::string_view sender, const std::vector<std::string>& recipients, std::string_view senderName,
                       const std::vector<std::string>& recipe, std::string_view siteUrl, std::string_view makerUrl,
                       std::string_view date) {
  const std::string subject = recipeMailSubject(senderName);
  std::vector<std::string> body = {subject,
                                   "\xdc"
                                   "ber 1200 weitere Rezepte gibt es unter " +
                                       std::string(hostOf(siteUrl)) + ".",
                                   "", ""};
  body.insert(body.end(), recipe.begin(), recipe.end());
  body.insert(body.end(), {"", "", "W\xfcnsche gutes Gelingen,", std::string(makerUrl)});
  std::string to;
  for (const auto& address : recipients) to += (to.empty() ? "" : ", ") + address;
  std::string mail;
  mail += "From: " + std::string(sender) + "\r\n";
  mail += "To: " + to + "\r\n";
  mail += "Subject: " + headerText(subject) + "\r\n";
  mail += "Date: " + std::string(date) + "\r\n";
  mail += "MIME-Version: 1.0\r\n";
  mail += "Content-Type: text/plain; charset=ISO-8859-1\r\nContent-Transfer-Encoding: 7bit\r\n\r\n";
  mail += joined(body);
  return mail;
}

std::vector<std::string> recipients(std::string_view typed) {
  std::vector<std::string> addresses;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = typed.find(',', start);
    std::string_view address =
        typed.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    while (!address.empty() && address.front() == ' ') address.remove_prefix(1);
    while (!address.empty() && address.back() == ' ') address.remove_suffix(1);
    if (!plainAddress(address))
      throw AddressError("Keine g\xC3\xBCltige eMail-Adresse: '" + store::cp1252ToUtf8(address) + "'");
    addresses.emplace_back(address);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return addresses;
}

}  // namespace zestovar::online
