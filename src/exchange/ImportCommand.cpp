#include "exchange/ImportCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "exchange/Import.h"
#include "store/Errors.h"
#include "store/FileIo.h"

namespace zestovar::exchange {

ImportCommand::ImportCommand(ui::MainWindow& main, QObject* parent) : QObject(parent), main_(main) {}

QStringList ImportCommand::filters() {
  return {QStringLiteral("Rezeptsammlungen (*.mmf *.mm *.rk *.txt *.cml *.xml *.html *.htm)"),
          QStringLiteral("Meal-Master (*.mmf *.mm *.txt)"),
          QStringLiteral("RezKonv (*.rk *.txt)"),
          QStringLiteral("CookML (*.cml *.xml)"),
          QStringLiteral("Webseiten (*.html *.htm)"),
          QStringLiteral("Alle Dateien (*)")};
}

void ImportCommand::Rezepteimportieren1Click() {
  if (main_.transferRunning()) return;
  const QString startDir = lastDir_.isEmpty() ? QDir::homePath() : lastDir_;
  const QStringList paths = main_.prompts().openFiles(QStringLiteral("Rezepte importieren"), startDir, filters());
  if (paths.isEmpty()) return;
  lastDir_ = QFileInfo(paths.constFirst()).absolutePath();
  importFiles(paths);
}

void ImportCommand::importFiles(const QStringList& paths) {
  Importer importer(main_.store());
  std::size_t imported = 0, skipped = 0;
  bool cancelled = false;
  for (const QString& path : paths) {
    const QString name = QFileInfo(path).fileName();
    try {
      const auto bytes =
          store::readWholeFile(main_.files(), std::filesystem::path(QFile::encodeName(path).toStdString()));
      if (!bytes) throw store::StoreError(std::string(store::kFileNotFound));
      const auto progress =
          main_.prompts().progress(QStringLiteral("ImportProgress"), QStringLiteral("Fortschritt des Imports"),
                                   QStringLiteral("Importiere %1 ...").arg(name));
      const auto result =
          importer.importFile(*bytes, kDefaultFallbackCategory,
                              [&](std::size_t done, std::size_t total) { return progress->step(done, total); });
      if (!result) {
        cancelled = true;
        break;
      }
      imported += result->imported;
      skipped += result->skipped;
    } catch (const ImportError& error) {
      main_.prompts().error(name + QStringLiteral(": ") + QString::fromUtf8(error.what()));
    } catch (const store::StoreError& error) {
      main_.prompts().error(name + QStringLiteral(": ") + QString::fromUtf8(error.what()));
    }
  }
  QString summary = QString::fromStdString(summaryLine(imported, skipped));
  if (cancelled)
    summary += QStringLiteral("\nAbgebrochen: die Datei, die gerade eingelesen wurde, ist nicht importiert.");
  // The new recipes are in the list behind the summary.
  main_.listCurrentCategory();
  main_.prompts().message(summary);
}

}  // namespace zestovar::exchange
