#include "online/ProxE.h"

TForm17::TForm17(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form17"));
  setWindowTitle(QStringLiteral("Proxyeinstellungen"));
  setAccessibleName(windowTitle());
}
