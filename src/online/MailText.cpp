#include "online/MailText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "online/Mime.h"
#include "store/Cp1252.h"
#include "store/Words.h"

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

bool isWsp(char c) { return c == ' ' || c == '\t'; }

using store::trimmed;

bool isControl(char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f; }

bool isAtext(char c) {
  constexpr std::string_view specials = "!#$%&'*+-/=?^_`{|}~";
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         specials.find(c) != std::string_view::npos;
}

// local@domain with nothing a mail server's command or a header could take for syntax of its own.
bool plainAddress(std::string_view address) {
  constexpr std::size_t kMaxAddressBytes = 254;  // RFC 5321's path of 256 less its brackets
  const auto at = address.find('@');
  if (at == std::string_view::npos || at == 0 || at + 1 == address.size() || address.rfind('@') != at ||
      address.size() > kMaxAddressBytes)
    return false;
  for (std::size_t i = 0; i < address.size(); ++i) {
    const char c = address[i];
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (i == at || alnum) continue;
    if (i < at ? !isAtext(c) && c != '.' : c != '.' && c != '-') return false;
  }
  return true;
}

// A display name's words with one blank between them, quoted strings without their quotes and escapes;
// nothing when the text is no phrase.
std::optional<std::string> displayName(std::string_view text) {
  std::string name;
  bool blank = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (isWsp(c)) {
      blank = !name.empty();
      ++i;
      continue;
    }
    std::string word;
    if (c == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && ++i == text.size()) return std::nullopt;
        word += isWsp(text[i]) ? ' ' : text[i];
      }
      if (i == text.size()) return std::nullopt;
      ++i;
    } else {
      for (; i < text.size() && (isAtext(text[i]) || text[i] == '.' || static_cast<unsigned char>(text[i]) >= 0x80);
           ++i)
        word += text[i];
      if (word.empty()) return std::nullopt;
    }
    if (blank) name += ' ';
    name += word;
    blank = false;
  }
  return name;
}

// One mailbox of the list: "local@domain" or "[display name] <local@domain>".
std::optional<MailAddress> mailbox(std::string_view text) {
  // The opening bracket that stands outside a quoted string.
  std::size_t open = std::string_view::npos;
  for (std::size_t i = 0; i < text.size() && open == std::string_view::npos; ++i) {
    if (text[i] == '<') open = i;
    if (text[i] != '"') continue;
    for (++i; i < text.size() && text[i] != '"'; ++i)
      if (text[i] == '\\') ++i;
  }
  if (open == std::string_view::npos) {
    if (!plainAddress(text)) return std::nullopt;
    return MailAddress{{}, std::string(text)};
  }
  const std::size_t close = text.find('>', open);
  if (close == std::string_view::npos || close + 1 != text.size()) return std::nullopt;
  const std::string_view address = trimmed(text.substr(open + 1, close - open - 1));
  std::optional<std::string> name = displayName(text.substr(0, open));
  if (!name || !plainAddress(address)) return std::nullopt;
  return MailAddress{std::move(*name), std::string(address)};
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
  const std::string text = mailBodyText("Version: " + std::string(version) + "\r\nFilesize: " + size + "\r\n");
  const std::string_view encoding = transferEncodingOf(text);
  mail += "--" + boundary + "\r\n";
  mail += "Content-Type: text/plain";
  if (encoding != "7bit") mail += "; charset=" + std::string(charsetOf(text));
  mail += "\r\nContent-Transfer-Encoding: " + std::string(encoding) + "\r\n\r\n";
  mail += text + "\r\n";
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
                                    store::utf8ToCp1252("Zutaten für ") + entry->persons + " Personen"};
  lines.insert(lines.end(), entry->ingredients.begin(), entry->ingredients.end());
  lines.emplace_back();
  lines.emplace_back("Rezept:");
  lines.push_back(entry->preparation());
  return lines;
}

std::string recipeMailSubject(std::string_view senderName) {
  return "Sie haben ein Rezept von " + std::string(senderName) + " erhalten.";
}

std::string recipeMail(std::string_view sender, const std::vector<MailAddress>& recipients, std::string_view senderName,
                       const std::vector<std::string>& recipe, std::string_view siteUrl, std::string_view makerUrl,
                       std::string_view date) {
  const std::string subject = recipeMailSubject(senderName);
  std::vector<std::string> body = {
      subject, store::utf8ToCp1252("Über 1200 weitere Rezepte gibt es unter ") + std::string(hostOf(siteUrl)) + ".", "",
      ""};
  body.insert(body.end(), recipe.begin(), recipe.end());
  body.insert(body.end(), {"", "", store::utf8ToCp1252("Wünsche gutes Gelingen,"), std::string(makerUrl)});
  const std::string text = mailBodyText(joined(body));
  std::string mail;
  mail += "From: " + std::string(sender) + "\r\n";
  mail += addressHeader("To", recipients) + "\r\n";
  mail += headerLine("Subject", subject) + "\r\n";
  mail += "Date: " + std::string(date) + "\r\n";
  mail += "MIME-Version: 1.0\r\n";
  mail += "Content-Type: text/plain; charset=" + std::string(charsetOf(text)) + "\r\n";
  mail += "Content-Transfer-Encoding: " + std::string(transferEncodingOf(text)) + "\r\n\r\n";
  mail += text;
  return mail;
}

std::vector<MailAddress> recipients(std::string_view typed) {
  const auto refuse = [](std::string_view place) {
    std::string shown(trimmed(place));
    std::replace_if(shown.begin(), shown.end(), isControl, ' ');
    return AddressError("Keine gültige eMail-Adresse: '" + store::cp1252ToUtf8(shown) + "'");
  };
  std::vector<MailAddress> list;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= typed.size(); ++i) {
    if (i < typed.size() && isControl(typed[i])) throw refuse(typed.substr(start));
    if (i < typed.size() && typed[i] == '"') {
      // A comma inside a quoted display name separates nothing.
      for (++i; i < typed.size() && typed[i] != '"'; ++i) {
        if (typed[i] == '\\' && i + 1 < typed.size()) ++i;
        if (isControl(typed[i])) throw refuse(typed.substr(start));
      }
      if (i == typed.size()) throw refuse(typed.substr(start));
      continue;
    }
    if (i < typed.size() && typed[i] != ',') continue;
    const std::string_view place = trimmed(typed.substr(start, i - start));
    start = i + 1;
    if (place.empty()) continue;
    std::optional<MailAddress> one = mailbox(place);
    if (!one) throw refuse(place);
    list.push_back(std::move(*one));
  }
  if (list.empty()) throw refuse(typed);
  return list;
}

}  // namespace zestovar::online
