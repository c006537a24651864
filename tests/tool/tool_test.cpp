// zestovar-tool driven as a user runs it, on real files in temporary program directories.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "LocalServers.h"
#include "PlantedLink.h"
#include "StoreFixtures.h"
#include "TestWebSite.h"

namespace fs = std::filesystem;
using zestovar::test::PlantedLink;
using zestovar::test::spawnQuietly;

namespace {

struct Result {
  int status;
  std::string out;
};

class ToolTest : public ::testing::Test {
 protected:
  Result run(const std::string& args) { return shell(std::string(ZESTOVAR_TOOL) + " " + args); }

  // A shell command line run in the temporary folder.
  Result shell(const std::string& line) {
    const std::string cmd = "cd '" + dir_.path().string() + "' && " + line + " 2>&1";
    FILE* pipe = popen(cmd.c_str(), "r");
    Result r{-1, {}};
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
  }

  void write(const std::string& name, const std::string& bytes) { dir_.write(name, bytes); }
  std::string read(const std::string& name) { return dir_.read(name); }

  zestovar::test::TempDir dir_;
};

const std::string kRecipe =
    "Kategorie: Getränke\n"
    "Unterkategorien: unalk_Bowle Bowle\n"
    "Name: Erdbeerbowle für Kinder\n"
    "Herkunft: deutsch\n"
    "Autor: Quenna\n"
    "Personen: 10\n"
    "Bild: bowle.jpg\n"
    "Zutaten:\n"
    "500 g Erdbeeren\n"
    "1 l Apfelsaft\n"
    "Zubereitung:\n"
    "Erdbeeren waschen & vierteln.\n"
    "Mit Saft aufgießen, <kalt> stellen und nach einer Stunde mit Mineralwasser auffüllen; "
    "dazu passt Minze.\n";

const std::string kCutTailWarning =
    "Abgeschnitten.dat: Warnung: hier liegen die Reste abgebrochener Anfügevorgänge, die aus den Rezeptdateien "
    "abgeschnitten wurden\n";

// kRecipe with the first occurrence of each text replaced.
std::string edited(std::initializer_list<std::pair<std::string_view, std::string_view>> swaps) {
  std::string recipe = kRecipe;
  for (const auto& [from, to] : swaps) recipe.replace(recipe.find(from), from.size(), to);
  return recipe;
}

// The recipe in bowle.txt, with a picture of that many bytes and, for `site`, a date; the picture's
// bytes.
std::string writeBowle(const zestovar::test::TempDir& dir, int pictureBytes, bool dated) {
  std::string picture;
  for (int i = 0; i < pictureBytes; ++i) picture += static_cast<char>(i * 7);
  dir.write("bowle.jpg", picture);
  dir.write("bowle.txt", dated ? edited({{"Zutaten:", "Datum: 3.11.2004\nZutaten:"}}) : kRecipe);
  return picture;
}

TEST_F(ToolTest, AddThenExportGivesBackTheSameRecipe) {
  const std::string picture = writeBowle(dir_, 1000, false);
  ASSERT_EQ(run("add bowle.txt").status, 0);
  EXPECT_EQ(run("check").status, 0);

  const Result exported = run("export 'Erdbeerbowle für Kinder' --picture '" + (dir_ / "out.jpg").string() + "'");
  ASSERT_EQ(exported.status, 0);
  const std::string out = (dir_ / "out.jpg").string();
  // The subcategories come back in the sorted list's order.
  EXPECT_EQ(exported.out, edited({{"unalk_Bowle Bowle", "Bowle unalk_Bowle"}, {"bowle.jpg", out}}));
  EXPECT_EQ(read("out.jpg"), picture);

  EXPECT_EQ(run("list 'Getränke'").out, "Erdbeerbowle für Kinder\n");
  EXPECT_EQ(run("exists 'Erdbeerbowle für Kinder'").out, "ja\n");
  EXPECT_EQ(run("exists 'erdbeerbowle für Kinder'").out, "nein\n");
  EXPECT_EQ(run("author 'Erdbeerbowle für Kinder'").out, "Quenna\n");
  EXPECT_EQ(run("search --oder --kategorie 'Getränke' 'ERDBEEREN nirgends'").out,
            "Erdbeerbowle für Kinder\n1 Rezepte gefunden.\n");
  EXPECT_EQ(run("search --kategorie Suppe Erdbeeren").out, "Keine Rezepte gefunden.\n");
  EXPECT_EQ(run("search 'BOWLE FUER'").out, "Keine Rezepte gefunden.\n");
  EXPECT_EQ(run("search --umlaute 'BOWLE FUER'").out, "Erdbeerbowle für Kinder\n1 Rezepte gefunden.\n");
  ASSERT_EQ(run("page 'Erdbeerbowle für Kinder'").status, 0);
  EXPECT_EQ(read("Image.jpg"), picture);
  EXPECT_NE(read("Rezept.htm").find("waschen &amp; vierteln.\r\nMit Saft aufgie\337en, &lt;kalt&gt;"),
            std::string::npos);
  ASSERT_EQ(run("page --personen 4 'Erdbeerbowle für Kinder'").status, 0);
  EXPECT_NE(read("Rezept.htm").find(" (Zutaten f\xfcr 4 Personen)</font><br>\r\n"), std::string::npos);
  EXPECT_NE(read("Rezept.htm").find("\r\n200 g Erdbeeren<br>\r\n0,4 l Apfelsaft<br>\r\n"), std::string::npos);
  for (const char* persons : {"0", "51", "4x", ""}) {
    const Result refused = run(std::string("page 'Erdbeerbowle für Kinder' --personen '") + persons + "'");
    EXPECT_EQ(refused.status, 2) << persons;
    EXPECT_EQ(refused.out, "--personen: eine Zahl von 1 bis 50\n") << persons;
  }
  EXPECT_EQ(run("delete 'Erdbeerbowle für Kinder'").status, 0);
  EXPECT_EQ(run("list 'Getränke'").out, "");
}

TEST_F(ToolTest, AddRefusesBadFilesWithTheirLineAndWritesNothing) {
  write("good.txt", kRecipe);
  write("wrong.txt", edited({{"unalk_Bowle Bowle", "Bowle Rind"}}));
  const Result r = run("add good.txt wrong.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("wrong.txt: Zeile 2: Unterkategorie 'Rind'"), std::string::npos) << r.out;
  EXPECT_EQ(read("Zestovar.dat"), "");

  ASSERT_EQ(run("add good.txt").status, 0);
  const std::string before = read("Zestovar.dat");
  const Result again = run("add good.txt");
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.out.find("Zeile 3: Name schon vorhanden. Bitte anderen Namen wählen."), std::string::npos);
  EXPECT_EQ(read("Zestovar.dat"), before);

  write("none.txt", edited({{"Getränke", "Kategorie wählen"}}));
  EXPECT_NE(run("add none.txt").out.find("Zeile 1: Bitte eine Kategorie wählen."), std::string::npos);

  // A JPEG comment placed so that the picture end record starts the second picture record.
  std::string comment(43, 'x');
  comment += std::string(1, '\x15') + "!!!Ende des Bildes!!!";
  std::string jpeg = "\xff\xd8\xff\xfe";
  jpeg += static_cast<char>((comment.size() + 2) >> 8);
  jpeg += static_cast<char>((comment.size() + 2) & 0xff);
  jpeg += comment + std::string(200, '\x7f') + "\xff\xd9";
  ASSERT_EQ(jpeg.find("\x15!!!Ende"), 49u);
  write("bowle.jpg", jpeg);
  write("zweite.txt", edited({{"Erdbeerbowle", "Zweite Bowle"}, {"Bild: bowle.jpg\n", ""}}));
  write("erste.txt", edited({{"Erdbeerbowle", "Erste Bowle"}}));
  const Result end = run("add zweite.txt erste.txt");
  EXPECT_EQ(end.status, 1);
  EXPECT_NE(end.out.find("erste.txt: Das Bild 'bowle.jpg' kann nicht gespeichert werden"), std::string::npos)
      << end.out;
  EXPECT_EQ(read("Zestovar.dat"), before);
}

TEST_F(ToolTest, TornTailIsMovedAsideAndCheckNamesWhereItWent) {
  write("a.txt", edited({{"Bild: bowle.jpg\n", ""}}));
  ASSERT_EQ(run("add a.txt").status, 0);
  const std::string whole = read("Zestovar.dat");
  write("Zestovar.dat", whole + whole.substr(0, 5 * 51 + 20));
  const Result torn = run("check");
  EXPECT_EQ(torn.status, 0);
  EXPECT_EQ(torn.out,
            "Zestovar.dat: record 17: Warnung: unvollständiger letzter Eintrag (5 Datensätze, ein abgebrochenes "
            "Anfügen); er wird übergangen und beim nächsten Schreiben nach \"Abgeschnitten.dat\" verschoben\n"
            "Zestovar.dat: record 22: Warnung: unvollständiger Datensatz am Dateiende (20 Bytes)\n");
  EXPECT_EQ(run("delete Nirgends").status, 0);
  EXPECT_EQ(read("Zestovar.dat"), whole);
  EXPECT_EQ(read("Abgeschnitten.dat"), whole.substr(0, 5 * 51 + 20));
  const Result kept = run("check");
  EXPECT_EQ(kept.status, 0);
  EXPECT_EQ(kept.out, kCutTailWarning);
}

TEST_F(ToolTest, CheckReportsEachMalformedEntryByRecord) {
  write("a.txt", edited({{"Bild: bowle.jpg\n", ""}}));
  write("b.txt", edited({{"Bild: bowle.jpg\n", ""}, {"Erdbeerbowle", "Zweite Bowle"}}));
  write("c.txt", edited({{"Bild: bowle.jpg\n", ""}, {"Erdbeerbowle", "Dritte Bowle"}}));
  ASSERT_EQ(run("add a.txt b.txt c.txt").status, 0);
  std::string file = read("Zestovar.dat");
  // Each entry: 3 head records, N1 = 5 (count, marker, origin, 2 lines), N2 + 3 pieces, author,
  // persons, 3 picture end records = 17 records. The second entry's ingredient count becomes "x",
  // the third's preparation count "-4".
  const std::size_t perEntry = 17;
  ASSERT_EQ(file.size(), 3 * perEntry * 51);
  auto setText = [&](std::size_t record, const std::string& text) {
    file[record * 51] = static_cast<char>(text.size());
    file.replace(record * 51 + 1, text.size(), text);
  };
  setText(perEntry + 3, "x");
  setText(2 * perEntry + 8, "-4");
  file += "tail";
  write("Zestovar.dat", file);

  const Result r = run("check");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "Zestovar.dat: record 20: 'x' ist kein gültiger Integerwert\n"
            "Zestovar.dat: record 42: Zubereitungszahl -4 ist negativ\n"
            "Zestovar.dat: record 51: Warnung: unvollständiger Datensatz am Dateiende (4 Bytes)\n");
  // The window's walk stops on the same fault with the same text.
  EXPECT_EQ(run("exists 'Nicht da'").out, "'x' ist kein gültiger Integerwert\n");
}

