// The main tab "Datenbank online stellen" (TabSheet3): own recipes of the main recipe file that the
// recipe web site does not carry yet, mailed to its operator for publication.
#pragma once

#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <string>

#include "online/HttpClient.h"
#include "online/SmtpClient.h"
#include "ui/Guarded.h"
#include "ui/MainWindow.h"

namespace zestovar::online {

// Where the mails of the program go, values of the build.
struct MailSettings {
  MailServer server;
  std::string siteMailbox;      // the sender of every mail
  std::string operatorMailbox;  // receives the published recipes
  std::string version;          // the program's version, in the publication mail
};

class PublishTab : public QWidget {
  Q_OBJECT

 public:
  PublishTab(ui::MainWindow& main, HttpClient& http, SmtpClient& smtp, std::string siteUrl, MailSettings mail,
             QWidget* parent = nullptr);

  // This tab brought to the front by hand, or "Datenbank" > "Rezepte online stellen": after a
  // confirmation, lists the recipes that can be published.
  void PageControl1Change();
  // "OK" (publish), "Alles auswählen", "Nichts auswählen".
  void BitBtn5Click();
  void BitBtn6Click();
  void BitBtn7Click();

  // Another recipe web site than the build's (a test's server).
  void setSiteUrl(std::string siteUrl) { siteUrl_ = std::move(siteUrl); }
  MailSettings& mailSettings() { return mail_; }

  QTreeWidget* ListView3;
  QPushButton *BitBtn5, *BitBtn6, *BitBtn7;

 private:
  ui::MainWindow& main_;
  HttpClient& http_;
  SmtpClient& smtp_;
  std::string siteUrl_;
  MailSettings mail_;
};

}  // namespace zestovar::online
