// The shopping tab on a program started headless on a temporary program directory.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramFixture.h"
#include "app/Application.h"
#include "lists/ShoppingTab.h"

using zestovar::test::pathOf;
using zestovar::test::StartedProgram;

class ShoppingTabTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpReadsTheShoppingListWhateverItsSpelling();
};

void ShoppingTabTest::startUpReadsTheShoppingListWhateverItsSpelling() {
  QTemporaryDir dir;
  // Lines split at CR LF, a lone CR and a lone LF; an empty line is an item of its own.
  zestovar::test::writeFile(pathOf(dir) / "elist.DAT", "500 g Mehl\r\n\r\n3 \xc4pfel\r1 Zitrone\n");
  StartedProgram started(pathOf(dir));

  QVERIFY(started.prompts.shown().isEmpty());
  const QListWidget* list = started.program.shoppingTab().ListBox2;
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items.append(list->item(i)->text());
  QCOMPARE(items, (QStringList{QStringLiteral("500 g Mehl"), QString(), QStringLiteral("3 Äpfel"),
                               QStringLiteral("1 Zitrone")}));

  QTemporaryDir empty;
  StartedProgram startedEmpty(pathOf(empty));
  QCOMPARE(startedEmpty.program.shoppingTab().ListBox2->count(), 0);
  QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("EList.dat"))));
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  ShoppingTabTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ShoppingTabTest.moc"
