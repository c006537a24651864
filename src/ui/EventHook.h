// Runs a handler for one kind of event of a widget, such as the key release of a recipe list or the
// click into a field.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <functional>

namespace zestovar::ui {

class EventHook : public QObject {
 public:
  // Installs itself on target, which owns it.
  EventHook(QObject* target, QEvent::Type type, std::function<void()> handler)
      : QObject(target), type_(type), handler_(std::move(handler)) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == type_ && counts(event)) handler_();
    return QObject::eventFilter(watched, event);
  }

 private:
  static bool counts(QEvent* event) {
    switch (event->type()) {
      // A key held down repeats its press, not its release: only the real release counts.
      case QEvent::KeyRelease:
        return !static_cast<QKeyEvent*>(event)->isAutoRepeat();
      // A click is the left button's: the right one opens the context menu and changes nothing.
      case QEvent::MouseButtonPress:
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
      default:
        return true;
    }
  }

  QEvent::Type type_;
  std::function<void()> handler_;
};

}  // namespace zestovar::ui
