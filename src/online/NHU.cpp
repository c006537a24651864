#include "online/NHU.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/Controls.h"
#include "ui/EventHook.h"
#include "ui/TextCodec.h"

using zestovar::ui::fromCp1252;

TForm7::TForm7(zestovar::ui::Prompts& prompts, const QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts), mainWindow_(mainWindow) {
  zestovar::ui::named(this, "Form7", QStringLiteral("Quenna's Zestovar-News"));
  setWindowTitle(QStringLiteral("Quenna's Zestovar-News"));
  resize(509, 296);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Memo1 = zestovar::ui::named(new QTextEdit(this), "Memo1", QStringLiteral("Neuigkeiten"));
  Memo1->setReadOnly(true);
  // Read-only text takes no caret by default; a click must still put it where the user clicked.
  Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Memo1->setAcceptRichText(false);
  Memo1->setLineWrapMode(QTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(Memo1);

  Timer2 = new QTimer(this);
  Timer2->setObjectName(QStringLiteral("Timer2"));
  Timer2->setInterval(1);
  connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
  new zestovar::ui::EventHook(Memo1->viewport(), QEvent::MouseButtonRelease, [this] { Memo1MouseUp(); });
  // Enabled from the start: its first tick finds nothing to scan and stops it.
  Timer2->start();
}

void TForm7::showNews(std::string_view body) {
  const std::string text = zestovar::online::newsText(body);
  Memo1->setPlainText(fromCp1252(text));
  if (isHidden() && mainWindow_ != nullptr) {
    QRect frame(QPoint(), size());
    frame.moveCenter(mainWindow_->geometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  Timer2->stop();
  scan_.start(text);
  Timer2->start();
}

void TForm7::Timer2Timer() {
  if (scan_.done()) {
    Timer2->stop();
    return;
  }
  QTextCharFormat marked;
  marked.setForeground(QColor(0, 0, 255));
  marked.setFontUnderline(true);
  for (const zestovar::online::Link& link : scan_.step()) {
    QTextCursor cursor(Memo1->document());
    cursor.setPosition(link.position - 1);
    cursor.setPosition(link.position - 1 + link.length, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(marked);
  }
}

void TForm7::Memo1MouseUp() {
  const int caret = Memo1->textCursor().selectionStart();
  for (const std::string& address : scan_.addressesAt(caret))
    prompts_.openUrl(QUrl(fromCp1252(zestovar::online::openableAddress(address))));
}
