// The application object: whatever escapes an event handler is shown in the standard error box, and
// Qt's own dialogs speak German.
#pragma once

#include <QApplication>
#include <QTranslator>

#include "ui/Prompts.h"

namespace zestovar::app {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // The boxes the error box goes through; without them errors go to standard error.
  void setPrompts(ui::Prompts* prompts) { prompts_ = prompts; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  ui::Prompts* prompts_ = nullptr;
  QTranslator qtTranslation_;
};

}  // namespace zestovar::app
