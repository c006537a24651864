#include "ScriptedPrompts.h"

#include <QDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <utility>

namespace zestovar::ui {

void ScriptedPrompts::answerConfirm(bool ok) { answers_.emplace_back(Kind::Confirm, ok); }
void ScriptedPrompts::answerWarning(int button) { answers_.emplace_back(Kind::Warning, button); }
void ScriptedPrompts::answerInput(std::optional<QString> text) { answers_.emplace_back(Kind::Input, std::move(text)); }
void ScriptedPrompts::answerPicture(QString path) { answers_.emplace_back(Kind::Picture, std::move(path)); }
void ScriptedPrompts::answerFiles(QStringList paths) { answers_.emplace_back(Kind::Files, std::move(paths)); }
void ScriptedPrompts::cancelProgress(int dialog, std::size_t step) { cancelAt_ = {dialog, step}; }

template <typename T>
bool ScriptedPrompts::take(Kind kind, const QString& title, const QString& text, T& out) {
  shown_.append({kind, title, text});
  if (answers_.empty() || answers_.front().first != kind) {
    unexpected_.append(title + QStringLiteral(": ") + text);
    return false;
  }
  out = std::get<T>(std::move(answers_.front().second));
  answers_.pop_front();
  return true;
}

void ScriptedPrompts::message(const QString& text) {
  shown_.append({Kind::Message, QString::fromUtf16(kProgramTitle), text});
}

void ScriptedPrompts::error(const QString& text) {
  shown_.append({Kind::Error, QString::fromUtf16(kProgramTitle), text});
}

bool ScriptedPrompts::confirm(const QString& title, const QString& text) {
  bool ok = false;
  return take(Kind::Confirm, title, text, ok) && ok;
}

int ScriptedPrompts::warning(const QString& title, const QString& text, const QStringList&) {
  int button = -1;
  return take(Kind::Warning, title, text, button) ? button : -1;
}

std::optional<QString> ScriptedPrompts::input(const QString& title, const QString& prompt, const QString&) {
  std::optional<QString> answer;
  take(Kind::Input, title, prompt, answer);
  return answer;
}

QString ScriptedPrompts::openPicture(const QString& startDir, const PicturePreview& preview) {
  QString path;
  take(Kind::Picture, QStringLiteral("Öffnen"), startDir, path);
  preview_ = path.isEmpty() ? QImage() : preview(path);
  return path;
}

QStringList ScriptedPrompts::openFiles(const QString& title, const QString&, const QStringList& filters) {
  QStringList paths;
  take(Kind::Files, title, filters.join(QStringLiteral(";;")), paths);
  return paths;
}

void ScriptedPrompts::showModal(QDialog& dialog) {
  shown_.append({Kind::Modal, dialog.windowTitle(), dialog.objectName()});
  dialog.show();
}

bool ScriptedPrompts::openUrl(const QUrl& url) {
  shown_.append({Kind::OpenUrl, QString(), url.toString()});
  return true;
}

namespace {

class CountedProgress : public Progress {
 public:
  explicit CountedProgress(std::size_t cancelAt) : cancelAt_(cancelAt) {}
  bool step(std::size_t, std::size_t) override { return cancelAt_ == 0 || ++steps_ < cancelAt_; }

 private:
  std::size_t cancelAt_;
  std::size_t steps_ = 0;
};

}  // namespace

std::unique_ptr<Progress> ScriptedPrompts::progress(const QString& name, const QString&, const QString& text) {
  shown_.append({Kind::Progress, name, text});
  const int dialog = progressDialogs_++;
  const std::size_t cancelAt = cancelAt_ && cancelAt_->first == dialog ? cancelAt_->second : 0;
  return std::make_unique<CountedProgress>(cancelAt);
}

QStringList ScriptedPrompts::texts(Kind kind) const {
  QStringList result;
  for (const Shown& box : shown_)
    if (box.kind == kind) result.append(box.text);
  return result;
}

void ScriptedPrompts::clear() {
  answers_.clear();
  shown_.clear();
  unexpected_.clear();
  progressDialogs_ = 0;
  cancelAt_.reset();
}

}  // namespace zestovar::ui

namespace zestovar::ui {

void ScriptedPrompts::printPreview(const std::function<void(QPrinter*)>& paint) {
  shown_.append({Kind::PrintPreview, QString(), QString()});
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("preview.pdf")));
  paint(&printer);
  printedBytes_ = QFileInfo(printer.outputFileName()).size();
}

}  // namespace zestovar::ui
