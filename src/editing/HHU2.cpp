#include "editing/HHU2.h"

#include "app/Prompts.h"

TForm14::TForm14(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form14"));
  setWindowTitle(QString::fromUtf16(zestovar::app::kProgramTitle));
  setAccessibleName(windowTitle());
  setModal(true);
}
