#include "online/PublishTab.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <ctime>

#include "online/ListPage.h"
#include "online/MailText.h"
#include "online/Publishing.h"
#include "store/FileIo.h"
#include "ui/Controls.h"
#include "ui/TextCodec.h"

namespace zestovar::online {

PublishTab::PublishTab(ui::MainWindow& main, HttpClient& http, SmtpClient& smtp, std::string siteUrl, MailSettings mail,
                       QWidget* parent)
    : QWidget(parent), main_(main), http_(http), smtp_(smtp), siteUrl_(std::move(siteUrl)), mail_(std::move(mail)) {
  ui::named(this, "TabSheet3", QStringLiteral("Datenbank online stellen"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  ListView3 = ui::reportView("ListView3", "Eigene Rezepte", {QStringLiteral("Rezeptname"), QStringLiteral("Autor")},
                             {300, 100}, this);
  layout->addWidget(ListView3, 1);
  auto* buttons = new QHBoxLayout;
  BitBtn5 = ui::button("BitBtn5", "OK", this);
  BitBtn6 = ui::button("BitBtn6", "Alles auswählen", this);
  BitBtn7 = ui::button("BitBtn7", "Nichts auswählen", this);
  for (QPushButton* b : {BitBtn5, BitBtn6, BitBtn7}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  connect(BitBtn5, &QPushButton::clicked, this, main_.handler([this] { BitBtn5Click(); }));
  connect(BitBtn6, &QPushButton::clicked, this, main_.handler([this] { BitBtn6Click(); }));
  connect(BitBtn7, &QPushButton::clicked, this, main_.handler([this] { BitBtn7Click(); }));
}

void PublishTab::PageControl1Change() {
  if (main_.transferRunning()) return;
  if (!main_.prompts().confirm(
          QStringLiteral("Bestätigung"),
          QStringLiteral("Um eigene Rezepte online zu stellen muß eine Internetverbindung aufgebaut sein.")))
    return;
  const std::vector<ListRecord> page = parseListPage(http_.fetch(siteUrl_ + std::string(kListPagePath), kMaxPageBytes));
  ListView3->clear();
  QList<QTreeWidgetItem*> items;
  for (const auto& [name, author] : publishable(main_.store(), page)) {
    auto* item = new QTreeWidgetItem({ui::fromCp1252(name), ui::fromCp1252(author)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    items.append(item);
  }
  ListView3->addTopLevelItems(items);
}

void PublishTab::BitBtn5Click() {
  if (main_.transferRunning()) return;
  std::vector<std::string> ticked;
  for (int i = 0; i < ListView3->topLevelItemCount(); ++i)
    if (const QTreeWidgetItem* item = ListView3->topLevelItem(i); item->checkState(0) == Qt::Checked)
      ticked.push_back(ui::toCp1252(item->text(0)));
  if (ticked.empty()) {
    main_.prompts().message(QStringLiteral("Bitte mindestens ein Rezept auswählen"));
    return;
  }
  store::Files& files = main_.files();
  const auto upload = store::resolveProgramFile(files, main_.programDir(), kUploadFileName);
  store::writeWholeFile(files, upload, uploadRecords(main_.store(), ticked));
  const std::string attachment = store::readOwnFile(files, upload).value_or(std::string());
  const std::string message = publicationMail(mail_.siteMailbox, mail_.operatorMailbox, mail_.version, attachment,
                                              mailDate(std::time(nullptr)));
  // A failed sending leaves "UploadRez.dat" behind; the next publication replaces it.
  smtp_.send(mail_.server, {mail_.siteMailbox, {mail_.operatorMailbox}, message});
  files.remove(upload);
}

void PublishTab::BitBtn6Click() {
  for (int i = 0; i < ListView3->topLevelItemCount(); ++i) ListView3->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void PublishTab::BitBtn7Click() {
  for (int i = 0; i < ListView3->topLevelItemCount(); ++i) ListView3->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
}

}  // namespace zestovar::online
