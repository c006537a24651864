// The application object: whatever escapes an event handler is shown in the standard error box, and
// Qt's own dialogs speak German.
#pragma once

#include <QApplication>
#include <QTranslator>

#include "ui/Prompts.h"

namespace zestovar::ui {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // The boxes the error box goes through; without them errors go to standard error.
  void setPrompts(Prompts* prompts) { prompts_ = prompts; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  Prompts* prompts_ = nullptr;
  QTranslator qtTranslation_;
};

}  // namespace zestovar::ui
