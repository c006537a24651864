// The recipe page, browsing and search handlers on real widgets, headless, against program
// directories built record by record in the test.
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>
#include <filesystem>

#include "PlantedLink.h"
#include "ProgramFixture.h"
#include "ScriptedPrompts.h"
#include "StoreFixtures.h"
#include "app/Application.h"
#include "lists/ShoppingTab.h"
#include "ui/TextCodec.h"
#include "views/DefaultPicture.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

using zestovar::test::EntryRecords;
using zestovar::ui::ScriptedPrompts;
using zestovar::views::RecipeTab;
namespace fs = std::filesystem;

using zestovar::test::texts;

namespace {

using Kind = ScriptedPrompts::Kind;

EntryRecords recipe(const std::string& name, const std::string& category, const std::string& subcategories) {
  EntryRecords e = zestovar::test::named(name, category);
  e.subcategories = subcategories;
  return e;
}

EntryRecords withPicture(EntryRecords e, std::size_t size) {
  e.pictureKind = EntryRecords::Picture::Bytes;
  e.picture = zestovar::test::pictureBytes(size);
  e.picture[0] = static_cast<char>(size % 251);  // pictures of different recipes differ
  return e;
}

// The picture bytes the viewer holds for "Image.jpg" of the page it shows.
QByteArray shownPicture(RecipeTab& form) {
  const QUrl url = form.WebBrowser1->source().resolved(QUrl(QStringLiteral("Image.jpg")));
  return form.WebBrowser1->document()->resource(QTextDocument::ImageResource, url).toByteArray();
}

// The program started on a directory holding the two recipe files given.
class Fixture : public zestovar::test::StartedProgram {
 public:
  explicit Fixture(const std::string& mainFile, const std::string& updateFile = {})
      : StartedProgram({{"Zestovar.dat", mainFile}, {"zsv.dat", updateFile}}) {}
  fs::path operator/(const char* name) const { return dir / name; }
  RecipeTab& tab() { return recipes(); }
};

void setTick(RecipeTab& form, const QString& name, bool ticked) {
  const auto items = form.CheckListBox1->findItems(name, Qt::MatchExactly);
  QVERIFY(!items.isEmpty());
  items.front()->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);  // emits the tick change as a user's click
}

}  // namespace

class RecipeViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsTheFirstRecipeWithItsPictureAndNeverAStaleOne();
  void subcategoryFilterNarrowsAndRestoresTheList();
  void listClicksAndKeyReleasesShowTheSelectedRecipe();
  void pageAndPictureTakeThePlaceOfLinksPlacedUnderTheirNames();
  void brokenUpdateEntryIsNamedAndThePageStillShows();
  void searchHintClearingMessagesAndResults();
  void umlautBoxLetsDigraphsFindUmlauts();
  void printPreviewPaintsTheShownPage();
  void personsBoxScalesThePageAndTheShoppingBlock();
};

void RecipeViewsTest::startUpShowsTheFirstRecipeWithItsPictureAndNeverAStaleOne() {
  const EntryRecords bread = withPicture(recipe("Bauernbrot", "Backwaren", " Brot"), 120);
  const EntryRecords cake = withPicture(recipe("Birnenkuchen", "Backwaren", " Kuchen"), 200);
  Fixture f(zestovar::test::buildEntry(recipe("Zwieback", "Backwaren", " Sonstiges")) +
            zestovar::test::buildEntry(bread) + zestovar::test::buildEntry(cake));
  RecipeTab& form = f.tab();
  QCOMPARE(texts(form.ListBox3),
           (QStringList{QStringLiteral("Bauernbrot"), QStringLiteral("Birnenkuchen"), QStringLiteral("Zwieback")}));
  QVERIFY(form.ListBox3->selectedItems().isEmpty());
  QCOMPARE(form.WebBrowser1->source().fileName(), QStringLiteral("Rezept.htm"));
  QVERIFY(f.read("Rezept.htm").starts_with("<body><font size=\"3\"><b>Bauernbrot</b>"));
  QCOMPARE(f.read("Image.jpg"), bread.picture);
  QCOMPARE(shownPicture(form), QByteArray::fromStdString(bread.picture));
  QVERIFY(form.WebBrowser1->toPlainText().contains(QStringLiteral("Autor: Quenna")));
  form.showRecipe(QStringLiteral("Birnenkuchen"));
  QCOMPARE(shownPicture(form), QByteArray::fromStdString(cake.picture));
  // Without a picture the default picture is written, but the page shows none.
  form.showRecipe(QStringLiteral("Zwieback"));
  QCOMPARE(f.read("Image.jpg"), std::string(zestovar::embedded::defaultPicture()));
  QVERIFY(f.read("Rezept.htm").find("<img") == std::string::npos);
}