TEST_F(ToolTest, BadUsageExitsWithTwoAndAMissingDirectoryFailsEveryCommand) {
  for (const char* usage : {"", "list", "frobnicate x"}) EXPECT_EQ(run(usage).status, 2) << usage;
  for (const char* command : {"check", "list Suppe", "exists Gulasch", "search Gulasch"}) {
    const Result r = run(std::string("--dir nirgends ") + command);
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_EQ(r.out, "Datei nicht gefunden: nirgends\n") << command;
  }
  EXPECT_FALSE(fs::exists(dir_ / "nirgends"));
}

TEST_F(ToolTest, SiteHasAListPageARecordFileForEachRecipeAndTheNews) {
  writeBowle(dir_, 300, true);
  write("linsen.txt", edited({{"Getränke", "Suppe"},
                              {"unalk_Bowle Bowle", "Suppen"},
                              {"Erdbeerbowle für Kinder", "Linsensuppe"},
                              {"Zutaten:", "Datum: 12.02.2005\nZutaten:"}}));
  write("news.txt", "Neu: Linsensuppe\nMehr unter www.zestovar.invalid\n");

  ASSERT_EQ(run("site web --url http://127.0.0.1:8080/ --news news.txt bowle.txt linsen.txt").status, 0);
  EXPECT_EQ(read("web/zestovar3/rezeptlist.htm"),
            "Erdbeerbowle f\xfcr Kinder\r\nQuenna\r\n3.11.2004\r\n"
            "http://127.0.0.1:8080/zestovar3/rezepte/bowle.dat\r\nGetr\xe4nke Bowle unalk_Bowle\r\n"
            "Linsensuppe\r\nQuenna\r\n12.02.2005\r\nhttp://127.0.0.1:8080/zestovar3/rezepte/linsen.dat\r\n"
            "Suppe Suppen\r\n");
  EXPECT_EQ(read("web/zestovar3/zestovarnews.htm"), "Neu: Linsensuppe\r\nMehr unter www.zestovar.invalid\r\n");
  // Each record file is the entry `add` would write.
  ASSERT_EQ(run("add bowle.txt").status, 0);
  EXPECT_EQ(read("web/zestovar3/rezepte/bowle.dat"), read("Zestovar.dat"));

  const Result undated =
      run("site web2 --url http://127.0.0.1:8080 --news news.txt bowle.txt " + (dir_ / "bowle.txt").string() + ".x");
  EXPECT_EQ(undated.status, 1);
  write("ohne.txt", kRecipe);
  EXPECT_NE(run("site web2 --url http://x --news news.txt ohne.txt").out.find("\"Datum:\" fehlt"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "web2"));
}

