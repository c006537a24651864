// The update tab on the started program against a recipe web site served on 127.0.0.1: the offer, its
// filters and order, downloads into "zsv.dat", "Abbrechen", and downloads that are refused.
#include <QHeaderView>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <memory>
#include <thread>

#include "LocalServers.h"
#include "PlantedLink.h"
#include "ProgramFixture.h"
#include "StoreFixtures.h"
#include "TestHttpServer.h"
#include "ViewClicks.h"
#include "app/Application.h"
#include "editing/EditorTab.h"
#include "lists/ShoppingTab.h"
#include "online/NHU.h"
#include "online/UpdateTab.h"
#include "store/DeletedRecipes.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

using namespace zestovar::test;
using zestovar::ui::ScriptedPrompts;
using Kind = ScriptedPrompts::Kind;

namespace {

struct Published {
  EntryRecords entry;
  std::string date;
  std::string body;  // what the site sends for it; its records unless a test wants something else
  std::string status = "200 OK";
};

// A site of a few recipes: a list page, one download a recipe and a news page.
class Site {
 public:
  std::vector<Published> recipes;
  std::chrono::milliseconds delay{0};      // before each recipe
  std::chrono::milliseconds listDelay{0};  // before the list page
  std::string listStatus = "200 OK";

  Site() {
    add(named("Linsensuppe"), "12.2.2005");
    EntryRecords ilka = named("Soljanka");
    ilka.author = "Ilka";
    add(ilka, "3.11.2004");
    add(named("Zwiebelkuchen", "Backwaren"), "1.1.2005");
    add(named("Gulasch", "Hauptgericht"), "2.1.2005");
    server = std::make_unique<TestHttpServer>([this](const std::string& request) { return answer(request); });
  }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(server->port()); }
  std::string listPage() const {
    std::string page;
    for (std::size_t i = 0; i < recipes.size(); ++i) {
      const EntryRecords& e = recipes[i].entry;
      page += e.name + "\r\n" + e.author + "\r\n" + recipes[i].date + "\r\n" + url() + "/r/" + std::to_string(i) +
              "\r\n" + e.category + e.subcategories + "\r\n";
    }
    return page;
  }
  std::unique_ptr<TestHttpServer> server;

 private:
  void add(EntryRecords e, std::string date) {
    e.subcategories = e.category == "Suppe" ? " Suppen" : " Sonstiges";
    recipes.push_back({e, std::move(date), buildEntry(e)});
  }
  std::optional<std::string> answer(const std::string& request) {
    if (request.starts_with("GET /zestovar3/rezeptlist.htm ")) {
      std::this_thread::sleep_for(listDelay);
      return TestHttpServer::reply(listStatus, listPage());
    }
    if (request.starts_with("GET /zestovar3/zestovarnews.htm "))
      return TestHttpServer::reply("200 OK", "Neu: www.rezepte.invalid/neu\r\nEnde");
    for (std::size_t i = 0; i < recipes.size(); ++i)
      if (request.starts_with("GET /r/" + std::to_string(i) + " ")) {
        std::this_thread::sleep_for(delay);
        return TestHttpServer::reply(recipes[i].status, recipes[i].body);
      }
    return TestHttpServer::reply("404 Not Found", "weg");
  }
};

