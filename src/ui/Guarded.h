// Errors raised by a handler end that handler's user action and show in the standard error box; an
// action the program cancelled itself ends without one.
#pragma once

#include <exception>
#include <utility>

#include "store/Errors.h"
#include "ui/Prompts.h"

namespace zestovar::ui {

// The standard error box for an error; error texts are UTF-8.
void showError(Prompts& prompts, const std::exception& error);

// A handler for a signal connection: an error ends the handler and is shown in the standard error
// box right there. Qt's own frames are built without exceptions and must not be unwound, so our
// handlers catch at their connection; the application object is the net for anything else.
template <typename Handler>
auto guarded(Prompts& prompts, Handler handler) {
  return [&prompts, handler = std::move(handler)]() {
    try {
      handler();
    } catch (const store::Cancelled&) {
      // The program ended the action itself and has said so where it wants it said.
    } catch (const std::exception& error) {
      showError(prompts, error);
    }
  };
}

}  // namespace zestovar::ui