TEST_F(ToolTest, OutputsTakeThePlaceOfLinksPlacedUnderTheirNames) {
  const std::string picture = writeBowle(dir_, 1000, true);
  write("news.txt", "Neu: Bowle\n");
  ASSERT_EQ(run("add bowle.txt").status, 0);
  const fs::path site = dir_ / "web" / "zestovar3";
  fs::create_directories(site / "rezepte");
  for (const PlantedLink::To to : {PlantedLink::To::File, PlantedLink::To::Nowhere}) {
    const PlantedLink::To other = to == PlantedLink::To::File ? PlantedLink::To::Nowhere : PlantedLink::To::File;
    for (const fs::path& name : {dir_ / "Rezept.htm", dir_ / "Image.jpg", dir_ / "bild.jpg", site / "rezeptlist.htm",
                                 site / "zestovarnews.htm", site / "rezepte" / "bowle.dat"})
      fs::remove(name);
    const PlantedLink links[] = {{dir_ / "Rezept.htm", to},       {dir_ / "Image.jpg", other},
                                 {dir_ / "bild.jpg", to},         {site / "rezeptlist.htm", other},
                                 {site / "zestovarnews.htm", to}, {site / "rezepte" / "bowle.dat", other}};
    ASSERT_EQ(run("page 'Erdbeerbowle für Kinder'").status, 0);
    ASSERT_EQ(run("export 'Erdbeerbowle für Kinder' --picture bild.jpg").status, 0);
    ASSERT_EQ(run("site web --url http://127.0.0.1:8080 --news news.txt bowle.txt").status, 0);
    for (const PlantedLink& link : links) EXPECT_EQ(link.problems(), "");
    EXPECT_NE(read("Rezept.htm").find("Erdbeerbowle f\xfcr Kinder"), std::string::npos);
    EXPECT_EQ(read("Image.jpg"), picture);
    EXPECT_EQ(read("bild.jpg"), picture);
    EXPECT_EQ(read("web/zestovar3/zestovarnews.htm"), "Neu: Bowle\r\n");
    EXPECT_EQ(read("web/zestovar3/rezepte/bowle.dat"), read("Zestovar.dat"));
    EXPECT_NE(read("web/zestovar3/rezeptlist.htm").find("/zestovar3/rezepte/bowle.dat"), std::string::npos);
  }
}