void tick(QTreeWidget* view, const QString& name) {
  for (int i = 0; i < view->topLevelItemCount(); ++i)
    if (view->topLevelItem(i)->text(0) == name) view->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

// The text of a failed fetch of that address, as the transport gives it.
QString fetchErrorText(const std::string& url) { return QString::fromStdString(fetchError(url)); }
// Numbers (a port, a time) as #.
QString withoutNumbers(QString text) {
  return text.replace(QRegularExpression(QStringLiteral("[0-9]+")), QStringLiteral("#"));
}

// The program on a directory whose main recipe file holds Gulasch by Quenna and whose deleted recipes
// hold Zwiebelkuchen by Quenna, pointed at the site.
class Started : public StartedProgram {
 public:
  explicit Started(Site& site)
      : StartedProgram({{"Zestovar.dat", buildEntry(named("Gulasch", "Hauptgericht"))},
                        {"DelRez.dat", "Zwiebelkuchen\r\nQuenna\r\n"}}) {
    tab().setSiteUrl(site.url());
  }
  zestovar::online::UpdateTab& tab() { return program.updateTab(); }
  // With no deleted recipes, so the check offers Linsensuppe, Soljanka and Zwiebelkuchen.
  void forgetDeleted() {
    dir.write("DelRez.dat", "");
    program.deletedRecipes().load();
  }
  // The main window on screen with this tab in front, for clicks at places the layout decides.
  void showTab() {
    main().resize(1000, 700);
    main().show();
    main().showTab(zestovar::ui::MainWindow::kTabUpdate);
  }
};

const QStringList kAllThree{QStringLiteral("Linsensuppe"), QStringLiteral("Soljanka"), QStringLiteral("Zwiebelkuchen")};

}  // namespace

class UpdateTabTest : public QObject {
  Q_OBJECT

 private slots:
  void checkOffersWhatIsNotKnownHereInTheFiltersAndOrderChosen();
  void downloadAppendsExactlyTheTickedRecipes();
  void abbrechenStopsAfterTheDownloadOnItsWay();
  void aFailedListPageEndsTheCheckBeforeTheView();
  void afterAFailedDownloadEachItemFetchesItsOwnRecipe();
  void refusedDownloadLeavesTheUpdateFileUnchanged();
  void downloadFileReplacesALinkPlacedUnderItsName();
  void whileATransferWaitsNothingChangesTheFiles();
  // Last: it ends the application's event loop.
  void closingTheMainWindowAbortsTheTransfer();
};

void UpdateTabTest::checkOffersWhatIsNotKnownHereInTheFiltersAndOrderChosen() {
  Site site;
  Started s(site);
  auto& tab = s.tab();
  QVERIFY(!tab.BitBtn1->isEnabled());
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
  // Gulasch is here, Zwiebelkuchen was deleted: neither is offered again.
  QCOMPARE(names(tab.ListView2), (QStringList{QStringLiteral("Linsensuppe"), QStringLiteral("Soljanka")}));
  QVERIFY(tab.BitBtn1->isEnabled() && tab.BitBtn3->isEnabled() && tab.BitBtn4->isEnabled());
  QVERIFY(tab.RadioButton7->isChecked());
  QCOMPARE(tab.ListView2->topLevelItem(0)->text(2), QStringLiteral("12.2.2005"));
  QCOMPARE(tab.ListView2->topLevelItem(0)->text(4), QStringLiteral("Suppe Suppen"));
  const TForm7& news = s.program.newsWindow();
  QVERIFY(news.isVisible());
  QCOMPARE(news.Memo1->toPlainText(), QStringLiteral("Neu: www.rezepte.invalid/neu\nEnde"));

  s.forgetDeleted();
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  QCOMPARE(names(tab.ListView2), kAllThree);
  s.showTab();
  const QStringList byDate{QStringLiteral("Soljanka"), QStringLiteral("Zwiebelkuchen"), QStringLiteral("Linsensuppe")};
  clickHeader(tab.ListView2, 2);  // "Datum": 3.11.2004, 1.1.2005, 12.2.2005
  QCOMPARE(names(tab.ListView2), byDate);
  clickHeader(tab.ListView2, 2);  // a second click sorts the same way again
  QCOMPARE(names(tab.ListView2), byDate);
  clickHeader(tab.ListView2, 0);  // "Name"
  QCOMPARE(names(tab.ListView2), kAllThree);

  tab.RadioButton2->click();  // "Suppen"
  QCOMPARE(tab.CheckListBox2->count(), 3);
  for (int i = 0; i < 3; ++i) QCOMPARE(tab.CheckListBox2->item(i)->checkState(), Qt::Checked);
  QCOMPARE(names(tab.ListView2), (QStringList{QStringLiteral("Linsensuppe"), QStringLiteral("Soljanka")}));
  QTest::mouseClick(tab.SpeedButton3, Qt::LeftButton);  // all ticked: untick all
  QCOMPARE(tab.ListView2->topLevelItemCount(), 0);
  QTest::mouseClick(tab.SpeedButton3, Qt::LeftButton);
  QCOMPARE(tab.ListView2->topLevelItemCount(), 2);
  tab.RadioButton5->click();  // "Backwaren": "Sonstiges" is ticked
  QCOMPARE(names(tab.ListView2), QStringList{QStringLiteral("Zwiebelkuchen")});
  tab.RadioButton7->click();
  QCOMPARE(tab.CheckListBox2->count(), 0);
  QCOMPARE(tab.ListView2->topLevelItemCount(), 3);
  QTest::mouseClick(tab.BitBtn3, Qt::LeftButton);
  for (int i = 0; i < 3; ++i) QCOMPARE(tab.ListView2->topLevelItem(i)->checkState(0), Qt::Checked);
  QTest::mouseClick(tab.BitBtn4, Qt::LeftButton);
  for (int i = 0; i < 3; ++i) QCOMPARE(tab.ListView2->topLevelItem(i)->checkState(0), Qt::Unchecked);
}

