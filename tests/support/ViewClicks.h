// Report views as the user meets them: the captions of their items, and mouse clicks where the user
// gives them, on a header section or on an item's check box (the view must be laid out, its window shown).
#pragma once

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeWidget>

namespace zestovar::test {

// The captions of the view's items, top to bottom.
inline QStringList names(const QTreeWidget* view) {
  QStringList out;
  for (int i = 0; i < view->topLevelItemCount(); ++i) out.append(view->topLevelItem(i)->text(0));
  return out;
}

// A left click on the middle of a column's header section.
inline void clickHeader(QTreeWidget* view, int column) {
  QHeaderView* header = view->header();
  const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// A left click on the check box of the one item with that caption, where the view's style draws it.
inline void clickCheckBox(QTreeWidget* view, const QString& caption) {
  const auto found = view->findItems(caption, Qt::MatchExactly);
  QVERIFY2(found.size() == 1, qPrintable(caption));
  const QRect row = view->visualItemRect(found.front());
  QStyleOptionViewItem option;
  option.initFrom(view->viewport());
  option.rect = QRect(view->header()->sectionViewportPosition(0), row.top(), view->columnWidth(0), row.height());
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
}

}  // namespace zestovar::test
