#include "app/Application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <cstdio>

#include "ui/TextCodec.h"

namespace zestovar::app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromUtf16(ui::kProgramTitle));
  // The print preview, the file dialog and the other standard dialogs read German, as the program
  // does; without the translation installed they stay English.
  if (qtTranslation_.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(&qtTranslation_);
}

bool Application::notify(QObject* receiver, QEvent* event) {
  // An error ends the user action that raised it, never the program.
  QString text;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    text = ui::fromUtf8(error.what());
  } catch (...) {
    text = QStringLiteral("Unbekannter Fehler");
  }
  if (prompts_ != nullptr) {
    prompts_->error(text);
  } else {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }
  return false;
}

}  // namespace zestovar::app
