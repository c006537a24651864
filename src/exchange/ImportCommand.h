// "Datei" > "Rezepte importieren ...": Meal-Master, RezKonv and CookML files chosen by the user read
// into the book, with a progress dialog for long files and the summary in a message box.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "ui/MainWindow.h"

namespace zestovar::exchange {

class ImportCommand : public QObject {
  Q_OBJECT

 public:
  explicit ImportCommand(ui::MainWindow& main, QObject* parent = nullptr);

  // Asks for the files and imports them; the browse list is listed again afterwards.
  void Rezepteimportieren1Click();
  // Imports the given files: each file that cannot be read shows its error and imports nothing, the
  // others are imported all the same; the summary line follows in a message box.
  void importFiles(const QStringList& paths);

  // The name filters of the open dialog.
  static QStringList filters();

 private:
  ui::MainWindow& main_;
  QString lastDir_;
};

}  // namespace zestovar::exchange