// A pipe or a device would block a read for good: refused at once, naming it, and nothing is written.
TEST_F(ToolTest, PipesAndDevicesAreRefusedAsPicturesAndImportFiles) {
  ASSERT_EQ(::mkfifo((dir_ / "rezepte.mmf").c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo((dir_ / "bild.jpg").c_str(), 0644), 0);
  const std::string notAFile = "' ist keine gewöhnliche Datei, sondern etwa ein Ordner, eine Pipe oder ein Gerät\n";
  Result r = run("import rezepte.mmf /dev/zero");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "'rezepte.mmf" + notAFile + "'/dev/zero" + notAFile + "0 Rezepte importiert, 0 übersprungen.\n");
  for (const std::string picture : {"bild.jpg", "/dev/zero"}) {
    write("bowle.txt", edited({{"bowle.jpg", picture}}));
    r = run("add bowle.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "bowle.txt: '" + picture + notAFile);
  }
  EXPECT_EQ(read("Zestovar.dat"), "");
  EXPECT_EQ(run("check").status, 0);
}

// A crash or a power cut in the middle of a write: real processes killed at random moments. Linux ends
// a write short when SIGKILL arrives, so a killed append often leaves part of its entry on the disk.
TEST_F(ToolTest, KilledAppendsAndDeletesNeverLoseAnotherRecipe) {
  std::mt19937 random(20261206);
  std::string picture(16 << 20, '\0');
  for (char& c : picture) c = static_cast<char>(random() % 251 + 5);
  write("gross.jpg", picture);
  const std::vector<std::string> kept = {"Erbsensuppe", "Linsensuppe", "Kartoffelsuppe"};
  std::string files;
  for (const auto& name : kept) {
    write(name + ".txt", edited({{"Getränke", "Suppe"},
                                 {"unalk_Bowle Bowle", "Suppen"},
                                 {"Erdbeerbowle für Kinder", name},
                                 {"Bild: bowle.jpg\n", ""}}));
    files += " " + name + ".txt";
  }
  ASSERT_EQ(run("add" + files).status, 0);

  const std::string tool = ZESTOVAR_TOOL;
  const auto recipe = [&](const std::string& name) {
    write(name + ".txt", edited({{"Erdbeerbowle für Kinder", name}, {"bowle.jpg", "gross.jpg"}}));
    return (dir_ / (name + ".txt")).string();
  };
  // Runs the tool and kills it after `after`; returns how long it ran.
  const auto killed = [&](std::vector<std::string> args, std::chrono::microseconds after) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawnQuietly(std::move(args), true);
    EXPECT_GT(pid, 0);
    int status = 0;
    while (std::chrono::steady_clock::now() - start < after) {
      if (::waitpid(pid, &status, WNOHANG) == pid)
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  };
  // The kills fall anywhere in the time a whole append or delete takes.
  const auto whole = killed({tool, "--dir", dir_.path().string(), "add", recipe("Probe")}, std::chrono::seconds(5));
  ASSERT_EQ(run("exists Probe").out, "ja\n");
  const auto wholeDelete = killed({tool, "--dir", dir_.path().string(), "delete", "Probe"}, std::chrono::seconds(5));
  ASSERT_EQ(run("exists Probe").out, "nein\n");
  const auto somewhereIn = [&](std::chrono::microseconds span) {
    return std::chrono::microseconds(random() % static_cast<unsigned>(span.count() + 1));
  };

  int tornTails = 0;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    if (round % 3 == 2)
      killed({tool, "--dir", dir_.path().string(), "delete", "Gross " + std::to_string(random() % round)},
             somewhereIn(wholeDelete));
    else
      killed({tool, "--dir", dir_.path().string(), "add", recipe("Gross " + std::to_string(round))},
             somewhereIn(whole));

    const Result check = run("check");
    EXPECT_EQ(check.status, 0) << check.out;
    if (check.out.find("abgebrochenes Anfügen") != std::string::npos) ++tornTails;
    for (const auto& recipe : kept) EXPECT_EQ(run("exists " + recipe).out, "ja\n") << recipe;
    const Result list = run("list Suppe");
    for (const auto& recipe : kept) EXPECT_NE(list.out.find(recipe + "\n"), std::string::npos) << list.out;
  }
  std::cout << "[          ] a torn tail was found after " << tornTails << " of 40 kills\n";

  // The next write moves a torn tail to "Abgeschnitten.dat" and removes what a killed rewrite left
  // behind; `check` then only names the file that keeps it.
  ASSERT_EQ(run("add '" + recipe("Zuletzt") + "'").status, 0);
  const Result last = run("check");
  EXPECT_EQ(last.status, 0);
  EXPECT_TRUE(tornTails == 0 || fs::exists(dir_ / "Abgeschnitten.dat"));
  EXPECT_EQ(last.out, fs::exists(dir_ / "Abgeschnitten.dat") ? kCutTailWarning : "");
  EXPECT_FALSE(fs::exists(dir_ / "New.dat"));
  EXPECT_EQ(run("exists Zuletzt").out, "ja\n");
}

}  // namespace

