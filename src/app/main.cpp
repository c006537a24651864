// Quenna's Zestovar: start-up.
#include <QDir>

#include "app/Application.h"
#include "app/Program.h"
#include "store/Errors.h"
#include "store/ProgramHome.h"
#include "ui/Prompts.h"

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  zestovar::ui::QtPrompts prompts;
  app.setPrompts(&prompts);
  // Only the main window's closing ends the program, whatever other window is open.
  app.setQuitOnLastWindowClosed(false);

  const std::filesystem::path programFileDir =
      QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString();
  std::filesystem::path programDir;
  try {
    programDir = zestovar::store::readyProgramHome(*zestovar::store::diskFiles(), programFileDir).programDir;
  } catch (const zestovar::store::StoreError& e) {
    // Without a folder of its own an installed program could keep no recipe.
    prompts.error(QString::fromUtf8(e.what()));
    return 1;
  }
  zestovar::app::Program program(programDir, prompts, 2000);
  program.show();
  return app.exec();
}
