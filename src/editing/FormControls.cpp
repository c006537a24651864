#include "editing/FormControls.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QKeyEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>
#include <QValidator>
#include <cstring>
#include <span>

#include "editing/JpegDecoder.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "ui/TextCodec.h"

namespace zestovar::editing {
namespace {

// The picture dialog reads every file the user selects; a file this large is no recipe picture.
constexpr std::uint64_t kMaxPreviewFile = 64u << 20;

// Lays the items of a list out in columns of equal width, row by row, and keeps them so when the
// list changes its width.
class Columns : public QObject {
  Q_OBJECT

 public:
  Columns(QListWidget* list, int count) : QObject(list), list_(list), count_(count) {
    list->viewport()->installEventFilter(this);
    arrange();
  }
  void setCount(int count) {
    count_ = count;
    arrange();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) arrange();
    return QObject::eventFilter(watched, event);
  }

 private:
  void arrange() {
    if (count_ <= 1) {
      list_->setFlow(QListView::TopToBottom);
      list_->setWrapping(false);
      list_->setGridSize(QSize());
    } else {
      const int height = list_->count() > 0 ? list_->sizeHintForRow(0) : list_->fontMetrics().height() + 4;
      list_->setFlow(QListView::LeftToRight);
      list_->setWrapping(true);
      list_->setGridSize(QSize(std::max(1, (rowWidth() - 1) / count_), height));
    }
    list_->doItemsLayout();
  }

  // The width the list wraps its rows at: it keeps room for a vertical scroll bar that may come.
  int rowWidth() const {
    const QStyle* style = list_->style();
    int width = list_->maximumViewportSize().width();
    if (list_->verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
        style->pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, nullptr, list_->verticalScrollBar()) == 0) {
      width -= style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_->verticalScrollBar());
      if (style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, list_))
        width -= 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, list_);
    }
    return width;
  }

  QListWidget* list_;
  int count_;
};

class OneLine : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Acceptable;
  }
};

class EnterHook : public QObject {
 public:
  EnterHook(QObject* target, std::function<void()> handler) : QObject(target), handler_(std::move(handler)) {
    target->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // A held key saves once.
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) handler_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> handler_;
};

// The bytes of a picture file; none when there is no file or it is larger than limit.
std::optional<std::string> readPictureFile(store::Files& files, const QString& path, std::uint64_t limit) {
  const std::filesystem::path file = toPath(path);
  if (!files.exists(file)) return std::nullopt;
  const auto in = files.open(file, store::OpenMode::ReadOnly);
  const std::uint64_t size = in->size();
  if (size > limit) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  bytes.resize(in->readAt(0, std::as_writable_bytes(std::span(bytes))));
  return bytes;
}

}  // namespace

std::filesystem::path toPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

QStringList originTexts() {
  std::vector<std::string> origins;
  for (const std::string_view origin : store::kOriginNames) origins.emplace_back(origin);
  store::sortBrowseList(origins);
  QStringList texts;
  for (const std::string& origin : origins) texts.append(ui::fromCp1252(origin));
  return texts;
}

QStringList categoryTexts() {
  QStringList texts;
  for (std::string_view name : store::kCategoriesAlphabetical) texts.append(ui::fromCp1252(name));
  return texts;
}

void fillSubcategories(QListWidget* list, const QString& category) {
  list->clear();
  const std::string code = ui::toCp1252(category);
  if (!store::categoryCode(code)) return;
  for (const std::string& name : store::subcategoriesSorted(code)) {
    auto* item = new QListWidgetItem(ui::fromCp1252(name), list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  const int columns = code == store::kCategoryNames[5] ? 1 : 2;
  if (auto* arranged = list->findChild<Columns*>(QString(), Qt::FindDirectChildrenOnly))
    arranged->setCount(columns);
  else
    new Columns(list, columns);
}

std::vector<Subcategory> subcategoryItems(const QListWidget* list) {
  std::vector<Subcategory> items;
  for (int i = 0; i < list->count(); ++i)
    items.push_back({ui::toCp1252(list->item(i)->text()), list->item(i)->checkState() == Qt::Checked});
  return items;
}

// Shift+Enter ends a line inside a paragraph with a line separator.
std::vector<std::string> memoLines(const QPlainTextEdit* memo) {
  std::vector<std::string> lines;
  for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
    for (const QString& line : block.text().split(QChar::LineSeparator)) lines.push_back(ui::toCp1252(line));
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void setMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  std::vector<std::string> paragraphs = lines;
  // An empty last line needs a line end after it, or reading the memo takes it for none.
  if (!lines.empty() && lines.back().empty()) paragraphs.emplace_back();
  setMemoParagraphs(memo, paragraphs);
}

std::vector<ShownLine> shownMemoLines(const QPlainTextEdit* memo) {
  QAbstractTextDocumentLayout* layout = memo->document()->documentLayout();
  std::vector<ShownLine> lines;
  for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
    // Asking for the block's extent lays out a block the memo has not laid out yet.
    layout->blockBoundingRect(block);
    const QTextLayout* text = block.layout();
    const QString paragraph = block.text();
    if (text == nullptr || text->lineCount() == 0) {
      const QStringList parts = paragraph.split(QChar::LineSeparator);
      for (qsizetype i = 0; i < parts.size(); ++i)
        lines.push_back({ui::toCp1252(parts[i]), i + 1 < parts.size() ? LineEnd::LineBreak : LineEnd::Paragraph});
      continue;
    }
    for (int i = 0; i < text->lineCount(); ++i) {
      const QTextLine line = text->lineAt(i);
      QString shown = paragraph.mid(line.textStart(), line.textLength());
      LineEnd end = i + 1 < text->lineCount() ? LineEnd::Wrap : LineEnd::Paragraph;
      // The line separator of Shift+Enter belongs to the line it ends.
      if (shown.endsWith(QChar::LineSeparator)) {
        shown.chop(1);
        end = LineEnd::LineBreak;
      }
      lines.push_back({ui::toCp1252(shown), end});
    }
  }
  return lines;
}

void setMemoParagraphs(QPlainTextEdit* memo, const std::vector<std::string>& paragraphs) {
  QStringList texts;
  for (const std::string& paragraph : paragraphs) texts.append(ui::fromCp1252(paragraph));
  memo->setPlainText(texts.join(QLatin1Char('\n')));
}

void keepOneLine(QLineEdit* field) { field->setValidator(new OneLine(field)); }

void onEnter(QWidget* field, std::function<void()> handler) { new EnterHook(field, std::move(handler)); }

QImage previewImage(std::string_view bytes, int edge) {
  const DecodedPicture decoded = decodeJpeg(bytes, edge);
  QImage image(decoded.width, decoded.height, QImage::Format_RGB888);
  if (image.isNull()) throw PictureError("Das Bild kann nicht angezeigt werden: zu wenig Speicher");
  const auto rowBytes = static_cast<std::size_t>(decoded.width) * 3;
  for (int y = 0; y < decoded.height; ++y)
    std::memcpy(image.scanLine(y), decoded.rgb.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
  return image;
}

ui::PicturePreview picturePreview(store::Files& files, int edge) {
  return [&files, edge](const QString& path) {
    try {
      const std::optional<std::string> bytes = readPictureFile(files, path, kMaxPreviewFile);
      return bytes ? previewImage(*bytes, edge) : QImage();
    } catch (const std::exception&) {
      return QImage();
    }
  };
}

void showPicture(QLabel* preview, const QImage& picture) {
  preview->setAlignment(Qt::AlignCenter);
  preview->setPixmap(QPixmap::fromImage(
      picture.scaled(preview->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace zestovar::editing

#include "FormControls.moc"
