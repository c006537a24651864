// The news window TForm7: the text as sent, its addresses marked step by step, a click that opens one.
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "ScriptedPrompts.h"
#include "app/Application.h"
#include "online/NHU.h"

using zestovar::ui::ScriptedPrompts;

namespace {

// The character format at a position of the text (of the character after it).
QTextCharFormat formatAt(QTextEdit* edit, int position) {
  QTextCursor cursor(edit->document());
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

void clickAt(QTextEdit* edit, int position) {
  QTextCursor cursor(edit->document());
  cursor.setPosition(position);
  const QPoint point = edit->cursorRect(cursor).center() + QPoint(1, 0);
  QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, point);
}

}  // namespace

class NewsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void addressesAreMarkedByTheTimerAndAClickOpensOne();
};

void NewsWindowTest::addressesAreMarkedByTheTimerAndAClickOpensOne() {
  ScriptedPrompts prompts;
  TForm7 form(prompts);
  form.showNews("Neu bei uns\r\nRezepte: www.zestovar.invalid/neu (Winter)\r\nMehr: HTTP://b.invalid \"x\"\r\nEnde");
  QVERIFY(form.isVisible());
  QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("Neu bei uns\nRezepte: www.zestovar.invalid/neu (Winter)\n"
                                                     "Mehr: HTTP://b.invalid \"x\"\nEnde"));
  QTRY_VERIFY(!form.Timer2->isActive());
  QCOMPARE(form.links().links().size(), std::size_t{2});
  const auto& first = form.links().links()[0];
  QCOMPARE(first.position, 22);  // "Neu bei uns" and one line break before "Rezepte: "
  QCOMPARE(first.text, std::string("www.zestovar.invalid/neu"));
  QCOMPARE(formatAt(form.Memo1, first.position - 1).foreground().color(), QColor(0, 0, 255));
  QVERIFY(formatAt(form.Memo1, first.position - 1).fontUnderline());
  QVERIFY(!formatAt(form.Memo1, first.position - 3).fontUnderline());

  clickAt(form.Memo1, first.position - 1 + 3);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::OpenUrl),
           QStringList{QStringLiteral("http://www.zestovar.invalid/neu")});
  clickAt(form.Memo1, 2);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::OpenUrl).size(), 1);
  const auto& second = form.links().links()[1];
  clickAt(form.Memo1, second.position - 1);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::OpenUrl).last(), QStringLiteral("http://b.invalid"));

  // A second text: only its addresses count.
  form.showNews("Nur noch www.c.invalid hier");
  QTRY_VERIFY(!form.Timer2->isActive());
  QCOMPARE(form.links().links().size(), std::size_t{1});
  QCOMPARE(form.links().links()[0].text, std::string("www.c.invalid"));
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  NewsWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "NewsWindowTest.moc"
