// Quenna's Zestovar: start-up.
#include <QDir>

#include "app/Program.h"
#include "ui/Application.h"
#include "ui/Prompts.h"

int main(int argc, char** argv) {
  zestovar::ui::Application app(argc, argv);
  zestovar::ui::QtPrompts prompts;
  app.setPrompts(&prompts);
  // Only the main window's closing ends the program, whatever other window is open.
  app.setQuitOnLastWindowClosed(false);

  const std::filesystem::path programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString();
  zestovar::app::Program program(programDir, prompts, 2000);
  program.show();
  return app.exec();
}
