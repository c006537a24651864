// The print preview window TForm4 of the shopping list: the print page above the label "Drucken",
// which opens the print preview of the page.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QWidget>
#include <filesystem>

#include "ui/PageViewer.h"
#include "ui/Prompts.h"

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  // Pages are shown from programDir only; the window opens centred on mainWindow.
  TForm4(zestovar::ui::Prompts& prompts, const std::filesystem::path& programDir, const QWidget* mainWindow = nullptr);

  // Printing the list: shows the page and brings the window to the front, not modal.
  void showPage(const QString& path);
  // A click on "Drucken": the print preview of the page shown.
  void Label1Click();

  zestovar::ui::PageViewer* PrintPage;
  QFrame* Panel1;
  QLabel* Label1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setLabelColour(const QColor& colour);

  zestovar::ui::Prompts& prompts_;
  const QWidget* mainWindow_;
};
