// The scrolling text panel driven tick by tick, headless: its state after each step and the lines in
// the picture it draws. Sizes come from the metrics of the installed fonts.
#include <QFontMetrics>
#include <QPainter>
#include <QTest>

#include "accessories/TextPanel.h"

namespace {

QFont testFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  return font;
}

int measuredLineHeight() { return QFontMetrics(testFont()).size(0, QStringLiteral("W")).height(); }

// A panel of plain white background without bevels, in the test font.
void plain(TTextPanel& panel, const QStringList& items) {
  panel.resize(120, 100);
  panel.bevelOuter = TTextPanel::Bevel::None;
  panel.color = Qt::white;
  panel.setTextFont(testFont());
  panel.setItems(items);
  panel.setEnableTimer(false);
}

// Items told apart by their width: item n is n + 1 letters "W".
QStringList widths(int count) {
  QStringList items;
  for (int n = 1; n <= count; ++n) items.append(QString(n, QLatin1Char('W')));
  return items;
}

// The number of "W" drawn in a row band of the picture, from where its ink ends (left aligned at x 3);
// 0 for a band without ink.
int letters(const QImage& image, int top, int height) {
  int right = -1;
  for (int y = std::max(top, 0); y < std::min(top + height, image.height()); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) right = std::max(right, x);
  if (right < 0) return 0;
  const int advance = QFontMetrics(testFont()).horizontalAdvance(QLatin1Char('W'));
  return (right - 3 + advance / 2) / advance;
}

// The letters of every line the picture shows whole, from the top.
QList<int> shownLines(const TTextPanel& panel) {
  const QImage image = panel.picture();
  const int lineHeight = panel.LineHeight();
  QList<int> lines;
  for (int top = panel.Offset(); top + lineHeight <= image.height(); top += lineHeight)
    if (top >= 0) lines.append(letters(image, top, lineHeight));
  return lines;
}

void tick(TTextPanel& panel, int times) {
  for (int i = 0; i < times; ++i) panel.Tick();
}

}  // namespace

class TextPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void timerRunsWhileEnabledWithAnInterval();
  void emptyListDrawsNothingAndKeepsTopIndex();
  void firstTickAdvancesOneItemThenOneEveryLineHeight();
  void linesRepeatInOrderAndScrollUp();
  void oneItemFillsEveryLine();
  void onlyThePanelsOwnFlagStopsIt();
  void bevelsBorderAndAlignment();
};

void TextPanelTest::timerRunsWhileEnabledWithAnInterval() {
  TTextPanel panel(QStringLiteral("Credits"));
  QVERIFY(panel.timer()->isActive());
  panel.setEnableTimer(false);
  QVERIFY(!panel.timer()->isActive());
  panel.setInterval(0);
  panel.setEnableTimer(true);
  QVERIFY(!panel.timer()->isActive());
  panel.setInterval(5);
  QVERIFY(panel.timer()->isActive());
  QCOMPARE(panel.timer()->interval(), 5);
}

void TextPanelTest::emptyListDrawsNothingAndKeepsTopIndex() {
  TTextPanel panel(QStringLiteral("Empty"));
  plain(panel, {});
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  tick(panel, 3 * measuredLineHeight() + 2);
  QCOMPARE(panel.TopIndex(), 0);
  QCOMPARE(panel.SavedIndex(), 0);
  QCOMPARE(panel.LineHeight(), measuredLineHeight());
  QVERIFY(panel.picture().isNull());
}

void TextPanelTest::firstTickAdvancesOneItemThenOneEveryLineHeight() {
  TTextPanel panel(QStringLiteral("First"));
  plain(panel, widths(5));
  const int lineHeight = measuredLineHeight();
  // Nothing measured yet: a line height of 0 is reached at once.
  panel.Tick();
  QCOMPARE(panel.TopIndex(), 1);
  QCOMPARE(panel.Offset(), -1);
  QCOMPARE(panel.LineHeight(), lineHeight);
  QCOMPARE(panel.SavedIndex(), 1);

  tick(panel, lineHeight - 2);
  QCOMPARE(panel.TopIndex(), 1);
  QCOMPARE(panel.Offset(), -(lineHeight - 1));
  panel.Tick();
  QCOMPARE(panel.TopIndex(), 2);
  QCOMPARE(panel.Offset(), 0);

  // Round the list: after the last item the first follows.
  tick(panel, 3 * lineHeight);
  QCOMPARE(panel.TopIndex(), 0);
  QCOMPARE(panel.Offset(), 0);

  // A step of 0 stands still and still repaints.
  panel.setStepSize(0);
  tick(panel, 5);
  QCOMPARE(panel.TopIndex(), 0);
  QCOMPARE(panel.Offset(), 0);
}

