// zestovar-tool: the recipe files of a program directory from the command line. It runs the same
// store code as the window program, so both behave alike. Output is UTF-8, one item a line.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "DemoSite.h"
#include "exchange/ForeignRecipe.h"
#include "exchange/Import.h"
#include "exchange/MealMasterExport.h"
#include "exchange/WebImport.h"
#include "exchange/WebPage.h"
#include "online/HttpClient.h"
#include "online/ProxySettings.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "store/Check.h"
#include "store/Cp1252.h"
#include "store/Errors.h"
#include "store/ProgramHome.h"
#include "store/RecipeStore.h"
#include "store/TextRecipe.h"
#include "views/DefaultPicture.h"
#include "views/RecipePage.h"
#include "views/RecipeSearch.h"

namespace fs = std::filesystem;
using namespace zestovar::store;

namespace {

constexpr int kUsage = 2;

int usage() {
  std::cerr << "Aufruf: zestovar-tool [--dir VERZEICHNIS] BEFEHL ...\n"
               "  check                       beide Rezeptdateien prüfen\n"
               "  list KATEGORIE              Rezeptnamen einer Kategorie\n"
               "  exists NAME                 ja oder nein\n"
               "  author NAME                 Autor eines Rezepts\n"
               "  add DATEI...                Rezepte aus Textdateien anfügen\n"
               "  delete NAME                 Rezept löschen\n"
               "  export NAME [--picture DATEI]  Rezept als Textdatei ausgeben\n"
               "  page NAME [--personen N]    Rezept.htm und Image.jpg schreiben (Mengen für N Personen)\n"
               "  import [--kategorie KATEGORIE] DATEI...  Rezeptsammlungen und Webseiten einlesen\n"
               "  import-url [--kategorie KATEGORIE] ADRESSE...  Rezepte von Webseiten im Internet einlesen\n"
               "  export-mm (--alle | NAME...)  Rezepte als Meal-Master ausgeben (Windows-1252)\n"
               "  search [--oder] [--umlaute] [--kategorie KATEGORIE] TEXT  Rezepte suchen\n"
               "  site AUSGABE --url ADRESSE --news DATEI DATEI...  die Rezeptseite zum Ausprobieren bauen\n";
  return kUsage;
}

void printLine(std::string_view cp1252) { std::cout << cp1252ToUtf8(cp1252) << '\n'; }

std::string arg(const char* utf8) { return utf8ToCp1252(utf8); }

int check(Files& files, const fs::path& dir) {
  bool bad = false;
  for (const auto name : {kMainFileName, kUpdateFileName}) {
    const fs::path path = resolveProgramFile(files, dir, name);
    if (!files.exists(path)) continue;
    auto file = files.open(path, OpenMode::ReadOnly);
    for (const auto& problem : checkRecipeFile(*file)) {
      std::cout << path.filename().string() << ": record " << problem.record << ": " << problem.text << '\n';
      bad = bad || !problem.warning;
    }
  }
  const fs::path cut = resolveProgramFile(files, dir, kCutTailFileName);
  if (files.exists(cut))
    std::cout << cut.filename().string()
              << ": Warnung: hier liegen die Reste abgebrochener Anfügevorgänge, die aus den Rezeptdateien "
                 "abgeschnitten wurden\n";
  return bad ? 1 : 0;
}

int exportRecipe(RecipeStore& store, const std::string& name, const std::string& pictureFile) {
  const auto entry = store.lastByName(name);
  if (!entry) {
    std::cerr << "Rezept nicht gefunden: " << cp1252ToUtf8(name) << '\n';
    return 1;
  }
  std::string pictureLine;
  if (entry->hasPicture && !pictureFile.empty()) {
    try {
      writeWholeFile(store.files(), pictureFile, entry->picture);
    } catch (const StoreError& e) {
      throw StoreError(pictureFile + ": " + e.what());
    }
    pictureLine = pictureFile;
  }
  std::cout << formatTextRecipe(*entry, pictureLine);
  return 0;
}

// The category for recipes whose words name none of ours (--kategorie), and the other arguments; none
// after bad usage, which is told.
struct ImportArguments {
  std::string fallback{zestovar::exchange::kDefaultFallbackCategory};
  std::vector<std::string> sources;
};

std::optional<ImportArguments> importArguments(const std::vector<std::string>& args) {
  ImportArguments out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--kategorie") {
      if (++i == args.size()) {
        usage();
        return std::nullopt;
      }
      out.fallback = arg(args[i].c_str());
      if (!categoryCode(out.fallback)) {
        std::cerr << "Unbekannte Kategorie: " << args[i] << '\n';
        return std::nullopt;
      }
    } else {
      out.sources.push_back(args[i]);
    }
  }
  if (out.sources.empty()) {
    usage();
    return std::nullopt;
  }
  return out;
}