void UpdateTabTest::downloadAppendsExactlyTheTickedRecipes() {
  Site site;
  Started s(site);
  const std::string before = buildEntry(named("Erbsensuppe"));
  s.dir.write("zsv.dat", before);
  auto& tab = s.tab();
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  tick(tab.ListView2, QStringLiteral("Soljanka"));
  tick(tab.ListView2, QStringLiteral("Linsensuppe"));
  s.main().Suppen1->trigger();
  s.main().showTab(zestovar::ui::MainWindow::kTabUpdate);
  QTest::mouseClick(tab.BitBtn1, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
  QCOMPARE(s.prompts().texts(Kind::Message).last(), QStringLiteral("Quenna`s Zestovar wurde upgedatet."));
  // In view order: Linsensuppe, then Soljanka.
  QVERIFY(s.dir.read("zsv.dat") == before + site.recipes[0].body + site.recipes[1].body);
  QVERIFY(!s.dir.has("newzsv.dat"));
  QCOMPARE(s.main().windowTitle(), QStringLiteral("Quenna's Zestovar"));
  QCOMPARE(s.main().PageControl1->currentIndex(), 0);
  QCOMPARE(tab.ListView2->topLevelItemCount(), 0);
  QVERIFY(!tab.BitBtn1->isEnabled());
  const auto browse = s.program.recipeTab().ListBox3;
  QCOMPARE(browse->count(), 3);  // Erbsensuppe, Linsensuppe, Soljanka
  // The downloaded recipes leave the offer: a filter never shows them again.
  QCOMPARE(tab.offer().size(), std::size_t{0});
  tab.RadioButton2->click();
  QCOMPARE(tab.ListView2->topLevelItemCount(), 0);

  // "OK" with nothing ticked fetches nothing and still lists and reports.
  const std::size_t requests = site.server->requests().size();
  tab.BitBtn1->setEnabled(true);
  QTest::mouseClick(tab.BitBtn1, Qt::LeftButton);
  QCOMPARE(site.server->requests().size(), requests);
  QCOMPARE(s.prompts().texts(Kind::Message).last(), QStringLiteral("Quenna`s Zestovar wurde upgedatet."));
}

void UpdateTabTest::abbrechenStopsAfterTheDownloadOnItsWay() {
  Site site;
  site.recipes.push_back({named("Borschtsch"), "1.1.2006", buildEntry(named("Borschtsch"))});
  Started s(site);
  auto& tab = s.tab();
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  for (const char* name : {"Linsensuppe", "Soljanka", "Borschtsch"}) tick(tab.ListView2, QString::fromUtf8(name));
  site.delay = std::chrono::milliseconds(600);
  QString caption;
  QTimer::singleShot(150, &tab, [&] {
    caption = s.main().windowTitle();
    QTest::mouseClick(tab.BitBtn2, Qt::LeftButton);
  });
  QTest::mouseClick(tab.BitBtn1, Qt::LeftButton);
  QCOMPARE(caption, QStringLiteral("Noch 3 Rezepte übrig"));
  QCOMPARE(s.prompts().texts(Kind::Message), QStringList{QStringLiteral("Download-Vorgang wurde abgebrochen.")});
  QCOMPARE(s.main().windowTitle(), QStringLiteral("Quenna's Zestovar"));
  // The first recipe (Borschtsch, first by name) is in and has left the view; the rest stays as it was.
  QVERIFY(s.dir.read("zsv.dat") == site.recipes[4].body);
  QCOMPARE(names(tab.ListView2), (QStringList{QStringLiteral("Linsensuppe"), QStringLiteral("Soljanka")}));
}

void UpdateTabTest::aFailedListPageEndsTheCheckBeforeTheView() {
  Site site;
  site.listStatus = "404 Not Found";
  Started s(site);
  auto& tab = s.tab();
  const QString error = fetchErrorText(site.url() + "/zestovar3/rezeptlist.htm");
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{error});
  QCOMPARE(tab.ListView2->topLevelItemCount(), 0);
  QVERIFY(tab.BitBtn1->isEnabled() && tab.BitBtn3->isEnabled() && tab.BitBtn4->isEnabled());
  // The news come after the view: neither fetched nor shown.
  QCOMPARE(site.server->requests().size(), std::size_t{2});  // the probe's and the check's
  QVERIFY(!s.program.newsWindow().isVisible());
}

