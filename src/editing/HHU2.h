// The change dialog TForm14, shown modal.
#pragma once

#include <QDialog>

class TForm14 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm14(QWidget* parent = nullptr);
};
