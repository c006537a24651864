// The pieces of the recipe form: its category, subcategory and origin controls, the lines of its
// memos, the picture previews.
#pragma once

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editing/RecipeFields.h"
#include "ui/MainWindow.h"

namespace zestovar::editing {

// The text of a category box while no category is chosen.
inline constexpr char16_t kChooseCategory[] = u"Kategorie wählen";
inline constexpr char16_t kSavedMessage[] = u"Rezept gespeichert";

// The 23 origin values, in the order of the recipe lists.
QStringList originTexts();
// The category names in the order of the category boxes.
QStringList categoryTexts();

// Fills a subcategory list for the category text, compared exactly: unticked names in the order
// of the recipe lists, in two columns ("Getränke", which has few, in one). Any other text leaves
// the list empty.
void fillSubcategories(QListWidget* list, const QString& category);
std::vector<Subcategory> subcategoryItems(const QListWidget* list);

// The lines of a memo, without the empty line after a final line break, as a memo of lines reads
// them; setMemoLines is its inverse, also for lines whose last one is empty. Texts are Windows-1252.
std::vector<std::string> memoLines(const QPlainTextEdit* memo);
void setMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines);
// The lines of a memo as it shows them, each with how it ends; the last one ends the text. Where
// the memo wraps words, these are its display lines.
std::vector<ShownLine> shownMemoLines(const QPlainTextEdit* memo);
// Puts paragraphs into a memo, one a paragraph, the last one also when it is empty.
void setMemoParagraphs(QPlainTextEdit* memo, const std::vector<std::string>& paragraphs);

// Typed or pasted line breaks become blanks in a field of one line.
void keepOneLine(QLineEdit* field);

// Runs handler for Enter and Return in a field, in place of what the field itself would do.
void onEnter(QWidget* field, std::function<void()> handler);

// Decodes picture bytes for a preview whose longer edge is edge; throws PictureError.
QImage previewImage(std::string_view bytes, int edge);
// The preview of a picture file for the picture dialog: a null image for a file that cannot be read
// or decoded.
ui::PicturePreview picturePreview(store::Files& files, int edge);
// Shows a picture centred and scaled proportionally to the preview's area.
void showPicture(QLabel* preview, const QImage& picture);
std::filesystem::path toPath(const QString& path);

}  // namespace zestovar::editing
