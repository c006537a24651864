// Every box the program shows goes through Prompts: the windows use the Qt boxes, tests a script.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QPrinter;
class QUrl;
class QWidget;

namespace zestovar::ui {

// The title of the message boxes and of the standard error box.
inline constexpr char16_t kProgramTitle[] = u"Quenna's Zestovar";

// The preview of the picture open dialog: the picture of a file, or a null image for a file that
// cannot be shown.
using PicturePreview = std::function<QImage(const QString& path)>;

// An open progress dialog; it closes when this object goes.
class Progress {
 public:
  virtual ~Progress() = default;
  // Shows how far the task has come; false once the user chose "Abbrechen".
  virtual bool step(std::size_t done, std::size_t total) = 0;
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A message box with the one button "OK".
  virtual void message(const QString& text) = 0;
  // A question with "OK" and "Abbrechen"; true for "OK".
  virtual bool confirm(const QString& title, const QString& text) = 0;
  // A warning with the given button texts ("&" marks the mnemonic); the index of the button
  // chosen, -1 when the box was closed otherwise.
  virtual int warning(const QString& title, const QString& text, const QStringList& buttons) = 0;
  // An input box showing preset; the text on "OK", nothing on "Abbrechen".
  virtual std::optional<QString> input(const QString& title, const QString& prompt, const QString& preset) = 0;
  // The picture open dialog for JPEG files, showing preview's picture of the selected file; an empty
  // text when the user cancels.
  virtual QString openPicture(const QString& startDir, const PicturePreview& preview) = 0;
  // The open dialog for several files with the given name filters ("Meal-Master (*.mmf *.txt)"); the
  // chosen files, none when the user cancels.
  virtual QStringList openFiles(const QString& title, const QString& startDir, const QStringList& filters) = 0;
  // Shows a dialog of the program modally; returns when it is closed.
  virtual void showModal(QDialog& dialog) = 0;
  // The standard error box: title "Quenna's Zestovar", the error's text, "OK".
  virtual void error(const QString& text) = 0;
  // The print preview of a page: paint draws the page onto the printer it is given.
  virtual void printPreview(const std::function<void(QPrinter*)>& paint) = 0;
  // Opens a web address with the desktop's "open" (the user's browser); false when that failed.
  virtual bool openUrl(const QUrl& url) = 0;
  // A progress dialog with "Abbrechen" for a task that may take long: name and accessibleName name
  // the dialog, text is its label. It shows only once the task has lasted a moment, so short tasks
  // never flash a dialog.
  virtual std::unique_ptr<Progress> progress(const QString& name, const QString& accessibleName,
                                             const QString& text) = 0;
};

// The real boxes, modal over the active window.
class QtPrompts : public Prompts {
 public:
  void message(const QString& text) override;
  bool confirm(const QString& title, const QString& text) override;
  int warning(const QString& title, const QString& text, const QStringList& buttons) override;
  std::optional<QString> input(const QString& title, const QString& prompt, const QString& preset) override;
  QString openPicture(const QString& startDir, const PicturePreview& preview) override;
  QStringList openFiles(const QString& title, const QString& startDir, const QStringList& filters) override;
  void showModal(QDialog& dialog) override;
  void error(const QString& text) override;
  void printPreview(const std::function<void(QPrinter*)>& paint) override;
  bool openUrl(const QUrl& url) override;
  std::unique_ptr<Progress> progress(const QString& name, const QString& accessibleName, const QString& text) override;
};

}  // namespace zestovar::ui
