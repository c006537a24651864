#include "online/UpdateTab.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/Controls.h"

namespace zestovar::online {

using app::named;
using app::utf8;

UpdateTab::UpdateTab(app::MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
  named(this, "TabSheet2", QStringLiteral("Datenbank updaten"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);

  auto* left = new QVBoxLayout;
  ListView2 = app::reportView("ListView2", "Angebotene Rezepte",
                              {QStringLiteral("Name"), QStringLiteral("Autor"), QStringLiteral("Datum"), QString(),
                               QStringLiteral("Kategorie")},
                              {200, 150, 100, 0, 150}, this);
  // The download address lives in a column the user does not see.
  ListView2->setColumnHidden(3, true);
  ListView2->setStyleSheet(
      QStringLiteral("QTreeView::item { border-right: 1px solid #d8d8d8; "
                     "border-bottom: 1px solid #d8d8d8; }"));
  left->addWidget(ListView2, 1);
  auto* buttons = new QHBoxLayout;
  BitBtn1 = app::button("BitBtn1", "OK", this);
  BitBtn2 = app::button("BitBtn2", "Abbrechen", this);
  BitBtn3 = app::button("BitBtn3", "Alles auswählen", this);
  BitBtn4 = app::button("BitBtn4", "Nichts auswählen", this);
  for (QPushButton* b : {BitBtn1, BitBtn3, BitBtn4}) b->setEnabled(false);
  for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) buttons->addWidget(b);
  buttons->addStretch(1);
  left->addLayout(buttons);
  layout->addLayout(left, 1);

  Panel2 = named(new QFrame(this), "Panel2", QStringLiteral("Auswahl der Rezepte"));
  Panel2->setFixedWidth(230);
  auto* right = new QVBoxLayout(Panel2);
  right->setContentsMargins(0, 0, 0, 0);
  BitBtn8 = app::button("BitBtn8", "Nach neuen Rezepten suchen", Panel2);
  GroupBox1 = named(new QGroupBox(QStringLiteral("Kategorie"), Panel2), "GroupBox1", QStringLiteral("Kategorie"));
  auto* radios = new QGridLayout(GroupBox1);
  auto radio = [this](const char* objectName, const char* caption) {
    return named(new QRadioButton(utf8(caption), GroupBox1), objectName, utf8(caption));
  };
  RadioButton7 = radio("RadioButton7", "Alle");
  RadioButton1 = radio("RadioButton1", "Vorspeisen");
  RadioButton2 = radio("RadioButton2", "Suppen");
  RadioButton3 = radio("RadioButton3", "Hauptgerichte");
  RadioButton4 = radio("RadioButton4", "Desserts");
  RadioButton5 = radio("RadioButton5", "Backwaren");
  RadioButton6 = radio("RadioButton6", "Getränke");
  RadioButton7->setChecked(true);
  QRadioButton* const order[] = {RadioButton7, RadioButton1, RadioButton2, RadioButton3,
                                 RadioButton4, RadioButton5, RadioButton6};
  for (int i = 0; i < 7; ++i) radios->addWidget(order[i], i % 4, i / 4);
  SpeedButton3 = named(new QToolButton(Panel2), "SpeedButton3", utf8("Alles/Nichts auswählen"));
  SpeedButton3->setText(utf8("Alles/Nichts auswählen"));
  SpeedButton3->setAutoRaise(true);
  SpeedButton3->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  CheckListBox2 = app::checkList("CheckListBox2", "Unterkategorien", Panel2);
  // Two columns: items flow down, then into the next column.
  CheckListBox2->setFlow(QListView::TopToBottom);
  CheckListBox2->setWrapping(true);
  CheckListBox2->setResizeMode(QListView::Adjust);
  right->addWidget(BitBtn8);
  right->addWidget(GroupBox1);
  right->addWidget(SpeedButton3);
  right->addWidget(CheckListBox2, 1);
  layout->addWidget(Panel2);

  connectControls();
}

void UpdateTab::connectControls() {
  const std::pair<QPushButton*, void (UpdateTab::*)()> buttons[] = {{BitBtn8, &UpdateTab::BitBtn8Click},
                                                                    {BitBtn1, &UpdateTab::BitBtn1Click},
                                                                    {BitBtn2, &UpdateTab::BitBtn2Click},
                                                                    {BitBtn3, &UpdateTab::BitBtn3Click},
                                                                    {BitBtn4, &UpdateTab::BitBtn4Click}};
  for (const auto& [b, click] : buttons)
    connect(b, &QPushButton::clicked, this, main_.handler([this, click] { (this->*click)(); }));
  const std::pair<QRadioButton*, void (UpdateTab::*)()> radios[] = {
      {RadioButton1, &UpdateTab::RadioButton1Click}, {RadioButton2, &UpdateTab::RadioButton2Click},
      {RadioButton3, &UpdateTab::RadioButton3Click}, {RadioButton4, &UpdateTab::RadioButton4Click},
      {RadioButton5, &UpdateTab::RadioButton5Click}, {RadioButton6, &UpdateTab::RadioButton6Click},
      {RadioButton7, &UpdateTab::RadioButton7Click}};
  for (const auto& [r, click] : radios)
    connect(r, &QRadioButton::clicked, this, main_.handler([this, click] { (this->*click)(); }));
  connect(CheckListBox2, &QListWidget::itemChanged, this, main_.handler([this] { CheckListBox2ClickCheck(); }));
  connect(SpeedButton3, &QToolButton::clicked, this, main_.handler([this] { SpeedButton3Click(); }));
  connect(ListView2->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { main_.handler([this, column] { ListView2ColumnClick(column); })(); });
}

void UpdateTab::BitBtn8Click() {}
void UpdateTab::RadioButton1Click() {}
void UpdateTab::RadioButton2Click() {}
void UpdateTab::RadioButton3Click() {}
void UpdateTab::RadioButton4Click() {}
void UpdateTab::RadioButton5Click() {}
void UpdateTab::RadioButton6Click() {}
void UpdateTab::RadioButton7Click() {}
void UpdateTab::CheckListBox2ClickCheck() {}
void UpdateTab::SpeedButton3Click() {}
void UpdateTab::ListView2ColumnClick(int) {}
void UpdateTab::BitBtn1Click() {}
void UpdateTab::BitBtn2Click() {}
void UpdateTab::BitBtn3Click() {}
void UpdateTab::BitBtn4Click() {}

}  // namespace zestovar::online
