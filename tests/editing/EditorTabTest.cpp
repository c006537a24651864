// The recipe editor tab on a program started headless on a temporary program directory.
#include <QTemporaryDir>
#include <QTest>

#include "ProgramFixture.h"
#include "app/Application.h"
#include "editing/EditorTab.h"

using zestovar::test::pathOf;
using zestovar::test::StartedProgram;

class EditorTabTest : public QObject {
  Q_OBJECT

 private slots:
  void editorStartsWithTheValuesOfAnEmptyRecipe();
};

void EditorTabTest::editorStartsWithTheValuesOfAnEmptyRecipe() {
  QTemporaryDir dir;
  StartedProgram started(pathOf(dir));
  const zestovar::editing::EditorTab& editor = started.program.editorTab();

  QCOMPARE(editor.ComboBox5->currentText(), QStringLiteral("2"));
  QCOMPARE(editor.ComboBox5->count(), 50);
  QCOMPARE(editor.ComboBox3->currentText(), QStringLiteral("Kategorie wählen"));
  // The origins in the order of the recipe lists: an umlaut sorts with its letter.
  QCOMPARE(editor.ComboBox4->count(), 23);
  QCOMPARE(editor.ComboBox4->currentText(), QStringLiteral("keine Angabe"));
  const int austrian = editor.ComboBox4->findText(QStringLiteral("österreichisch"));
  QCOMPARE(editor.ComboBox4->itemText(austrian - 1), QStringLiteral("lateinamerikanisch"));
  QCOMPARE(editor.ComboBox4->itemText(austrian + 1), QStringLiteral("polnisch"));
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  EditorTabTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "EditorTabTest.moc"
