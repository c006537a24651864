// "Optionen" > "Als eMail versenden": the recipe chosen in the browse list, mailed as plain text to an
// address the user types, from the recipe web site's mailbox.
#pragma once

#include <QObject>
#include <string>

#include "online/PublishTab.h"
#include "online/SmtpClient.h"
#include "ui/MainWindow.h"

namespace zestovar::online {

class RecipeMail : public QObject {
  Q_OBJECT

 public:
  RecipeMail(ui::MainWindow& main, SmtpClient& smtp, std::string siteUrl, std::string makerUrl, MailSettings mail,
             QObject* parent = nullptr);

  // Asks for the sender's name and the recipients ("Abbrechen" in either box abandons the mail), then
  // sends the recipe selected in the browse list, or the mail without a recipe when none is selected.
  void AlseMailversenden1Click();

  MailSettings& mailSettings() { return mail_; }

 private:
  ui::MainWindow& main_;
  SmtpClient& smtp_;
  std::string siteUrl_;
  std::string makerUrl_;
  MailSettings mail_;
};

}  // namespace zestovar::online
