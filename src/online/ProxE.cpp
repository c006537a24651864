#include "online/ProxE.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "online/ProxySettings.h"
#include "store/SideFile.h"
#include "ui/Controls.h"
#include "ui/Guarded.h"
#include "ui/TextCodec.h"

using zestovar::ui::button;
using zestovar::ui::label;
using zestovar::ui::named;
using zestovar::ui::utf8;

TForm17::TForm17(zestovar::online::HttpClient& http, zestovar::store::Files& files, std::filesystem::path programDir,
                 zestovar::ui::Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), http_(http), files_(files), programDir_(std::move(programDir)), prompts_(prompts) {
  named(this, "Form17", QStringLiteral("Proxyeinstellungen"));
  setWindowTitle(QStringLiteral("Proxyeinstellungen"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  const auto field = [&](int row, QLabel*& caption, QLineEdit*& edit, const char* labelName, const char* editName,
                         const char* text) {
    caption = label(labelName, text, this);
    edit = named(new QLineEdit(this), editName, utf8(text));
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
  };
  field(0, Label1, Edit1, "Label1", "Edit1", "Benutzername:");
  field(1, Label2, Edit2, "Label2", "Edit2", "Passwort:");
  field(2, Label3, Edit3, "Label3", "Edit3", "Server:");
  field(3, Label4, Edit4, "Label4", "Edit4", "Port:");
  Edit2->setEchoMode(QLineEdit::Password);
  layout->addLayout(grid);
  Label5 = label("Label5", "Benutzername und Passwort, wenn nicht benötigt freilassen.", this);
  Label5->setWordWrap(true);
  layout->addWidget(Label5);
  auto* buttons = new QHBoxLayout;
  Button1 = button("Button1", "Speichern", this);
  Button2 = button("Button2", "Keinen Proxy", this);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  layout->addLayout(buttons);
  resize(320, 190);

  connect(Button1, &QPushButton::clicked, this, zestovar::ui::guarded(prompts_, [this] { Button1Click(); }));
  connect(Button2, &QPushButton::clicked, this, zestovar::ui::guarded(prompts_, [this] { Button2Click(); }));
}

void TForm17::Button1Click() {
  // A transfer on its way keeps the settings it started with, and the file is not changed under it.
  if (http_.busy()) return;
  std::vector<std::string> lines;
  for (const QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4}) {
    std::string line = zestovar::ui::toCp1252(edit->text());
    for (char& c : line)
      if (c == '\r' || c == '\n') c = ' ';
    lines.push_back(std::move(line));
  }
  http_.proxy = zestovar::online::proxySettings(lines);
  zestovar::store::writeSideFile(files_, programDir_, zestovar::store::kProxySettingsFileName, lines,
                                 zestovar::store::kPrivatePermissions);
}

void TForm17::Button2Click() {
  if (http_.busy()) return;
  http_.proxy.user.clear();
  http_.proxy.password.clear();
  http_.proxy.server.clear();
  files_.remove(zestovar::store::resolveProgramFile(files_, programDir_, zestovar::store::kProxySettingsFileName));
  prompts_.message(QStringLiteral("Das Program bitte neustarten."));
}