void RecipeViewsTest::subcategoryFilterNarrowsAndRestoresTheList() {
  std::string drinks;
  drinks += zestovar::test::buildEntry(recipe("Mojito", "Getr\xe4nke", " Cocktails"));
  drinks += zestovar::test::buildEntry(recipe("Kinderpunsch", "Getr\xe4nke", " unalk_Cocktails"));
  drinks += zestovar::test::buildEntry(recipe("Erdbeerbowle", "Getr\xe4nke", " Bowle"));
  drinks += zestovar::test::buildEntry(recipe("Mojito Soup", "Suppe", " Cocktails"));  // another category
  Fixture f(drinks);
  RecipeTab& form = f.tab();
  form.chooseCategory(QStringLiteral("Getränke"));
  QCOMPARE(texts(form.CheckListBox1), (QStringList{QStringLiteral("Bowle"), QStringLiteral("Cocktails"),
                                                   QStringLiteral("Shakes"), QStringLiteral("Sonstiges"),
                                                   QStringLiteral("unalk_Bowle"), QStringLiteral("unalk_Cocktails")}));
  QCOMPARE(form.ListBox3->count(), 3);

  const QLabel* status = f.main().findChild<QLabel*>(QStringLiteral("StatusPanel1"));
  form.SpeedButton1Click();  // all ticked: untick all
  QCOMPARE(form.ListBox3->count(), 0);
  QCOMPARE(status->text(), QStringLiteral("0 Rezepte"));
  setTick(form, QStringLiteral("Cocktails"), true);  // also finds unalk_Cocktails
  QCOMPARE(texts(form.ListBox3), (QStringList{QStringLiteral("Kinderpunsch"), QStringLiteral("Mojito")}));
  QCOMPARE(status->text(), QStringLiteral("2 Rezepte"));
  QVERIFY(f.read("Rezept.htm").find("<b>Kinderpunsch</b>") != std::string::npos);
  setTick(form, QStringLiteral("Cocktails"), false);
  setTick(form, QStringLiteral("Bowle"), true);
  QCOMPARE(texts(form.ListBox3), QStringList{QStringLiteral("Erdbeerbowle")});
  QCOMPARE(status->text(), QStringLiteral("1 Rezept"));

  form.SpeedButton1Click();  // not all ticked: tick all, the whole category again
  QCOMPARE(form.ListBox3->count(), 3);
  QCOMPARE(status->text(), QStringLiteral("3 Rezepte"));

  // Typing into the category box runs the category change for every change of the text.
  QTest::keyClicks(form.ComboBox1->lineEdit(), QStringLiteral("x"));
  QCOMPARE(form.currentCategory(), zestovar::ui::toCp1252(form.ComboBox1->currentText()));
  QCOMPARE(form.CheckListBox1->count(), 0);
  QCOMPARE(form.ListBox3->count(), 0);
  QVERIFY(f.prompts().texts(Kind::Error).isEmpty());
}

