// The options window TForm12.
#pragma once

#include <QWidget>

class TForm12 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm12(QWidget* parent = nullptr);
};
