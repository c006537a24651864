#include "app/Program.h"

#include <QCoreApplication>
#include <QFile>
#include <string>
#include <vector>

#include "BuildValues.h"

#include "accessories/OHU.h"
#include "accessories/WCIU.h"
#include "editing/EditorTab.h"
#include "editing/HHU2.h"
#include "exchange/ImportCommand.h"
#include "exchange/WebImportCommand.h"
#include "lists/Bookmarks.h"
#include "lists/ShoppingTab.h"
#include "lists/VHU.h"
#include "online/HttpClient.h"
#include "online/NHU.h"
#include "online/ProxE.h"
#include "online/ProxySettings.h"
#include "online/PublishTab.h"
#include "online/RecipeMail.h"
#include "online/SmtpClient.h"
#include "online/UpdateTab.h"
#include "store/DeletedRecipes.h"
#include "ui/Guarded.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"
#include "views/Splash.h"

namespace zestovar::app {

using RecipeList = ui::MainWindow::RecipeList;

Program::Program(std::filesystem::path programDir, ui::Prompts& prompts, int splashMs) : prompts_(prompts) {
  // The main window is created first and runs its creation handling with its pages in place; the
  // splash follows it, so it shows before the main window does.
  // The one HTTP client of the run: its cookies and proxy settings live as long as the program.
  http_ = std::make_unique<online::HttpClient>();
  // Between two slices of a transfer's wait the windows handle their events.
  http_->betweenSlices = [] { QCoreApplication::processEvents(); };
  smtp_ = std::make_unique<online::SmtpClient>();
  smtp_->betweenSlices = [] { QCoreApplication::processEvents(); };
  mainWindow_ = std::make_unique<TForm1>(std::move(programDir), prompts);
  deletedRecipes_ = std::make_unique<store::DeletedRecipes>(mainWindow_->files(), mainWindow_->programDir());
  buildPages();
  connectPages();
  mainWindow_->FormCreate();

  newsWindow_ = std::make_unique<TForm7>(prompts, mainWindow_.get());
  aboutWindow_ = std::make_unique<TInfoForm>(prompts, build::kMakerUrl);
  printPreview_ = std::make_unique<TForm4>(mainWindow_->prompts(), mainWindow_->programDir(), mainWindow_.get());
  splash_ = std::make_unique<TForm11>(splashMs);
  proxyWindow_ = std::make_unique<TForm17>(*http_, mainWindow_->files(), mainWindow_->programDir(), prompts);
  // The launchers start the program file this run was started from.
  optionsWindow_ = std::make_unique<TForm12>(
      *mainWindow_, *deletedRecipes_,
      std::filesystem::path(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString()),
      mainWindow_.get());
  changeDialog_ = std::make_unique<TForm14>(*mainWindow_, mainWindow_.get());
  connectWindows();
  // Closing the main window ends the program: a transfer on its way is aborted first.
  QObject::connect(mainWindow_.get(), &TForm1::closed, QCoreApplication::instance(), [this] {
    http_->abort();
    smtp_->abort();
    webImportCommand_->abort();
    QCoreApplication::quit();
  });
}

Program::~Program() = default;

void Program::buildPages() {
  TForm1& main = *mainWindow_;
  recipeTab_ = new views::RecipeTab(main);
  updateTab_ = new online::UpdateTab(main, *http_, *deletedRecipes_, build::kSiteUrl);
  const online::MailSettings mail{{build::kSmtpHost, build::kSmtpPort, build::kSmtpAccount, build::kSmtpPassword},
                                  build::kSiteMailbox,
                                  build::kOperatorMailbox,
                                  build::kVersion};
  publishTab_ = new online::PublishTab(main, *http_, *smtp_, build::kSiteUrl, mail);
  recipeMail_ = new online::RecipeMail(main, *smtp_, build::kSiteUrl, build::kMakerUrl, mail, &main);
  editorTab_ = new editing::EditorTab(main, *deletedRecipes_);
  shoppingTab_ = new lists::ShoppingTab(main);
  bookmarks_ = new lists::Bookmarks(main, &main);
  importCommand_ = new exchange::ImportCommand(main, &main);
  webImportCommand_ = new exchange::WebImportCommand(
      main, *editorTab_,
      [http = http_.get()](const std::string& address, exchange::WebResourceKind kind,
                           const std::function<void()>& betweenSlices) {
        const std::size_t cap =
            kind == exchange::WebResourceKind::Page ? online::kMaxWebPageBytes : online::kMaxWebPictureBytes;
        online::WebReply reply = http->fetchWeb(address, cap, betweenSlices);
        return exchange::WebResource{std::move(reply.body), std::move(reply.address), std::move(reply.contentType)};
      },
      &main);
  main.setPages({recipeTab_, updateTab_, publishTab_, editorTab_, shoppingTab_});
  // Reading a fetched page counts as part of its transfer.
  main.setTransferRunning([this] { return http_->busy() || smtp_->busy() || webImportCommand_->running(); });
  main.setStartupHooks({[this, &main] { online::loadProxySettings(*http_, main.files(), main.programDir()); },
                        [shopping = shoppingTab_] { shopping->loadShoppingList(); },
                        [deleted = deletedRecipes_.get()] { deleted->load(); }});
}

void Program::connectPages() {
  TForm1& main = *mainWindow_;
  // Each connection lives as long as the object that handles it.
  auto on = [this](auto* sender, auto signal, QObject* handlerObject, auto handle) {
    QObject::connect(sender, signal, handlerObject, ui::guarded(prompts_, std::move(handle)));
  };
  const std::pair<const views::RecipeTab::ListMenu*, RecipeList> menus[] = {
      {&recipeTab_->PopupMenu1, RecipeList::Browse},
      {&recipeTab_->PopupMenu2, RecipeList::Result},
      {&recipeTab_->PopupMenu3, RecipeList::Bookmark}};
  for (const auto& [menu, list] : menus) {
    on(menu->remove, &QAction::triggered, editorTab_, [editor = editorTab_, list] { editor->EntfernenClick(list); });
    on(menu->change, &QAction::triggered, editorTab_, [editor = editorTab_, list] { editor->ndernClick(list); });
    on(menu->bookmark, &QAction::triggered, bookmarks_,
       [bookmarks = bookmarks_, list] { bookmarks->AufdieMerklistesetzenClick(list); });
    on(menu->unbookmark, &QAction::triggered, bookmarks_,
       [bookmarks = bookmarks_, list] { bookmarks->VonderMerklistelschenClick(list); });
    on(menu->toShoppingList, &QAction::triggered, shoppingTab_,
       [shopping = shoppingTab_, list] { shopping->ZutatenzurEinkaufslistehinzufgenClick(list); });
  }

  QObject::connect(recipeTab_, &views::RecipeTab::shoppingBlockWanted, shoppingTab_,
                   [this, shopping = shoppingTab_](const QString& name, double factor) {
                     ui::guarded(prompts_, [&] { shopping->addRecipeBlock(name, factor); })();
                   });

  // The bookmarks of a deleted recipe taken out of the bookmark list are written before the browse
  // list is filled again.
  editorTab_->removedFromList = [bookmarks = bookmarks_](RecipeList list, const std::vector<std::string>& left) {
    bookmarks->removedFromList(list, left);
  };

  // A switch of tabs by hand to the bookmark tab or the publish tab runs that tab's change handling;
  // the two menu entries that switch to them call it themselves, since a switch from code runs none.
  on(recipeTab_->PageControl2, &QTabWidget::currentChanged, bookmarks_, [recipe = recipeTab_, bookmarks = bookmarks_] {
    if (recipe->PageControl2->currentWidget() == recipe->TabSheet8) bookmarks->PageControl2Change();
  });
  on(main.PageControl1, &QTabWidget::currentChanged, publishTab_, [&main, publish = publishTab_] {
    if (main.PageControl1->currentWidget() == main.TabSheet3) publish->PageControl1Change();
  });
  on(main.Merkliste1, &QAction::triggered, bookmarks_, [&main, bookmarks = bookmarks_] {
    main.showTab(ui::MainWindow::kInnerBookmarks);
    bookmarks->PageControl2Change();
  });
  on(main.Rezepteimportieren1, &QAction::triggered, importCommand_,
     [command = importCommand_] { command->Rezepteimportieren1Click(); });
  on(main.RezeptausdemInternet1, &QAction::triggered, webImportCommand_,
     [command = webImportCommand_] { command->RezeptausdemInternet1Click(); });
  on(main.AlseMailversenden1, &QAction::triggered, recipeMail_,
     [mail = recipeMail_] { mail->AlseMailversenden1Click(); });
  on(main.Rezepteonlinestellen1, &QAction::triggered, publishTab_, [&main, publish = publishTab_] {
    main.showTab(ui::MainWindow::kTabPublish);
    publish->PageControl1Change();
  });
}

void Program::connectWindows() {
  editorTab_->setChangeDialog(changeDialog_.get());
  updateTab_->setNewsWindow(newsWindow_.get());
  shoppingTab_->setPrintPreview(printPreview_.get());
  TForm1& main = *mainWindow_;
  const std::pair<QAction*, QWidget*> windows[] = {
      {main.Proxy1, proxyWindow_.get()}, {main.Optionen2, optionsWindow_.get()}, {main.N2, aboutWindow_.get()}};
  for (const auto& [action, window] : windows)
    QObject::connect(action, &QAction::triggered, window, ui::guarded(prompts_, [window] { window->show(); }));
}

void Program::show() { mainWindow_->show(); }

}  // namespace zestovar::app
