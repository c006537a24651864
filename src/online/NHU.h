// The news window TForm7: the news page of the recipe web site as text. Its web addresses are marked
// blue and underlined a few characters at a time by a timer, so the window is usable at once; a click
// on an address opens it in the user's web browser.
#pragma once

#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <string_view>

#include "online/NewsLinks.h"
#include "ui/Prompts.h"

class TForm7 : public QWidget {
  Q_OBJECT

 public:
  // mainWindow: the window it is centred on when shown.
  TForm7(zestovar::ui::Prompts& prompts, const QWidget* mainWindow = nullptr, QWidget* parent = nullptr);

  // Show news: the page body (Windows-1252) as the window's text, the window shown, the scan started
  // over; the addresses of an earlier text are forgotten.
  void showNews(std::string_view body);
  // One scan step of the timer.
  void Timer2Timer();
  // A mouse button released over the text: the addresses under the caret are opened.
  void Memo1MouseUp();

  const zestovar::online::LinkScan& links() const { return scan_; }

  QTextEdit* Memo1;
  QTimer* Timer2;

 private:
  zestovar::ui::Prompts& prompts_;
  const QWidget* mainWindow_;
  zestovar::online::LinkScan scan_;
};
