// The main tab "Datenbank online stellen" (TabSheet3): own recipes of the main recipe file that the
// recipe web site does not carry yet, mailed to its operator for publication.
#pragma once

#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>

#include "app/Guarded.h"
#include "app/MainWindow.h"

namespace zestovar::online {

class PublishTab : public QWidget {
  Q_OBJECT

 public:
  explicit PublishTab(app::MainWindow& main, QWidget* parent = nullptr);

  // The main tab changed by hand, or "Datenbank" > "Rezepte online stellen": lists the recipes that
  // can be published when this tab is the one shown.
  void PageControl1Change();
  // "OK" (publish), "Alles auswählen", "Nichts auswählen".
  void BitBtn5Click();
  void BitBtn6Click();
  void BitBtn7Click();

  QTreeWidget* ListView3;
  QPushButton *BitBtn5, *BitBtn6, *BitBtn7;

 private:
  app::MainWindow& main_;
};

}  // namespace zestovar::online
