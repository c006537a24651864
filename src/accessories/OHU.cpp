#include "accessories/OHU.h"

TForm12::TForm12(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form12"));
  setWindowTitle(QStringLiteral("Quenna's Zestovar - Optionen"));
  setAccessibleName(windowTitle());
  resize(224, 207);
}
