// Quenna's Zestovar: start-up.
#include <QDir>

#include "accessories/OHU.h"
#include "accessories/WCIU.h"
#include "app/Application.h"
#include "app/Prompts.h"
#include "editing/HHU2.h"
#include "lists/VHU.h"
#include "online/NHU.h"
#include "online/ProxE.h"
#include "views/MHU.h"
#include "views/Splash.h"

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  zestovar::app::QtPrompts prompts;
  app.setPrompts(&prompts);
  // Only the main window's closing ends the program, whatever other window is open.
  app.setQuitOnLastWindowClosed(false);

  const std::filesystem::path programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString();

  // The windows in their order of creation, each hidden; the splash shows itself while created.
  TForm1 form1(programDir, prompts);
  TForm7 form7;
  TInfoForm infoForm;
  TForm4 form4;
  TForm11 form11;
  TForm17 form17;
  TForm12 form12;
  TForm14 form14(&form1);
  form1.Form7 = &form7;
  form1.InfoForm = &infoForm;
  form1.Form4 = &form4;
  form1.Form17 = &form17;
  form1.Form12 = &form12;
  form1.Form14 = &form14;
  QObject::connect(&form1, &TForm1::closed, &app, &QCoreApplication::quit);

  form1.show();
  return app.exec();
}
