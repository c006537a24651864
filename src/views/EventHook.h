// Runs a handler for one kind of event of a widget, such as the key release of a recipe list.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <functional>

namespace zestovar::views {

class EventHook : public QObject {
 public:
  // Installs itself on target, which owns it.
  EventHook(QObject* target, QEvent::Type type, std::function<void()> handler)
      : QObject(target), type_(type), handler_(std::move(handler)) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // A key held down repeats its press, not its release: only the real release counts.
    if (event->type() == type_ && !(type_ == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->isAutoRepeat()))
      handler_();
    return QObject::eventFilter(watched, event);
  }

 private:
  QEvent::Type type_;
  std::function<void()> handler_;
};

}  // namespace zestovar::views
