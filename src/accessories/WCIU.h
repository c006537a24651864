// The about window TInfoForm.
#pragma once

#include <QWidget>

class TInfoForm : public QWidget {
  Q_OBJECT

 public:
  explicit TInfoForm(QWidget* parent = nullptr);
};
