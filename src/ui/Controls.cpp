#include "ui/Controls.h"

#include <QHeaderView>

namespace zestovar::ui {

QAction* addEntry(QMenu* menu, const char* objectName, const char* caption) {
  QAction* action = menu->addAction(utf8(caption));
  action->setObjectName(QLatin1String(objectName));
  return action;
}

QPushButton* button(const char* objectName, const char* caption, QWidget* parent) {
  return named(new QPushButton(utf8(caption), parent), objectName, utf8(caption));
}

QLabel* label(const char* objectName, const char* caption, QWidget* parent) {
  auto* label = new QLabel(utf8(caption), parent);
  label->setObjectName(QLatin1String(objectName));
  return label;
}

QListWidget* checkList(const char* objectName, const char* accessibleName, QWidget* parent) {
  auto* list = named(new QListWidget(parent), objectName, utf8(accessibleName));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

QTreeWidget* reportView(const char* objectName, const char* accessibleName, const QStringList& columns,
                        const QList<int>& widths, QWidget* parent) {
  auto* view = named(new QTreeWidget(parent), objectName, utf8(accessibleName));
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setColumnCount(static_cast<int>(columns.size()));
  view->setHeaderLabels(columns);
  view->header()->setStretchLastSection(false);
  for (int i = 0; i < widths.size(); ++i) view->setColumnWidth(i, widths[i]);
  return view;
}

}  // namespace zestovar::ui
