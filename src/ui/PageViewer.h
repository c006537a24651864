// The page viewer: shows the HTML pages the program writes into its directory.
//
// It follows no link and loads nothing from outside the program directory, so a downloaded recipe
// can never make it reach anywhere else. Pages are Windows-1252 without a charset.
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>

namespace zestovar::ui {

class PageViewer : public QTextBrowser {
  Q_OBJECT

 public:
  explicit PageViewer(QWidget* parent = nullptr);

  // The directory the viewer may load from.
  void setProgramDir(const QString& dir);
  const QString& programDir() const { return programDir_; }

  // Shows a page file, reading it and its pictures anew even when the same file is shown again.
  void showFile(const QString& path);
  // Shows the empty page "about:blank".
  void blank();
  bool isBlank() const;

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  bool insideProgramDir(const QString& path) const;

  QString programDir_;
};

}  // namespace zestovar::ui
