#include "online/PublishTab.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/Controls.h"

namespace zestovar::online {

PublishTab::PublishTab(app::MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
  app::named(this, "TabSheet3", QStringLiteral("Datenbank online stellen"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  ListView3 = app::reportView("ListView3", "Eigene Rezepte", {QStringLiteral("Rezeptname"), QStringLiteral("Autor")},
                              {300, 100}, this);
  layout->addWidget(ListView3, 1);
  auto* buttons = new QHBoxLayout;
  BitBtn5 = app::button("BitBtn5", "OK", this);
  BitBtn6 = app::button("BitBtn6", "Alles auswählen", this);
  BitBtn7 = app::button("BitBtn7", "Nichts auswählen", this);
  for (QPushButton* b : {BitBtn5, BitBtn6, BitBtn7}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  connect(BitBtn5, &QPushButton::clicked, this, main_.handler([this] { BitBtn5Click(); }));
  connect(BitBtn6, &QPushButton::clicked, this, main_.handler([this] { BitBtn6Click(); }));
  connect(BitBtn7, &QPushButton::clicked, this, main_.handler([this] { BitBtn7Click(); }));
}

void PublishTab::PageControl1Change() {}
void PublishTab::BitBtn5Click() {}
void PublishTab::BitBtn6Click() {}
void PublishTab::BitBtn7Click() {}

}  // namespace zestovar::online
