// The proxy settings window TForm17: user name, password, server and port of the proxy the recipe web
// site is reached through, kept in "Proxy.cfg". It never shows the loaded settings.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <filesystem>

#include "online/HttpClient.h"
#include "store/FileIo.h"
#include "ui/Prompts.h"

class TForm17 : public QWidget {
  Q_OBJECT

 public:
  TForm17(zestovar::online::HttpClient& http, zestovar::store::Files& files, std::filesystem::path programDir,
          zestovar::ui::Prompts& prompts, QWidget* parent = nullptr);

  // "Speichern": the port is checked before anything is applied; then the settings apply to the next
  // request at once and "Proxy.cfg" is written (readable by its owner only: it holds the password).
  void Button1Click();
  // "Keinen Proxy".
  void Button2Click();

  QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;
  QPushButton *Button1, *Button2;

 private:
  zestovar::online::HttpClient& http_;
  zestovar::store::Files& files_;
  std::filesystem::path programDir_;
  zestovar::ui::Prompts& prompts_;
};