TEST_F(ToolTest, ImportReportsEachRecipeAndExportsMealMasterBack) {
  const std::string samples = ZESTOVAR_EXCHANGE_SAMPLES;
  write("kaputt.mmf", "MMMMM----- Recipe via Meal-Master\r\nTitle: Halb\r\n");
  Result r =
      run("import --kategorie Dessert " + samples + "/rezkonv.txt kaputt.mmf fehlt.mmf " + samples + "/rezkonv.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "importiert: Kartoffelgratin\nimportiert: Zitronenlimonade\n"
            "kaputt.mmf: Zeile 1: das Rezept \"Halb\" hat keine Endzeile\n"
            "fehlt.mmf: Datei nicht gefunden\n"
            "übersprungen: Kartoffelgratin (Name schon vorhanden)\n"
            "übersprungen: Zitronenlimonade (Name schon vorhanden)\n"
            "2 Rezepte importiert, 2 übersprungen.\n");
  EXPECT_EQ(run("import --kategorie Nachtisch x.mmf").status, 2);

  r = run("export-mm Zitronenlimonade Fehlt");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("      Title: Zitronenlimonade\r\n Categories: Getr\xe4nke, Sonstiges\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("Rezept nicht gefunden: Fehlt"), std::string::npos);
  r = run("export-mm --alle");
  EXPECT_EQ(r.status, 0);
  write("alle.mmf", r.out);
  fs::create_directories(dir_ / "leer");
  EXPECT_EQ(run("--dir leer import alle.mmf").out,
            "importiert: Kartoffelgratin\nimportiert: Zitronenlimonade\n2 Rezepte importiert, 0 übersprungen.\n");
  EXPECT_EQ(run("--dir leer export-mm --alle").out, r.out);
}

TEST_F(ToolTest, ImportReadsSavedWebPagesAndRefusesOneWithoutRecipe) {
  const std::string web = std::string(ZESTOVAR_EXCHANGE_SAMPLES) + "/web/";
  Result r = run("import " + web + "ohne-rezept.html");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.out,
      web + "ohne-rezept.html: Keine Rezeptdaten auf der Seite gefunden.\n0 Rezepte importiert, 0 übersprungen.\n");
  EXPECT_EQ(run("list Suppe").out, "");

  r = run("import " + web + "zwei-rezepte.html");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "importiert: Linsensuppe mit Speck\nimportiert: Tomatensuppe\n2 Rezepte importiert, 0 übersprungen.\n");
  // A saved page's recipe without author gets the import's; the cuisine names the origin.
  r = run("import " + web + "seite.xhtml");
  EXPECT_EQ(run("author Kräuterquark").out, "Import\n");
  EXPECT_NE(run("export Tomatensuppe").out.find("Herkunft: französisch\nAutor: Suppentopf\n"), std::string::npos);
}

