// The proxy settings window TForm17.
#pragma once

#include <QWidget>

class TForm17 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm17(QWidget* parent = nullptr);
};
