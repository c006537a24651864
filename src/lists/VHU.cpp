#include "lists/VHU.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("Einkaufsliste"));
  setAccessibleName(windowTitle());
  resize(547, 476);
}
