#include "views/Splash.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "ui/Prompts.h"

TForm11::TForm11(int blockMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      blockMs_(blockMs),
      picture_(QStringLiteral(":/pictures/splash.jpg")) {
  setObjectName(QStringLiteral("Form11"));
  setWindowTitle(QString::fromUtf16(zestovar::ui::kProgramTitle));
  setAccessibleName(QString::fromUtf16(zestovar::ui::kProgramTitle));
  setFixedSize(368, 225);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  FormCreate();
}

void TForm11::FormCreate() {
  show();
  // The window system must map the window before it can show a picture. Only that is waited for;
  // no input is handled while the splash is up.
  QElapsedTimer mapping;
  mapping.start();
  while (windowHandle() != nullptr && !windowHandle()->isExposed() && mapping.elapsed() < 500) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    if (!windowHandle()->isExposed()) QThread::msleep(5);
  }
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  QThread::msleep(static_cast<unsigned long>(blockMs_));
  hide();
}

void TForm11::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), picture_);
}
