// The news window TForm7.
#pragma once

#include <QWidget>

class TForm7 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);
};
