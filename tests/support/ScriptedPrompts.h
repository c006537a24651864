// Prompts for tests: records every box and answers from a queue, so no box ever waits for a user.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <memory>
#include <optional>
#include <variant>

#include "ui/Prompts.h"

namespace zestovar::ui {

class ScriptedPrompts : public Prompts {
 public:
  enum class Kind { Message, Confirm, Warning, Input, Picture, Files, Error, PrintPreview, OpenUrl, Modal, Progress };

  struct Shown {
    Kind kind;
    QString title;
    QString text;  // the message, the question or the input prompt
  };

  // Answers for the boxes that ask, used in the order given.
  void answerConfirm(bool ok);
  void answerWarning(int button);
  void answerInput(std::optional<QString> text);
  void answerPicture(QString path);
  void answerFiles(QStringList paths);
  // The progress dialog number dialog (counted from 0 since clear()) is cancelled at its step-th report
  // (counted from 1), as a click on "Abbrechen" would; every other one runs to its end.
  void cancelProgress(int dialog, std::size_t step);

  void message(const QString& text) override;
  bool confirm(const QString& title, const QString& text) override;
  int warning(const QString& title, const QString& text, const QStringList& buttons) override;
  std::optional<QString> input(const QString& title, const QString& prompt, const QString& preset) override;
  // Answers with the queued path; the preview the dialog would show for it is kept (see preview()).
  QString openPicture(const QString& startDir, const PicturePreview& preview) override;
  // The preview the last picture dialog drew for the path it answered with.
  const QImage& preview() const { return preview_; }
  // Answers with the queued files (title: the dialog's, text: its filters joined by ";;").
  QStringList openFiles(const QString& title, const QString& startDir, const QStringList& filters) override;
  // Shows the dialog without waiting for it and records it (title: its caption), so the test drives
  // the open dialog itself.
  void showModal(QDialog& dialog) override;
  void error(const QString& text) override;
  // Paints the page into a PDF file, as the preview would draw it, and records the call.
  void printPreview(const std::function<void(QPrinter*)>& paint) override;
  // The size of the PDF the last print preview painted.
  qint64 printedBytes() const { return printedBytes_; }
  // Records the address (as the text of an OpenUrl box) and reports it opened.
  bool openUrl(const QUrl& url) override;
  // Records the dialog (title: its name, text: its label); it runs to its end unless cancelProgress
  // chose it.
  std::unique_ptr<Progress> progress(const QString& name, const QString& accessibleName, const QString& text) override;

  const QList<Shown>& shown() const { return shown_; }
  // The texts of the boxes of one kind, in the order shown.
  QStringList texts(Kind kind) const;
  // A box that asked without an answer of its kind at the head of the queue was answered with
  // "Abbrechen" (or closed) and is listed here, so the test fails instead of hanging.
  const QStringList& unexpected() const { return unexpected_; }
  std::size_t pendingAnswers() const { return answers_.size(); }
  void clear();

 private:
  using Answer = std::variant<bool, int, std::optional<QString>, QString, QStringList>;
  template <typename T>
  // Takes the answer at the head of the queue into out; false when it is of another kind.
  bool take(Kind kind, const QString& title, const QString& text, T& out);

  std::deque<std::pair<Kind, Answer>> answers_;
  QList<Shown> shown_;
  QStringList unexpected_;
  qint64 printedBytes_ = 0;
  QImage preview_;
  int progressDialogs_ = 0;
  std::optional<std::pair<int, std::size_t>> cancelAt_;
};

}  // namespace zestovar::ui
