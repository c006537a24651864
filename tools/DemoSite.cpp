#include "DemoSite.h"

#include <set>
#include <string>

#include "online/ListPage.h"
#include "store/Cp1252.h"
#include "store/Entry.h"
#include "store/Errors.h"
#include "store/FileIo.h"
#include "store/SideFile.h"
#include "store/TextRecipe.h"

namespace zestovar::tool {

namespace fs = std::filesystem;
using namespace zestovar::store;

void buildDemoSite(const fs::path& outdir, std::string_view url, const std::vector<fs::path>& recipes,
                   const fs::path& news) {
  auto files = diskFiles();
  struct Published {
    TextRecipe text;
    std::string file;  // the name of its file of line records
  };
  std::vector<Published> published;
  std::set<std::string> names;
  for (const fs::path& path : recipes) {
    TextRecipe text = readTextRecipeFile(*files, path);
    if (text.date.empty()) throw TextRecipeError(path.string() + ": \"Datum:\" fehlt");
    std::string folded = text.recipe.name.substr(0, kMaxText);
    for (char& c : folded) c = foldCase(c);
    if (!names.insert(folded).second)
      throw TextRecipeError(path.string() + ": Zeile " + std::to_string(text.nameLine) + ": Name schon vorhanden");
    published.push_back({std::move(text), path.stem().string() + ".dat"});
  }
  const auto newsText = readWholeFile(*files, news);
  if (!newsText) throw StoreError(news.string() + ": " + std::string(kFileNotFound));

  const fs::path site = outdir / "zestovar3";
  fs::create_directories(site / "rezepte");
  std::vector<std::string> listPage;
  for (const Published& p : published) {
    const NewRecipe& r = p.text.recipe;
    writeWholeFile(*files, site / "rezepte" / p.file, encodeEntry(r, *files));
    listPage.push_back(r.name.substr(0, kMaxText));
    listPage.push_back(r.author.substr(0, kMaxText));
    listPage.push_back(p.text.date);
    listPage.push_back(std::string(url) + "/zestovar3/rezepte/" + p.file);
    listPage.push_back(r.category + subcategoryRecord(r.subcategories));
  }
  writeWholeFile(*files, outdir / std::string(online::kListPagePath).substr(1), joinSideFileLines(listPage));
  writeWholeFile(*files, outdir / std::string(online::kNewsPagePath).substr(1),
                 joinSideFileLines(splitSideFileLines(utf8ToCp1252(*newsText))));
}

}  // namespace zestovar::tool
