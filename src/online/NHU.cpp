#include "online/NHU.h"

TForm7::TForm7(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form7"));
  setWindowTitle(QStringLiteral("Quenna's Zestovar-News"));
  setAccessibleName(windowTitle());
  resize(509, 296);
}
