// The options window TForm12: small actions that belong to no tab of the main window. It forgets the
// deleted recipes, so the database update offers them again, and places launchers for the program on
// the desktop and in the applications menu.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <filesystem>

#include "store/DeletedRecipes.h"
#include "ui/MainWindow.h"

class TForm12 : public QWidget {
  Q_OBJECT

 public:
  // deleted: the list that "Gelöschte Rezepte wieder downloaden" empties; program: the running program
  // file, the launchers' target; the window opens centred on `owner`.
  TForm12(zestovar::ui::MainWindow& main, zestovar::store::DeletedRecipes& deleted, std::filesystem::path program,
          const QWidget* owner = nullptr);

  // "Gelöschte Rezepte wieder downloaden": empties the deleted-recipes list and its file.
  void Button2Click();
  // "Verknüpfung am Desktop": a launcher in the desktop directory; silent on success and failure.
  void Button5Click();
  // "Verknüpfung im Startmenü": a launcher in the applications directory, created when missing.
  void Button6Click();

  // The user's directories the launchers go to; empty when they cannot be named.
  static std::filesystem::path desktopFolder();
  static std::filesystem::path applicationsFolder();

  QPushButton *Button2, *Button5, *Button6, *Button1;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  zestovar::ui::MainWindow& main_;
  zestovar::store::DeletedRecipes& deleted_;
  std::filesystem::path program_;
  const QWidget* owner_;
};
