#include "online/RecipeMail.h"

#include <ctime>

#include "online/MailText.h"
#include "ui/TextCodec.h"

namespace zestovar::online {
namespace {

// A prompt's answer for a header or a command: a line break typed or pasted into it becomes a blank.
std::string oneLine(const QString& text) {
  std::string line = ui::toCp1252(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

}  // namespace

RecipeMail::RecipeMail(ui::MainWindow& main, SmtpClient& smtp, std::string siteUrl, std::string makerUrl,
                       MailSettings mail, QObject* parent)
    : QObject(parent),
      main_(main),
      smtp_(smtp),
      siteUrl_(std::move(siteUrl)),
      makerUrl_(std::move(makerUrl)),
      mail_(std::move(mail)) {}

void RecipeMail::AlseMailversenden1Click() {
  if (main_.transferRunning()) return;
  const QString title = QStringLiteral("Rezept verschicken");
  const std::optional<QString> name = main_.prompts().input(title, QStringLiteral("Ihr Name:"), QStringLiteral("Name"));
  if (!name) return;
  const std::optional<QString> to =
      main_.prompts().input(title, QStringLiteral("eMail-Adresse des Empfängers"), QStringLiteral("eMail"));
  if (!to) return;
  // A line break in the address list is refused by its reader, not turned into a blank.
  const std::vector<MailAddress> mailboxes = recipients(ui::toCp1252(*to));
  std::vector<std::string> addresses;
  for (const MailAddress& mailbox : mailboxes) {
    // A character Windows-1252 cannot hold reads as "?", which an address may hold: such an address
    // is not the one typed.
    const QString address = ui::fromCp1252(mailbox.address);
    if (!to->contains(address))
      throw AddressError("Keine gültige eMail-Adresse: '" + to->trimmed().toStdString() + "'");
    addresses.push_back(mailbox.address);
  }
  std::vector<std::string> recipe;
  if (const std::optional<QString> selected =
          main_.recipeName(ui::MainWindow::RecipeList::Browse, ui::MainWindow::Item::Selected))
    recipe = recipeText(main_.store(), ui::toCp1252(*selected), siteUrl_);
  const std::string message = recipeMail(mail_.siteMailbox, mailboxes, oneLine(*name), recipe, siteUrl_, makerUrl_,
                                         mailDate(std::time(nullptr)));
  smtp_.send(mail_.server, {mail_.siteMailbox, addresses, message});
}

}  // namespace zestovar::online