void RecipeViewsTest::listClicksAndKeyReleasesShowTheSelectedRecipe() {
  std::string many;
  for (int i = 0; i < 21; ++i)
    many += zestovar::test::buildEntry(recipe("Kuchen " + std::to_string(i), "Backwaren", " Kuchen"));
  Fixture f(many);
  RecipeTab& form = f.tab();
  QCOMPARE(form.ListBox3->item(0)->text(), QStringLiteral("A"));
  QCOMPARE(f.read("Rezept.htm"), std::string());  // the letter item "A" has no page

  QTest::keyClick(form.ListBox3, Qt::Key_Shift);  // nothing selected: nothing happens
  QCOMPARE(f.read("Rezept.htm"), std::string());

  QListWidgetItem* item = form.ListBox3->findItems(QStringLiteral("Kuchen 7"), Qt::MatchExactly).front();
  form.ListBox3->scrollToItem(item);
  QTest::mouseClick(form.ListBox3->viewport(), Qt::LeftButton, {}, form.ListBox3->visualItemRect(item).center());
  QVERIFY(f.read("Rezept.htm").find("<b>Kuchen 7</b>") != std::string::npos);

  form.ListBox3->setCurrentRow(form.ListBox3->row(item) + 1);
  QTest::keyClick(form.ListBox3, Qt::Key_Down);
  const QString selected = form.ListBox3->selectedItems().front()->text();
  QVERIFY(f.read("Rezept.htm").find("<b>" + zestovar::ui::toCp1252(selected) + "</b>") != std::string::npos);
}

void RecipeViewsTest::pageAndPictureTakeThePlaceOfLinksPlacedUnderTheirNames() {
  using zestovar::test::PlantedLink;
  using To = PlantedLink::To;
  const EntryRecords bread = withPicture(recipe("Bauernbrot", "Backwaren", " Brot"), 120);
  const EntryRecords rusk = withPicture(recipe("Zwieback", "Backwaren", " Sonstiges"), 90);
  Fixture f(zestovar::test::buildEntry(bread) + zestovar::test::buildEntry(rusk));
  RecipeTab& form = f.tab();
  f.prompts().clear();
  for (const auto& [shown, pageTo, pictureTo] :
       {std::tuple{&rusk, To::File, To::Nowhere}, std::tuple{&bread, To::Nowhere, To::File}}) {
    fs::remove(f / "Rezept.htm");
    fs::remove(f / "Image.jpg");
    const PlantedLink page(f / "Rezept.htm", pageTo);
    const PlantedLink picture(f / "Image.jpg", pictureTo);
    QListWidgetItem* item = form.ListBox3->findItems(QString::fromStdString(shown->name), Qt::MatchExactly).front();
    QTest::mouseClick(form.ListBox3->viewport(), Qt::LeftButton, {}, form.ListBox3->visualItemRect(item).center());
    QCOMPARE(page.problems(), std::string());
    QCOMPARE(picture.problems(), std::string());
    QVERIFY(f.read("Rezept.htm").find("<b>" + shown->name + "</b>") != std::string::npos);
    QCOMPARE(f.read("Image.jpg"), shown->picture);
    QCOMPARE(shownPicture(form), QByteArray::fromStdString(shown->picture));
  }
  QVERIFY(f.prompts().shown().isEmpty());
}

void RecipeViewsTest::brokenUpdateEntryIsNamedAndThePageStillShows() {
  EntryRecords broken = recipe("Kaputte Suppe", "Suppe", " Suppen");
  broken.n2Text = "zwei";
  Fixture f(zestovar::test::buildEntry(recipe("Linsensuppe", "Suppe", " Suppen")),
            zestovar::test::buildEntry(recipe("Erbsensuppe", "Suppe", " Suppen")) + zestovar::test::buildEntry(broken));
  RecipeTab& form = f.tab();
  f.prompts().clear();
  form.showRecipe(QStringLiteral("Linsensuppe"));
  // The walk goes on from where the error left it, so more messages may follow.
  QVERIFY(!f.prompts().texts(Kind::Message).isEmpty());
  QCOMPARE(f.prompts().texts(Kind::Message).front(), QStringLiteral("Kaputte Suppe"));
  QVERIFY(f.read("Rezept.htm").find("<b>Linsensuppe</b>") != std::string::npos);
}

