// Quenna's Zestovar: start-up.
#include <QDir>

#include "app/Application.h"
#include "app/Program.h"
#include "app/Prompts.h"
#include "views/MHU.h"

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  zestovar::app::QtPrompts prompts;
  app.setPrompts(&prompts);
  // Only the main window's closing ends the program, whatever other window is open.
  app.setQuitOnLastWindowClosed(false);

  const std::filesystem::path programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString();
  zestovar::app::Program program(programDir, prompts, 2000);
  program.form1().show();
  return app.exec();
}
