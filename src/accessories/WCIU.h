// The about window TInfoForm: the logo, the program's name with its version, the credits scrolling in a
// TTextPanel, "OK" and a link to the maker's web address.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "accessories/TextPanel.h"
#include "ui/Prompts.h"

class TInfoForm : public QWidget {
  Q_OBJECT

 public:
  // makerUrl: the maker's web address (a value of the build).
  TInfoForm(zestovar::ui::Prompts& prompts, std::string makerUrl, QWidget* parent = nullptr);

  // The link label: opens the maker's address in the web browser; a failure says nothing.
  void Label2Click();

  QWidget* Panel1;
  QLabel *Image1, *Label1, *Label2;
  TTextPanel* TextPanel1;
  QPushButton* Button1;

 private:
  zestovar::ui::Prompts& prompts_;
  std::string makerUrl_;
};
