#include "lists/VHU.h"

#include <QMouseEvent>
#include <QPrinter>
#include <QVBoxLayout>

#include "ui/Controls.h"
#include "ui/Guarded.h"

using zestovar::ui::named;

namespace {

const QColor kLabelColour = Qt::black;
const QColor kLabelHoverColour(0x80, 0x00, 0x00);  // maroon

}  // namespace

TForm4::TForm4(zestovar::ui::Prompts& prompts, const std::filesystem::path& programDir, const QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window), prompts_(prompts), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("Einkaufsliste"));
  setAccessibleName(windowTitle());
  resize(547, 476);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  PrintPage = named(new zestovar::ui::PageViewer(this), "PrintPage", QStringLiteral("Einkaufsliste"));
  PrintPage->setProgramDir(QString::fromStdString(programDir.string()));
  layout->addWidget(PrintPage, 1);

  // The label fills the whole panel, so the whole bottom strip is the place to click.
  Panel1 = named(new QFrame(this), "Panel1", QStringLiteral("Druckleiste"));
  Panel1->setFixedHeight(41);
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  Label1 = zestovar::ui::label("Label1", "Drucken", Panel1);
  Label1->setAlignment(Qt::AlignCenter);
  QFont font = Label1->font();
  font.setPixelSize(16);
  Label1->setFont(font);
  setLabelColour(kLabelColour);
  panelLayout->addWidget(Label1);
  layout->addWidget(Panel1);

  Label1->setMouseTracking(true);
  Label1->installEventFilter(this);
}

void TForm4::setLabelColour(const QColor& colour) {
  QPalette palette = Label1->palette();
  palette.setColor(QPalette::WindowText, colour);
  Label1->setPalette(palette);
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1) {
    switch (event->type()) {
      case QEvent::Enter:
      case QEvent::MouseMove:
        setLabelColour(kLabelHoverColour);
        break;
      case QEvent::Leave:
        setLabelColour(kLabelColour);
        break;
      case QEvent::MouseButtonRelease: {
        // A click is a left button let go over the label.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Label1->rect().contains(mouse->position().toPoint()))
          zestovar::ui::guarded(prompts_, [this] { Label1Click(); })();
        break;
      }
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm4::showPage(const QString& path) {
  PrintPage->showFile(path);
  if (!isVisible() && mainWindow_) {
    QRect frame(QPoint(), size());
    frame.moveCenter(mainWindow_->frameGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
}

void TForm4::Label1Click() {
  prompts_.printPreview([this](QPrinter* printer) { PrintPage->document()->print(printer); });
}