// Once a download failed part-way and the next check could not reach the list page, the view is one
// the offer no longer matches: each item still fetches its own recipe.
void UpdateTabTest::afterAFailedDownloadEachItemFetchesItsOwnRecipe() {
  Site site;
  Started s(site);
  s.forgetDeleted();
  s.showTab();
  auto& tab = s.tab();
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  clickCheckBox(tab.ListView2, QStringLiteral("Linsensuppe"));
  clickCheckBox(tab.ListView2, QStringLiteral("Soljanka"));
  site.recipes[1].status = "500 Internal Server Error";  // Soljanka
  const QString failed = fetchErrorText(site.url() + "/r/1");
  QTest::mouseClick(tab.BitBtn1, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{failed});
  QVERIFY(s.dir.read("zsv.dat") == site.recipes[0].body);
  // Linsensuppe has left the view with the offer; Soljanka waits with its tick.
  QCOMPARE(names(tab.ListView2), (QStringList{QStringLiteral("Soljanka"), QStringLiteral("Zwiebelkuchen")}));
  QCOMPARE(tab.offer().size(), std::size_t{2});
  QVERIFY(!tab.BitBtn1->isEnabled());

  const std::string unreachable = "http://127.0.0.1:" + std::to_string(freePort());
  tab.setSiteUrl(unreachable);
  s.prompts().clear();
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error).size(), 1);
  QCOMPARE(withoutNumbers(s.prompts().texts(Kind::Error).front()),
           withoutNumbers(fetchErrorText(unreachable + "/zestovar3/rezeptlist.htm")));
  QCOMPARE(names(tab.ListView2), (QStringList{QStringLiteral("Soljanka"), QStringLiteral("Zwiebelkuchen")}));
  QVERIFY(tab.BitBtn1->isEnabled());

  site.recipes[1].status = "200 OK";
  QTest::mouseClick(tab.BitBtn4, Qt::LeftButton);
  clickCheckBox(tab.ListView2, QStringLiteral("Soljanka"));
  const std::size_t before = site.server->requests().size();
  s.prompts().clear();
  QTest::mouseClick(tab.BitBtn1, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
  const auto requests = site.server->requests();
  QCOMPARE(requests.size(), before + 1);
  QVERIFY(requests.back().starts_with("GET /r/1 "));
  QVERIFY(s.dir.read("zsv.dat") == site.recipes[0].body + site.recipes[1].body);
  // What is left on offer is what was not downloaded.
  QCOMPARE(tab.offer().size(), std::size_t{1});
  QCOMPARE(tab.offer().front().name, std::string("Zwiebelkuchen"));
}

