// The print preview window TForm4 of the shopping list.
#pragma once

#include <QWidget>

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);
};
