// zestovar-tool driven as a user runs it, on real files in temporary program directories.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string out;
};

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zestovar-tool-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  Result run(const std::string& args) {
    const std::string cmd = "cd '" + dir_.string() + "' && " + ZESTOVAR_TOOL + " " + args + " 2>&1";
    FILE* pipe = popen(cmd.c_str(), "r");
    Result r{-1, {}};
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
  }

  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path dir_;
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

TEST_F(ToolTest, AddThenExportGivesBackTheSameRecipe) {
  std::string picture;
  for (int i = 0; i < 1000; ++i) picture += static_cast<char>(i * 7);
  write("bowle.jpg", picture);
  write("bowle.txt", kRecipe);
  ASSERT_EQ(run("add bowle.txt").status, 0);
  EXPECT_EQ(run("check").status, 0);

  const Result exported = run("export 'Erdbeerbowle für Kinder' --picture '" + (dir_ / "out.jpg").string() + "'");
  ASSERT_EQ(exported.status, 0);
  std::string expected = kRecipe;
  expected.replace(expected.find("unalk_Bowle Bowle"), 17, "Bowle unalk_Bowle");  // the sorted list's order
  expected.replace(expected.find("bowle.jpg"), 9, (dir_ / "out.jpg").string());
  EXPECT_EQ(exported.out, expected);
  EXPECT_EQ(read("out.jpg"), picture);

  EXPECT_EQ(run("list 'Getränke'").out, "Erdbeerbowle für Kinder\n");
  EXPECT_EQ(run("exists 'Erdbeerbowle für Kinder'").out, "ja\n");
  EXPECT_EQ(run("exists 'erdbeerbowle für Kinder'").out, "nein\n");
  EXPECT_EQ(run("author 'Erdbeerbowle für Kinder'").out, "Quenna\n");
  EXPECT_EQ(run("search --oder --kategorie 'Getränke' 'ERDBEEREN nirgends'").out,
            "Erdbeerbowle für Kinder\n1 Rezepte gefunden.\n");
  EXPECT_EQ(run("search --kategorie Suppe Erdbeeren").out, "Keine Rezepte gefunden.\n");
  ASSERT_EQ(run("page 'Erdbeerbowle für Kinder'").status, 0);
  EXPECT_EQ(read("Image.jpg"), picture);
  EXPECT_NE(read("Rezept.htm")
                .find("waschen &amp; vierteln.\r\nMit Saft aufgie\xdf"
                      "en, &lt;kalt&gt;"),
            std::string::npos);
  EXPECT_EQ(run("delete 'Erdbeerbowle für Kinder'").status, 0);
  EXPECT_EQ(run("list 'Getränke'").out, "");
}

TEST_F(ToolTest, AddRefusesBadFilesWithTheirLineAndWritesNothing) {
  write("good.txt", kRecipe);
  std::string wrongSub = kRecipe;
  wrongSub.replace(wrongSub.find("unalk_Bowle Bowle"), 17, "Bowle Rind");
  write("wrong.txt", wrongSub);
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

  std::string noCategory = kRecipe;
  noCategory.replace(0, noCategory.find('\n'), "Kategorie: Kategorie wählen");
  write("none.txt", noCategory);
  EXPECT_NE(run("add none.txt").out.find("Zeile 1: Bitte eine Kategorie wählen."), std::string::npos);
}

TEST_F(ToolTest, CheckReportsEachMalformedEntryByRecord) {
  std::string noPicture = kRecipe;
  noPicture.erase(noPicture.find("Bild: bowle.jpg\n"), 16);
  write("a.txt", noPicture);
  std::string second = noPicture;
  second.replace(second.find("Erdbeerbowle"), 12, "Zweite Bowle");
  write("b.txt", second);
  std::string third = noPicture;
  third.replace(third.find("Erdbeerbowle"), 12, "Dritte Bowle");
  write("c.txt", third);
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
            "Zestovar.dat: record 51: unvollständiger Datensatz am Dateiende (4 Bytes)\n");
  // The window's walk stops on the same fault with the same text.
  EXPECT_EQ(run("exists 'Nicht da'").out, "'x' ist kein gültiger Integerwert\n");
}

TEST_F(ToolTest, BadUsageExitsWithTwo) {
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("list").status, 2);
  EXPECT_EQ(run("frobnicate x").status, 2);
}

}  // namespace
