// The demo recipe web site: a static directory that any web server can serve.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace zestovar::tool {

// Writes OUTDIR/zestovar3/rezeptlist.htm (five lines a recipe: name, author, the "Datum:" of its file,
// its download address under url, category and subcategories), one file of line records a recipe under
// OUTDIR/zestovar3/rezepte/, and the news page OUTDIR/zestovar3/zestovarnews.htm from the UTF-8 text
// file news. The pages are Windows-1252 with CR LF line ends. Every recipe file is checked, as `add`
// checks it, before anything is written; each needs a "Datum:" line.
void buildDemoSite(const std::filesystem::path& outdir, std::string_view url,
                   const std::vector<std::filesystem::path>& recipes, const std::filesystem::path& news);

}  // namespace zestovar::tool