TEST_F(ToolTest, InstalledToolKeepsItsBookInTheNewHomeUnlessTheFolderHoldsOne) {
  writeBowle(dir_, 100, false);
  for (const char* folder : {"usr/bin", "usr/share/zestovar", "home", "arbeit"}) fs::create_directories(dir_ / folder);
  ASSERT_EQ(run("--dir usr/share/zestovar add bowle.txt").status, 0);
  fs::copy_file(ZESTOVAR_TOOL, dir_ / "usr/bin/zestovar-tool");

  const std::string installed =
      "cd arbeit && env -u XDG_DATA_HOME HOME='" + (dir_ / "home").string() + "' ../usr/bin/zestovar-tool ";
  const Result listed = shell(installed + "list Getränke");
  EXPECT_EQ(listed.status, 0);
  EXPECT_NE(listed.out.find("Erdbeerbowle für Kinder\n"), std::string::npos) << listed.out;
  EXPECT_EQ(read("home/.local/share/zestovar/Zestovar.dat"), read("usr/share/zestovar/Zestovar.dat"));
  EXPECT_TRUE(fs::is_empty(dir_ / "arbeit"));

  // A folder with a book of its own is the tool's folder, as for every other tool.
  write("arbeit/Zestovar.dat", "");
  EXPECT_EQ(shell(installed + "exists 'Erdbeerbowle für Kinder'").out, "nein\n");
}