void UpdateTabTest::refusedDownloadLeavesTheUpdateFileUnchanged() {
  Site site;
  site.recipes[0].body = "<html><body>Die Seite gibt es nicht mehr</body></html>";
  site.recipes[1].body = buildEntry(site.recipes[1].entry).substr(0, 9 * 51);  // cut short
  Started s(site);
  const std::string before = buildEntry(named("Erbsensuppe"));
  s.dir.write("zsv.dat", before);
  auto& tab = s.tab();
  QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
  for (const char* name : {"Linsensuppe", "Soljanka"}) {
    tab.BitBtn1->setEnabled(true);
    tab.BitBtn4->click();
    tick(tab.ListView2, QString::fromUtf8(name));
    s.prompts().clear();
    QTest::mouseClick(tab.BitBtn1, Qt::LeftButton);
    QCOMPARE(s.prompts().texts(Kind::Error).size(), 1);
    QVERIFY(s.prompts()
                .texts(Kind::Error)
                .front()
                .startsWith(QStringLiteral("Das heruntergeladene Rezept ist unvollständig oder kein Rezept")));
    QVERIFY(s.dir.read("zsv.dat") == before);
    QVERIFY(!s.dir.has("newzsv.dat"));
  }
}

void UpdateTabTest::downloadFileReplacesALinkPlacedUnderItsName() {
  Site site;
  Started s(site);
  auto& tab = s.tab();
  std::string expected;
  for (const auto& [index, to] : {std::pair{0, PlantedLink::To::File}, std::pair{1, PlantedLink::To::Nowhere}}) {
    const PlantedLink link(s.dir / "newzsv.dat", to);
    QTest::mouseClick(tab.BitBtn8, Qt::LeftButton);
    tick(tab.ListView2, QString::fromStdString(site.recipes[index].entry.name));
    QTest::mouseClick(tab.BitBtn1, Qt::LeftButton);
    QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
    expected += site.recipes[index].body;
    QVERIFY(s.dir.read("zsv.dat") == expected);
    QCOMPARE(link.problems(false), std::string());
  }
}

void UpdateTabTest::whileATransferWaitsNothingChangesTheFiles() {
  Site site;
  site.listDelay = std::chrono::milliseconds(500);
  Started s(site);
  auto& shopping = s.program.shoppingTab();
  auto& editor = s.program.editorTab();
  bool tried = false;
  QTimer::singleShot(100, &s.tab(), [&] {
    shopping.Edit6->setText(QStringLiteral("500 g Mehl"));
    shopping.Button6->click();
    editor.BitBtn10->click();
    s.tab().BitBtn8->click();  // a second check
    tried = true;
  });
  QTest::mouseClick(s.tab().BitBtn8, Qt::LeftButton);
  QVERIFY(tried);
  QVERIFY(!s.dir.has("EList.dat"));
  QCOMPARE(shopping.ListBox2->count(), 0);
  QCOMPARE(s.prompts().texts(Kind::Message), QStringList{});  // the editor did not even check its fields
  QCOMPARE(site.server->requests().size(), std::size_t{2});   // the list page and the news, once
  // Afterwards the same actions work.
  shopping.Button6->click();
  QVERIFY(s.dir.has("EList.dat"));
}

void UpdateTabTest::closingTheMainWindowAbortsTheTransfer() {
  Site site;
  site.listDelay = std::chrono::milliseconds(3000);
  Started s(site);
  QTimer::singleShot(100, &s.tab(), [&] { s.main().close(); });
  const auto start = std::chrono::steady_clock::now();
  QTest::mouseClick(s.tab().BitBtn8, Qt::LeftButton);
  QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::milliseconds(2000));
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
  QCOMPARE(s.tab().ListView2->topLevelItemCount(), 0);
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  UpdateTabTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "UpdateTabTest.moc"
