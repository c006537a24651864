// The splash window TForm11: shown once at start-up, before the main window.
#pragma once

#include <QPixmap>
#include <QWidget>

class TForm11 : public QWidget {
  Q_OBJECT

 public:
  // The creation handling shows the window, blocks for blockMs and hides it again.
  explicit TForm11(int blockMs = 2000, QWidget* parent = nullptr);

  void FormCreate();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int blockMs_;
  QPixmap picture_;
};