void RecipeViewsTest::searchHintClearingMessagesAndResults() {
  EntryRecords soup = recipe("Tomatensuppe", "Suppe", " Suppen");
  soup.origin = "italienisch";
  Fixture f(zestovar::test::buildEntry(soup) +
            zestovar::test::buildEntry(recipe("Suchbegriff eingeben", "Dessert", " Eis")));
  RecipeTab& form = f.tab();
  f.main().showTab(TForm1::kTabShopping);
  f.prompts().clear();

  form.Button3Click();  // without a click the hint's own words are searched
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{QStringLiteral("1 Rezepte gefunden.")});
  QCOMPARE(texts(form.ListBox4), QStringList{QStringLiteral("Suchbegriff eingeben")});
  QCOMPARE(f.main().PageControl1->currentIndex(), int(TForm1::kTabRecipe));

  // The right button opens the field's context menu; only the left one's click clears the hint.
  QTest::mouseClick(form.Edit5, Qt::RightButton);
  QCOMPARE(form.Edit5->text(), QStringLiteral("Suchbegriff eingeben"));
  QTest::mouseClick(form.Edit5, Qt::LeftButton);
  QCOMPARE(form.Edit5->text(), QString());
  form.Button3Click();
  QCOMPARE(f.prompts().texts(Kind::Message).last(), QStringLiteral("Bitte einen Begriff eingeben"));
  QCOMPARE(form.ListBox4->count(), 1);  // the list keeps its names

  QTest::keyClicks(form.Edit5, QStringLiteral("ITALIENISCH"));
  QTest::mouseClick(form.Edit5, Qt::LeftButton);  // typed text is no hint: it stays
  form.ComboBox2->setCurrentText(QStringLiteral("Dessert"));
  form.Button3Click();
  QCOMPARE(f.prompts().texts(Kind::Message).last(), QStringLiteral("Keine Rezepte gefunden."));
  QCOMPARE(form.ListBox4->count(), 0);
  form.ComboBox2->setCurrentText(QStringLiteral("Alle"));
  form.RadioButton9->setChecked(true);
  form.Edit5->setText(QStringLiteral("nirgends italienisch"));
  form.Button3Click();
  QCOMPARE(texts(form.ListBox4), QStringList{QStringLiteral("Tomatensuppe")});
  QVERIFY(f.read("Rezept.htm").find("<b>Tomatensuppe</b>") != std::string::npos);
}

void RecipeViewsTest::umlautBoxLetsDigraphsFindUmlauts() {
  Fixture f(zestovar::test::buildEntry(recipe("K\xe4sesp\xe4tzle", "Hauptgericht", " Nudeln")) +
            zestovar::test::buildEntry(recipe("Kaesebrot", "Backwaren", " Brot")));
  RecipeTab& form = f.tab();
  form.PageControl2->setCurrentWidget(form.TabSheet7);
  QVERIFY(!form.CheckBoxUmlaute->isChecked());
  QCOMPARE(form.CheckBoxUmlaute->accessibleName(), QString::fromUtf8("ä = ae"));
  QTest::mouseClick(form.Edit5, Qt::LeftButton);
  QTest::keyClicks(form.Edit5, QStringLiteral("KAESE"));
  const auto search = [&] {
    f.prompts().clear();
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    return texts(form.ListBox4);
  };
  QCOMPARE(search(), QStringList{QStringLiteral("Kaesebrot")});
  QTest::mouseClick(form.CheckBoxUmlaute, Qt::LeftButton);
  QCOMPARE(search(), (QStringList{QStringLiteral("Kaesebrot"), QString::fromUtf8("Käsespätzle")}));
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{QStringLiteral("2 Rezepte gefunden.")});
  form.Edit5->selectAll();
  QTest::keyClick(form.Edit5, 'k');
  QTest::sendKeyEvent(QTest::Click, form.Edit5, Qt::Key_Adiaeresis, QString::fromUtf8("ä"), Qt::NoModifier);
  QTest::keyClicks(form.Edit5, QStringLiteral("seb"));
  QCOMPARE(search(), QStringList{QStringLiteral("Kaesebrot")});
}