void TextPanelTest::linesRepeatInOrderAndScrollUp() {
  TTextPanel panel(QStringLiteral("Repeat"));
  plain(panel, widths(3));
  panel.Paint();
  const int lineHeight = panel.LineHeight();
  const int visible = panel.height() / lineHeight;
  QVERIFY(visible > 3);

  // The item after TopIndex first, the items in order and round again.
  QList<int> expected;
  for (int k = 1; k <= visible; ++k) expected.append((k % 3) + 1);
  QCOMPARE(shownLines(panel), expected);

  // Half a line up: the top line is cut, the others keep their order.
  tick(panel, lineHeight / 2);
  QCOMPARE(panel.Offset(), -(lineHeight / 2));
  expected.removeFirst();
  QCOMPARE(shownLines(panel).mid(0, expected.size()), expected);

  // A whole line up: the next item is on top, the picture back at its place.
  tick(panel, lineHeight - lineHeight / 2);
  QCOMPARE(panel.Offset(), 0);
  QCOMPARE(panel.TopIndex(), 1);
  QCOMPARE(shownLines(panel).first(), 3);
  QCOMPARE(shownLines(panel).at(1), 1);

  // A new list shows at the next tick, from the same position.
  panel.setItems(widths(4));
  QCOMPARE(shownLines(panel).first(), 3);
  panel.Tick();
  QCOMPARE(letters(panel.picture(), panel.Offset() + lineHeight, lineHeight), 4);
}

void TextPanelTest::oneItemFillsEveryLine() {
  TTextPanel panel(QStringLiteral("One"));
  plain(panel, {QStringLiteral("WW")});
  panel.Paint();
  for (int step = 0; step < 2 * panel.LineHeight(); ++step) {
    const QList<int> lines = shownLines(panel);
    QVERIFY(lines.size() >= panel.height() / panel.LineHeight() - 1);
    QCOMPARE(lines, QList<int>(lines.size(), 2));
    panel.Tick();
    QCOMPARE(panel.TopIndex(), 0);
  }
}

void TextPanelTest::onlyThePanelsOwnFlagStopsIt() {
  QWidget window;
  window.resize(200, 150);
  auto* panel = new TTextPanel(QStringLiteral("Held"), &window);
  plain(*panel, widths(4));
  panel->setInterval(1);
  panel->setEnableTimer(true);

  // A window never shown: the timer moves the text all the same.
  QTRY_VERIFY(panel->TopIndex() >= 2);

  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  panel->setEnableTimer(false);
  window.hide();
  const int top = panel->TopIndex(), offset = panel->Offset();
  panel->Tick();
  QCOMPARE(panel->Offset(), offset - 1);

  // Showing the window again paints from where the text stands.
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(panel->Offset(), offset - 1);
  QVERIFY(panel->TopIndex() == top || panel->Offset() == 0);
  QCOMPARE(panel->SavedIndex(), panel->TopIndex());

  // The panel hidden itself stands still, and so does its text when it comes back.
  panel->hide();
  const int hiddenTop = panel->TopIndex(), hiddenOffset = panel->Offset();
  tick(*panel, 50);
  QCOMPARE(panel->TopIndex(), hiddenTop);
  QCOMPARE(panel->Offset(), hiddenOffset);
  panel->show();
  panel->Tick();
  QCOMPARE(panel->Offset(), hiddenOffset == -(panel->LineHeight() - 1) ? 0 : hiddenOffset - 1);
}

void TextPanelTest::bevelsBorderAndAlignment() {
  TTextPanel panel(QStringLiteral("Look"));
  plain(panel, {QStringLiteral("W")});
  panel.bevelOuter = TTextPanel::Bevel::Lowered;
  panel.bevelWidth = 2;
  panel.borderWidth = 3;
  panel.color = QColor(0xff, 0xff, 0xe0);
  panel.Paint();
  QImage image = panel.picture();
  const QRgb shadow = panel.palette().color(QPalette::Dark).rgb(), light = panel.palette().color(QPalette::Light).rgb();
  QCOMPARE(image.pixel(0, 50), shadow);
  QCOMPARE(image.pixel(1, 50), shadow);
  QCOMPARE(image.pixel(image.width() - 1, 50), light);
  QCOMPARE(image.pixel(60, image.height() - 2), light);
  QCOMPARE(image.pixel(2, 50), panel.color.rgb());

  // Right aligned: the ink ends 3 pixels from the right edge, none on the left half.
  panel.bevelOuter = TTextPanel::Bevel::None;
  panel.borderWidth = 0;
  panel.setTextAlignment(Qt::AlignRight);
  image = panel.picture();
  int left = image.width(), right = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  QVERIFY(left > image.width() / 2);
  QVERIFY(right <= image.width() - 3);
  QVERIFY(right >= image.width() - 3 - 3);
}

QTEST_MAIN(TextPanelTest)
#include "TextPanelTest.moc"
