// The application object: whatever escapes an event handler is shown in the standard error box.
#pragma once

#include <QApplication>
#include <exception>

#include "app/Prompts.h"

namespace zestovar::app {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // The boxes the error box goes through; without them errors go to standard error.
  void setPrompts(Prompts* prompts) { prompts_ = prompts; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  Prompts* prompts_ = nullptr;
};

// The standard error box for an error; error texts are UTF-8.
void showError(Prompts& prompts, const std::exception& error);

// A handler for a signal connection: an error ends the handler and is shown in the standard error
// box right there. Qt's own frames are built without exceptions and must not be unwound, so our
// handlers catch at their connection; notify() is the net for anything else.
template <typename Handler>
auto guarded(Prompts& prompts, Handler handler) {
  return [&prompts, handler = std::move(handler)]() {
    try {
      handler();
    } catch (const std::exception& error) {
      showError(prompts, error);
    }
  };
}

}  // namespace zestovar::app
