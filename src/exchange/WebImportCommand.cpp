#include "exchange/WebImportCommand.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <future>

#include "exchange/Import.h"
#include "exchange/Mapping.h"
#include "exchange/WebPage.h"
#include "store/Errors.h"
#include "store/FileIo.h"
#include "ui/TextCodec.h"

namespace zestovar::exchange {
namespace {

constexpr char16_t kTitle[] = u"Rezept aus dem Internet";

// The Qt image reader of a PNG or WebP picture, told by its first bytes; none for any other. Only these
// two are made JPEG: every further reader is one more parser a page could aim at.
const char* pictureFormat(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return "PNG";
  if (bytes.size() >= 12 && bytes.starts_with("RIFF") && bytes.substr(8, 4) == "WEBP") return "WEBP";
  return nullptr;
}

// A PNG or WebP picture made a JPEG; transparent parts turn white, as the page showed them. Qt's readers
// refuse pictures above their allocation limit.
std::optional<std::string> toJpeg(std::string_view bytes) {
  const char* format = pictureFormat(bytes);
  if (format == nullptr) return std::nullopt;
  const QImage picture =
      QImage::fromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), format);
  if (picture.isNull()) return std::nullopt;
  QImage flat(picture.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter(&flat).drawImage(0, 0, picture);
  QByteArray jpeg;
  QBuffer out(&jpeg);
  if (!out.open(QIODevice::WriteOnly) || !flat.save(&out, "JPEG", 90)) return std::nullopt;
  return jpeg.toStdString();
}

}  // namespace

WebImportCommand::WebImportCommand(ui::MainWindow& main, ui::RecipeEditor& editor, WebFetch fetch, QObject* parent)
    : QObject(parent), main_(main), editor_(editor), fetch_(std::move(fetch)) {}

void WebImportCommand::RezeptausdemInternet1Click() {
  if (main_.transferRunning()) return;
  const std::optional<QString> typed =
      main_.prompts().input(QString::fromUtf16(kTitle), QStringLiteral("Adresse der Seite:"), QString());
  if (!typed || typed->trimmed().isEmpty()) return;
  if (editor_.holdsInput() &&
      !main_.prompts().confirm(QString::fromUtf16(kTitle),
                               QStringLiteral("Die Eingaben im Editor werden ersetzt. Fortfahren?")))
    return;
  importAddress(*typed);
}

void WebImportCommand::importAddress(const QString& typed) {
  if (running_) return;
  running_ = true;
  aborted_ = false;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};
  auto progress =
      main_.prompts().progress(QStringLiteral("WebImportProgress"), QStringLiteral("Fortschritt des Abrufs"),
                               QStringLiteral("Hole %1 ...").arg(typed.trimmed()));
  const std::function<void()> step = [&] {
    if (aborted_ || !progress->step(0, 0)) throw store::Cancelled("Die Übertragung wurde abgebrochen");
  };
  const WebResource page = fetch_(typed.toStdString(), WebResourceKind::Page, step);
  std::vector<ForeignRecipe> recipes = readPage(page, *progress);
  nameSiteAsAuthor(recipes, page.address);
  ForeignRecipe& first = recipes.front();
  const std::optional<std::string> note = takeWebPicture(
      first, [&](const std::string& address) { return fetch_(address, WebResourceKind::Picture, step).bytes; }, toJpeg);
  const QString picturePath = first.picture.empty() ? QString() : keepPicture(first.picture);
  progress.reset();
  editor_.fill(toNewRecipe(first, kDefaultFallbackCategory), picturePath);
  if (recipes.size() > 1)
    main_.prompts().message(
        QStringLiteral("Die Seite enthält %1 Rezepte; das erste ist eingetragen.").arg(recipes.size()));
  if (note) main_.prompts().message(ui::fromUtf8(*note));
}

// The page is read on a thread of its own while the window handles its events: a large page takes a
// moment, and "Abbrechen" or closing the window must still be heard.
std::vector<ForeignRecipe> WebImportCommand::readPage(const WebResource& page, ui::Progress& progress) {
  std::future<std::vector<ForeignRecipe>> reading =
      std::async(std::launch::async, [&page] { return readWebPage(page.bytes, page.contentType, page.address); });
  while (reading.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
    QCoreApplication::processEvents();
    if (!progress.step(0, 0)) aborted_ = true;
  }
  std::vector<ForeignRecipe> recipes = reading.get();
  if (aborted_) throw store::Cancelled("Die Übertragung wurde abgebrochen");
  if (recipes.empty()) throw ImportError(std::string(kNoRecipeData));
  return recipes;
}

// The picture goes into a file of its own, which the editor's save reads: "IM1.jpg" belongs to the
// change dialog, which overwrites it whenever it opens a recipe.
QString WebImportCommand::keepPicture(const std::string& jpeg) {
  const std::filesystem::path path = store::resolveProgramFile(main_.files(), main_.programDir(), kWebPictureFileName);
  store::writeWholeFile(main_.files(), path, jpeg);
  return QString::fromStdString(path.string());
}

}  // namespace zestovar::exchange
