#include "accessories/WCIU.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QUrl>

#include "ui/Controls.h"
#include "ui/EventHook.h"

using zestovar::ui::named;

TInfoForm::TInfoForm(zestovar::ui::Prompts& prompts, std::string makerUrl, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      prompts_(prompts),
      makerUrl_(std::move(makerUrl)) {
  named(this, "InfoForm", QStringLiteral("Info"));
  setWindowTitle(QStringLiteral("Info"));
  setFixedSize(301, 439);
  setAutoFillBackground(true);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
  setPalette(grey);
  const QString maker = QString::fromStdString(makerUrl_);

  Panel1 = named(new QWidget(this), "Panel1", QStringLiteral("Logo"));
  Panel1->setGeometry(0, 0, 301, 121);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Image1 = named(new QLabel(Panel1), "Image1", QStringLiteral("Logo von Quenna's Zestovar"));
  Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.jpg")));
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setGeometry(Panel1->rect());

  Label1 = named(new QLabel(QStringLiteral("Quenna's Zestovar 3.1"), this), "Label1", QString());
  QFont title(QStringLiteral("Arial"));
  title.setPixelSize(32);
  // 32-pixel type fits the window's width in Arial; a wider font that stands in for it is made
  // smaller until the whole name shows.
  while (title.pixelSize() > 16 && QFontMetrics(title).horizontalAdvance(Label1->text()) > width() - 8)
    title.setPixelSize(title.pixelSize() - 1);
  Label1->setFont(title);
  Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setGeometry(0, 126, 301, 44);

  TextPanel1 = new TTextPanel(QStringLiteral("TextPanel1"), this);
  TextPanel1->setAccessibleName(QStringLiteral("Mitwirkende"));
  TextPanel1->setGeometry(19, 176, 262, 193);
  TextPanel1->color = Qt::white;
  TextPanel1->singleBorder = true;
  TextPanel1->bevelOuter = TTextPanel::Bevel::None;
  TextPanel1->bidiRightToLeft = true;
  QFont credits(QStringLiteral("Arial"));
  credits.setPixelSize(11);
  TextPanel1->setTextFont(credits);
  TextPanel1->setInterval(40);
  TextPanel1->setStepSize(1);
  TextPanel1->setEnableTimer(true);
  TextPanel1->setTextAlignment(Qt::AlignHCenter);
  QStringList items = {QStringLiteral("Quenna's Zestovar"),
                       QString(),
                       QStringLiteral("ein Kochbuch von Quenna Ilvo"),
                       maker,
                       QString(),
                       QStringLiteral("Logo von:"),
                       QStringLiteral("http://www.ilkas-atelier.invalid")};
  for (int i = 0; i < 11; ++i) items.append(QString());
  TextPanel1->setItems(items);

  Button1 = zestovar::ui::button("Button1", "OK", this);
  Button1->setGeometry(120, 384, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);

  Label2 = named(new QLabel(maker, this), "Label2", QString());
  QFont link = Label2->font();
  link.setPixelSize(12);
  Label2->setFont(link);
  Label2->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  Label2->setCursor(Qt::PointingHandCursor);
  Label2->setAccessibleDescription(QStringLiteral("Verweis auf die Seite des Herstellers"));
  Label2->setGeometry(6, 417, 289, 18);
  new zestovar::ui::EventHook(Label2, QEvent::MouseButtonRelease, [this] { Label2Click(); });

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TInfoForm::Label2Click() { prompts_.openUrl(QUrl(QString::fromStdString(makerUrl_))); }