// Every source is imported on its own: one that cannot be read is reported and imports nothing, the
// others are imported all the same. importOne returns the result of one source.
int importEach(const ImportArguments& args,
               const std::function<zestovar::exchange::FileImport(const std::string& source)>& importOne) {
  bool allRead = true;
  std::size_t imported = 0, skipped = 0;
  for (const std::string& source : args.sources) {
    try {
      const auto result = importOne(source);
      for (const std::string& line : zestovar::exchange::reportLines(result)) std::cout << line << '\n';
      imported += result.imported;
      skipped += result.skipped;
    } catch (const std::runtime_error& e) {
      // ImportError, StoreError or TransferError; the report lines before it go out first.
      std::cout.flush();
      if (dynamic_cast<const NotAFileError*>(&e))
        std::cerr << e.what() << '\n';  // it names the file itself
      else
        std::cerr << source << ": " << e.what() << '\n';
      allRead = false;
    }
  }
  std::cout << zestovar::exchange::summaryLine(imported, skipped) << '\n';
  return allRead ? 0 : 1;
}

int importFiles(RecipeStore& store, const std::vector<std::string>& args) {
  const auto given = importArguments(args);
  if (!given) return kUsage;
  zestovar::exchange::Importer importer(store);
  return importEach(*given, [&](const std::string& path) {
    const auto bytes = readWholeFile(store.files(), path);
    if (!bytes) throw StoreError(std::string(kFileNotFound));
    return *importer.importFile(*bytes, given->fallback);
  });
}

// The recipes of web pages, each with its picture when that is a JPEG; a picture left out is noted
// before the page's report lines.
int importAddresses(RecipeStore& store, const fs::path& dir, const std::vector<std::string>& args) {
  namespace exchange = zestovar::exchange;
  namespace online = zestovar::online;
  const auto given = importArguments(args);
  if (!given) return kUsage;
  online::HttpClient http;
  online::loadProxySettings(http, store.files(), dir);
  exchange::Importer importer(store);
  return importEach(*given, [&](const std::string& address) {
    online::WebReply page = http.fetchWeb(address, online::kMaxWebPageBytes);
    std::vector<exchange::ForeignRecipe> recipes = exchange::readWebPage(page.body, page.contentType, page.address);
    exchange::nameSiteAsAuthor(recipes, page.address);
    const auto fetchPicture = [&](const std::string& picture) {
      return http.fetchWeb(picture, online::kMaxWebPictureBytes).body;
    };
    return importer.importRecipes(std::move(recipes), given->fallback, [&](exchange::ForeignRecipe& recipe) {
      if (const auto note = exchange::takeWebPicture(recipe, fetchPicture)) std::cout << *note << '\n';
    });
  });
}

int exportMealMaster(RecipeStore& store, const std::vector<std::string>& args) {
  if (args.empty() || (args.size() > 1 && args[0] == "--alle")) return usage();
  if (args[0] == "--alle") {
    std::string out;
    store.walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
      out.clear();
      zestovar::exchange::appendMealMaster(out, readRest(in, head));
      std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    });
    return 0;
  }
  // One walk for all names; the last entry of a name counts, as everywhere in the book.
  std::map<std::string, StoredRecipe> found;
  for (const std::string& name : args) found.emplace(arg(name.c_str()), StoredRecipe{});
  std::set<std::string> seen;
  store.walkMainThenUpdate([&](StoreFile, RecordReader& in, EntryHead& head) {
    const auto it = found.find(head.name);
    if (it == found.end()) {
      skipRest(in);
      return;
    }
    it->second = readRest(in, head);
    seen.insert(head.name);
  });
  int status = 0;
  std::string out;
  for (const std::string& name : args) {
    const std::string stored = arg(name.c_str());
    if (!seen.contains(stored)) {
      std::cerr << "Rezept nicht gefunden: " << name << '\n';
      status = 1;
      continue;
    }
    zestovar::exchange::appendMealMaster(out, found.at(stored));
  }
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
  return status;
}

int search(const fs::path& dir, const std::vector<std::string>& args) {
  using namespace zestovar::views;
  SearchKind kind = SearchKind::And;
  Spelling spelling = Spelling::AsStored;
  std::string category(kAllCategories);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--oder") {
      kind = SearchKind::Or;
    } else if (args[i] == "--umlaute") {
      spelling = Spelling::Umlauts;
    } else if (args[i] == "--kategorie") {
      if (++i == args.size()) return usage();
      category = arg(args[i].c_str());
    } else {
      texts.push_back(args[i]);
    }
  }
  if (texts.size() != 1) return usage();
  const std::string text = arg(texts[0].c_str());
  if (text.empty()) {
    std::cout << "Bitte einen Begriff eingeben\n";
    return 1;
  }
  RecipeStore store(dir);
  std::vector<std::string> names;
  const int hits = searchRecipes(store, splitTerms(text), category, kind, names, spelling);
  finishRecipeList(names);
  for (const auto& name : names) printLine(name);
  std::cout << searchMessage(hits) << '\n';
  return 0;
}

