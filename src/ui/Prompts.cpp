#include "ui/Prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>

namespace zestovar::ui {
namespace {

QWidget* boxParent() { return QApplication::activeWindow(); }

// Tasks done sooner are over before a progress dialog could show.
constexpr int kProgressAfterMs = 400;

class DialogProgress : public Progress {
 public:
  DialogProgress(const QString& name, const QString& accessibleName, const QString& text)
      : dialog_(text, QStringLiteral("Abbrechen"), 0, 0) {
    dialog_.setObjectName(name);
    dialog_.setAccessibleName(accessibleName);
    dialog_.setWindowTitle(QString::fromUtf16(kProgramTitle));
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setMinimumDuration(kProgressAfterMs);
  }
  bool step(std::size_t done, std::size_t total) override {
    dialog_.setMaximum(static_cast<int>(total));
    dialog_.setValue(static_cast<int>(done));
    return !dialog_.wasCanceled();
  }

 private:
  QProgressDialog dialog_;
};

// Qt's standard buttons speak English, so every button is added by its German text.
void showWithOk(QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QString::fromUtf16(kProgramTitle), text, QMessageBox::NoButton, boxParent());
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

}  // namespace

void QtPrompts::message(const QString& text) { showWithOk(QMessageBox::NoIcon, text); }

void QtPrompts::error(const QString& text) { showWithOk(QMessageBox::Critical, text); }

void QtPrompts::printPreview(const std::function<void(QPrinter*)>& paint) {
  QPrintPreviewDialog dialog(QApplication::activeWindow());
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
  dialog.exec();
}

bool QtPrompts::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

std::unique_ptr<Progress> QtPrompts::progress(const QString& name, const QString& accessibleName, const QString& text) {
  return std::make_unique<DialogProgress>(name, accessibleName, text);
}

bool QtPrompts::confirm(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, boxParent());
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == ok;
}

int QtPrompts::warning(const QString& title, const QString& text, const QStringList& buttons) {
  QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, boxParent());
  QList<QAbstractButton*> added;
  for (const QString& caption : buttons) added.append(box.addButton(caption, QMessageBox::ActionRole));
  if (!added.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
  box.exec();
  return static_cast<int>(added.indexOf(box.clickedButton()));
}

std::optional<QString> QtPrompts::input(const QString& title, const QString& prompt, const QString& preset) {
  QInputDialog dialog(boxParent());
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(preset);
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

QStringList QtPrompts::openFiles(const QString& title, const QString& startDir, const QStringList& filters) {
  QFileDialog dialog(boxParent(), title, startDir);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilters(filters);
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Öffnen"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

QString QtPrompts::openPicture(const QString& startDir, const PicturePreview& preview) {
  QFileDialog dialog(boxParent(), QStringLiteral("Öffnen"), startDir);
  // Qt's own dialog, so that a preview can sit beside the file list.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // Qt separates the patterns of a filter by blanks, where the Windows dialog takes semicolons.
  dialog.setNameFilters({QStringLiteral("All (*.jpg *.jpeg)"), QStringLiteral("JPEG Image File (*.jpg)"),
                         QStringLiteral("JPEG Image File (*.jpeg)")});
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Öffnen"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));

  auto* shown = new QLabel(&dialog);
  shown->setObjectName(QStringLiteral("PicturePreview"));
  shown->setAccessibleName(QStringLiteral("Vorschau"));
  shown->setFixedSize(160, 160);
  shown->setAlignment(Qt::AlignCenter);
  shown->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(shown, 1, grid->columnCount(), 1, 1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, shown, [shown, &preview](const QString& path) {
    const QImage picture = QFileInfo(path).isFile() ? preview(path) : QImage();
    shown->setPixmap(picture.isNull()
                         ? QPixmap()
                         : QPixmap::fromImage(picture.scaled(shown->contentsRect().size(), Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation)));
  });

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void QtPrompts::showModal(QDialog& dialog) { dialog.exec(); }

}  // namespace zestovar::ui
