#include "accessories/OHU.h"

#include <QFile>
#include <QFontMetrics>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "accessories/Launcher.h"
#include "ui/Controls.h"
#include "ui/Guarded.h"

using zestovar::ui::button;
using zestovar::ui::guarded;
using zestovar::ui::named;

namespace {

std::filesystem::path localPath(const QString& path) {
  if (path.isEmpty()) return {};
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace

TForm12::TForm12(zestovar::ui::MainWindow& main, zestovar::store::DeletedRecipes& deleted,
                 std::filesystem::path program, const QWidget* owner)
    : QWidget(nullptr, Qt::Window), main_(main), deleted_(deleted), program_(std::move(program)), owner_(owner) {
  named(this, "Form12", QStringLiteral("Quenna's Zestovar - Optionen"));
  setWindowTitle(QStringLiteral("Quenna's Zestovar - Optionen"));
  setFixedSize(224, 207);
  Button2 = button("Button2", "Gelöschte Rezepte wieder downloaden", this);
  Button5 = button("Button5", "Verknüpfung am Desktop", this);
  Button6 = button("Button6", "Verknüpfung im Startmenü", this);
  Button1 = button("Button1", "Schließen", this);
  int top = 16;
  for (QPushButton* b : {Button2, Button5, Button6, Button1}) {
    b->setGeometry(16, top, 193, 33);
    top += 48;
    // A caption wider than the button in the desktop's font is set smaller, so it shows whole.
    QFont font = b->font();
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(b->text()) > b->width() - 12)
      font.setPointSizeF(font.pointSizeF() - 0.5);
    b->setFont(font);
  }
  zestovar::ui::Prompts& prompts = main_.prompts();
  connect(Button2, &QPushButton::clicked, this, guarded(prompts, [this] { Button2Click(); }));
  connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
  connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm12::showEvent(QShowEvent* event) {
  // Centred on the main window each time it opens.
  if (owner_ != nullptr) {
    QRect frame(QPoint(), size());
    frame.moveCenter(owner_->frameGeometry().center());
    move(frame.topLeft());
  }
  QWidget::showEvent(event);
}

void TForm12::Button2Click() {
  // A download on its way writes the deleted-recipes list's neighbours; the file is left alone then.
  if (main_.transferRunning()) return;
  deleted_.forget();
}

std::filesystem::path TForm12::desktopFolder() {
  return localPath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

std::filesystem::path TForm12::applicationsFolder() {
  return localPath(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
}

void TForm12::Button5Click() {
  // The desktop directory is the user's: it is not made here when it does not exist.
  zestovar::accessories::saveLauncher(main_.files(), desktopFolder(), program_);
}

void TForm12::Button6Click() {
  const std::filesystem::path folder = applicationsFolder();
  if (!folder.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
  }
  zestovar::accessories::saveLauncher(main_.files(), folder, program_);
}