int site(const std::vector<std::string>& args) {
  std::string url, news;
  std::vector<fs::path> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--url" || args[i] == "--news") {
      if (i + 1 == args.size()) return usage();
      std::string& value = args[i] == "--url" ? url : news;
      value = args[++i];
    } else {
      positional.emplace_back(args[i]);
    }
  }
  if (url.empty() || news.empty() || positional.size() < 2) return usage();
  while (url.ends_with('/')) url.pop_back();
  zestovar::tool::buildDemoSite(positional.front(), url, {positional.begin() + 1, positional.end()}, news);
  return 0;
}

// "page NAME [--personen N]": the page as show recipe writes it, for N persons when N is given.
int page(const fs::path& dir, const std::vector<std::string>& args) {
  std::optional<int> persons;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--personen") {
      names.push_back(args[i]);
      continue;
    }
    if (++i == args.size()) return usage();
    const std::string& number = args[i];
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || value < zestovar::views::kFewestPersons ||
        value > zestovar::views::kMostPersons) {
      std::cerr << "--personen: eine Zahl von 1 bis 50\n";
      return kUsage;
    }
    persons = value;
  }
  if (names.size() != 1) return usage();
  RecipeStore store(dir);
  const auto shown = zestovar::views::showRecipePage(
      store, arg(names[0].c_str()), zestovar::embedded::defaultPicture(),
      [](const std::string& lastName) { std::cerr << cp1252ToUtf8(lastName) << '\n'; }, persons);
  if (persons && shown.found && !zestovar::views::personsNumber(shown.persons))
    std::cerr << "Das Rezept nennt keine Personenzahl von 1 bis 50 (\"" << cp1252ToUtf8(shown.persons)
              << "\"); die Mengen bleiben, wie sie sind.\n";
  return 0;
}

// The current folder, unless it holds no recipe book and this tool is an installed one: then the
// installed program's directory, readied as the window program readies it.
fs::path defaultDir(Files& files) {
  const fs::path current = ".";
  if (files.exists(resolveProgramFile(files, current, kMainFileName))) return current;
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return current;
  const ProgramHome home = readyProgramHome(files, self.parent_path());
  return home.installed() ? home.programDir : current;
}

int run(int argc, char** argv) {
  std::optional<fs::path> givenDir;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--dir") {
      if (++i == argc) return usage();
      givenDir = argv[i];
    } else {
      args.push_back(a);
    }
  }
  if (args.empty()) return usage();
  const std::string command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());

  if (command == "site") return site(rest);
  const fs::path dir = givenDir ? *givenDir : defaultDir(*diskFiles());
  if (!fs::is_directory(dir)) throw StoreError(std::string(kFileNotFound) + ": " + dir.string());
  if (command == "check") return rest.empty() ? check(*diskFiles(), dir) : usage();

  if (command == "add") {
    if (rest.empty()) return usage();
    RecipeStore store(dir);
    addTextRecipeFiles(store, rest);
    return 0;
  }
  if (command == "search") return search(dir, rest);
  if (command == "page") return page(dir, rest);
  if (command == "import") {
    RecipeStore store(dir);
    return importFiles(store, rest);
  }
  if (command == "import-url") {
    RecipeStore store(dir);
    return importAddresses(store, dir, rest);
  }
  if (command == "export-mm") {
    RecipeStore store(dir);
    return exportMealMaster(store, rest);
  }
  if (command == "export") {
    std::string picture;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < rest.size(); ++i) {
      if (rest[i] == "--picture") {
        if (++i == rest.size()) return usage();
        picture = rest[i];
      } else {
        names.push_back(rest[i]);
      }
    }
    if (names.size() != 1) return usage();
    RecipeStore store(dir);
    return exportRecipe(store, arg(names[0].c_str()), picture);
  }
  if (rest.size() != 1) return usage();
  const std::string text = arg(rest[0].c_str());
  RecipeStore store(dir);
  if (command == "list") {
    for (const auto& name : store.browseList(text)) printLine(name);
    return 0;
  }
  if (command == "exists") {
    std::cout << (store.nameExists(text) ? "ja" : "nein") << '\n';
    return 0;
  }
  if (command == "author") {
    printLine(store.authorByName(text));
    return 0;
  }
  if (command == "delete") {
    store.deleteEntry(text);
    return 0;
  }
  return usage();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
}
