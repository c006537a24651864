#include "accessories/WCIU.h"

TInfoForm::TInfoForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("InfoForm"));
  setWindowTitle(QStringLiteral("Info"));
  setAccessibleName(windowTitle());
  setFixedSize(301, 439);
}