TEST_F(ToolTest, ImportUrlTakesTheRecipesOfPagesWithTheirJpegPicturesAndReportsWhatItLeftOut) {
  zestovar::test::TestWebSite site;
  ASSERT_TRUE(site.started()) << "web_server.py did not start";
  const std::string jpeg = zestovar::test::readFile(fs::path(ZESTOVAR_DATA_DIR) / "recipes/caipirinha.jpg");
  site.put("bilder/linsen.jpg", jpeg);
  site.put("bilder/kuchen.png", "\x89PNG\r\n\x1a\nkein JPEG");
  const auto page = [](const std::string& recipes) {
    return "<html><head><script type=\"application/ld+json\">" + recipes + "</script></head><body></body></html>";
  };
  site.put("rezept.html", page(R"({"@context":"https://schema.org","@type":"Recipe","name":"Linsensuppe",
      "image":"bilder/linsen.jpg","recipeYield":"4 Portionen","recipeCategory":"Suppe",
      "recipeIngredient":["250 g Linsen"],"recipeInstructions":"Kochen."})"));
  site.put("zwei.html", page(R"([{"@context":"https://schema.org","@type":"Recipe","name":"Apfelkuchen",
      "author":"Quenna","image":"/bilder/kuchen.png","recipeIngredient":["4 \u00c4pfel"]},
      {"@context":"https://schema.org","@type":"Recipe","name":"Birnenkuchen","image":"/bilder/fehlt.jpg",
      "recipeIngredient":["4 Birnen"]}])"));
  site.put("gross.html", page(std::string(9 << 20, ' ')));

  const Result r =
      run("import-url --kategorie Dessert " + site.url("/umleitung/rezept.html") + " " + site.url("/zwei.html") + " " +
          site.url("/fehlt.html") + " " + site.url("/gross.html") + " " + site.url("/rezept.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "importiert: Linsensuppe\n"
            "Das Bild zu \"Apfelkuchen\" ist kein JPEG-Bild; es bleibt weg.\n"
            "Das Bild zu \"Birnenkuchen\" konnte nicht geholt werden: HTTP/1.0 404 File not found\n"
            "importiert: Apfelkuchen\nimportiert: Birnenkuchen\n" +
                site.url("/fehlt.html") + ": HTTP/1.0 404 File not found\n" + site.url("/gross.html") +
                ": Die Antwort von " + site.url("/gross.html") +
                " ist größer als 8388608 Bytes\n"
                "übersprungen: Linsensuppe (Name schon vorhanden)\n"
                "3 Rezepte importiert, 1 übersprungen.\n");
  // A recipe without author is the site's; the picture is stored byte for byte.
  EXPECT_EQ(run("author Linsensuppe").out, "127.0.0.1\n");
  EXPECT_EQ(run("author Apfelkuchen").out, "Quenna\n");
  EXPECT_NE(run("export Linsensuppe --picture linsen.jpg").out.find("Personen: 4\n"), std::string::npos);
  EXPECT_EQ(read("linsen.jpg"), jpeg);
  EXPECT_EQ(run("import-url").status, 2);
  EXPECT_EQ(run("import-url ftp://127.0.0.1/x").out,
            "ftp://127.0.0.1/x: Nur http- und https-Adressen werden geholt: ftp://127.0.0.1/x\n"
            "0 Rezepte importiert, 0 übersprungen.\n");
}
