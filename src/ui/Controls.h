// Making the controls of the windows: each gets its given name and the name a screen reader reads.
#pragma once

#include <QAction>
#include <QLabel>
#include <QList>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

namespace zestovar::ui {

// A text written in the source as UTF-8.
inline QString utf8(const char* text) { return QString::fromUtf8(text); }

template <typename W>
W* named(W* widget, const char* objectName, const QString& accessibleName) {
  widget->setObjectName(QLatin1String(objectName));
  widget->setAccessibleName(accessibleName);
  return widget;
}

// A menu entry; a screen reader reads its caption.
QAction* addEntry(QMenu* menu, const char* objectName, const char* caption);
QPushButton* button(const char* objectName, const char* caption, QWidget* parent);
// A label's name is the text it shows, so it is not set: it follows every change of the text.
QLabel* label(const char* objectName, const char* caption, QWidget* parent);
// A list whose items carry check boxes (given to them as they are added).
QListWidget* checkList(const char* objectName, const char* accessibleName, QWidget* parent);
// A report view with check boxes; the items get their boxes when they are added.
QTreeWidget* reportView(const char* objectName, const char* accessibleName, const QStringList& columns,
                        const QList<int>& widths, QWidget* parent);

}  // namespace zestovar::ui