void RecipeViewsTest::printPreviewPaintsTheShownPage() {
  Fixture f(zestovar::test::buildEntry(recipe("Zwieback", "Backwaren", " Sonstiges")));
  f.main().Drucken1->trigger();
  QCOMPARE(f.prompts().texts(Kind::Error), QStringList{});
  QCOMPARE(f.prompts().shown().back().kind, Kind::PrintPreview);
  QVERIFY(f.prompts().printedBytes() > 0);
}

void RecipeViewsTest::personsBoxScalesThePageAndTheShoppingBlock() {
  EntryRecords cake = recipe("Apfelkuchen", "Backwaren", " Kuchen");
  cake.ingredients = {"200 g Mehl", "3 Eier", "Zimt"};
  EntryRecords loaf = recipe("Stuten", "Backwaren", " Brot");
  loaf.persons = "ein Blech";
  Fixture f(zestovar::test::buildEntry(cake) + zestovar::test::buildEntry(loaf));
  RecipeTab& form = f.tab();
  const auto pageText = [&form] { return form.WebBrowser1->toPlainText(); };
  QVERIFY(form.PersonsBox->isEnabled());
  QCOMPARE(form.PersonsBox->value(), 4);
  const std::string plainPage = f.read("Rezept.htm");

  form.PersonsBox->setFocus();
  QTest::keyClick(form.PersonsBox, Qt::Key_Up);
  QVERIFY(pageText().contains(QStringLiteral("Zutaten für 5 Personen")));
  QTest::keyClick(form.PersonsBox, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(form.PersonsBox, QStringLiteral("2"));
  QCOMPARE(form.PersonsBox->value(), 2);
  QVERIFY(pageText().contains(QStringLiteral("100 g Mehl\n1,5 Eier\nZimt")));
  // "Drucken" prints the page as shown.
  f.main().Drucken1->trigger();
  QVERIFY(f.read("Rezept.htm").find("1,5 Eier<br>") != std::string::npos);

  QTest::mouseClick(form.ToShoppingListButton, Qt::LeftButton);
  QCOMPARE(texts(f.program.shoppingTab().ListBox2).join(u'|'),
           QStringLiteral("Apfelkuchen||100 g Mehl|1,5 Eier|Zimt||"));
  QCOMPARE(f.read("EList.dat"), "Apfelkuchen\r\n\r\n100 g Mehl\r\n1,5 Eier\r\nZimt\r\n\r\n\r\n");

  // Every recipe shown sets the box again; the recipe's own number gives its own page.
  form.showRecipe(QStringLiteral("Stuten"));
  QVERIFY(!form.PersonsBox->isEnabled());
  QVERIFY(form.ToShoppingListButton->isEnabled());
  form.showRecipe(QStringLiteral("Apfelkuchen"));
  QVERIFY(form.PersonsBox->isEnabled());
  QCOMPARE(form.PersonsBox->value(), 4);
  QCOMPARE(f.read("Rezept.htm"), plainPage);
  form.chooseCategory(QStringLiteral("Suppe"));  // a blank page
  QVERIFY(!form.PersonsBox->isEnabled());
  QVERIFY(!form.ToShoppingListButton->isEnabled());
  QCOMPARE(f.prompts().texts(Kind::Error), QStringList{});
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  RecipeViewsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "RecipeViewsTest.moc"
