// The page viewer the recipe page and the print preview window show their pages in.
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "ProgramFixture.h"
#include "app/Application.h"
#include "ui/PageViewer.h"

using zestovar::test::pathOf;
using zestovar::test::writeFile;
namespace fs = std::filesystem;

class PageViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void readsPagesAnewAndStaysInProgramDirectory();
};

void PageViewerTest::readsPagesAnewAndStaysInProgramDirectory() {
  QTemporaryDir dir;
  QTemporaryDir elsewhere;
  zestovar::ui::PageViewer viewer;
  viewer.setProgramDir(dir.path());
  const fs::path page = pathOf(dir) / "Rezept.htm";

  writeFile(page,
            "<b>Gr\xfc\xdf"
            "e</b>");
  viewer.showFile(QString::fromStdString(page.string()));
  QCOMPARE(viewer.toPlainText(), QStringLiteral("Grüße"));
  writeFile(page, "<b>Neu</b>");
  viewer.showFile(QString::fromStdString(page.string()));
  QCOMPARE(viewer.toPlainText(), QStringLiteral("Neu"));

  const fs::path outside = pathOf(elsewhere) / "Rezept.htm";
  writeFile(outside, "<b>Fremd</b>");
  viewer.showFile(QString::fromStdString(outside.string()));
  QCOMPARE(viewer.toPlainText(), QString());
  writeFile(page, "<a href=\"../x.htm\">weg</a>");
  viewer.showFile(QString::fromStdString(page.string()));
  QCOMPARE(viewer.openLinks(), false);

  viewer.blank();
  QVERIFY(viewer.isBlank());
  QCOMPARE(viewer.toPlainText(), QString());
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  PageViewerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "PageViewerTest.moc"
