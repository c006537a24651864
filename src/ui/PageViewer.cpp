#include "ui/PageViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include "ui/TextCodec.h"

namespace zestovar::ui {
namespace {

const QUrl& blankUrl() {
  static const QUrl url(QStringLiteral("about:blank"));
  return url;
}

// What the viewer shows for "about:blank" and for a page it may not or cannot load.
QString emptyPage() { return QStringLiteral("<body></body>"); }

}  // namespace

PageViewer::PageViewer(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setSource(blankUrl());
}

void PageViewer::setProgramDir(const QString& dir) {
  programDir_ = QFileInfo(dir).canonicalFilePath();
  setSearchPaths({programDir_});
}

void PageViewer::showFile(const QString& path) {
  // setSource with the address already shown would not even read the picture again.
  clear();
  setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()), QTextDocument::HtmlResource);
}

void PageViewer::blank() {
  clear();
  setSource(blankUrl(), QTextDocument::HtmlResource);
}

bool PageViewer::isBlank() const { return source() == blankUrl(); }

bool PageViewer::insideProgramDir(const QString& path) const {
  if (programDir_.isEmpty()) return false;
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return !canonical.isEmpty() && canonical.startsWith(programDir_ + QLatin1Char('/'));
}

QVariant PageViewer::loadResource(int type, const QUrl& name) {
  const bool page = type == QTextDocument::HtmlResource;
  if (name == blankUrl() || !name.isLocalFile() || !insideProgramDir(name.toLocalFile()))
    return page ? QVariant(emptyPage()) : QVariant();
  QFile file(name.toLocalFile());
  if (!file.open(QIODevice::ReadOnly)) return page ? QVariant(emptyPage()) : QVariant();
  const QByteArray bytes = file.readAll();
  // An empty page file (a name no recipe carries) shows as the empty page.
  if (page && bytes.isEmpty()) return emptyPage();
  if (page) return fromCp1252(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return bytes;
}

}  // namespace zestovar::ui
