#include "exchange/Import.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "exchange/ColumnText.h"
#include "exchange/CookMl.h"
#include "exchange/Encoding.h"
#include "exchange/Mapping.h"
#include "exchange/WebPage.h"
#include "store/Cp1252.h"

namespace zestovar::exchange {

namespace {

// Thrown from inside the readers when the user cancels; it never leaves importFile.
struct Cancelled {};

// The encoded entries of one file, held for the one write at the end. The buffer grows by moving its
// pages to a larger mapping, never by copying them, so growing never holds the entries twice.
class EntryBuffer {
 public:
  EntryBuffer() = default;
  EntryBuffer(const EntryBuffer&) = delete;
  EntryBuffer& operator=(const EntryBuffer&) = delete;
  ~EntryBuffer() {
    if (data_ != nullptr) munmap(data_, capacity_);
  }

  void append(std::string_view bytes) {
    if (capacity_ - size_ < bytes.size()) grow(size_ + bytes.size());
    std::memcpy(data_ + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
  }
  std::string_view bytes() const { return {data_, size_}; }

 private:
  static constexpr std::size_t kFirstCapacity = std::size_t{1} << 20;

  void grow(std::size_t needed) {
    std::size_t capacity = capacity_ == 0 ? kFirstCapacity : capacity_;
    while (capacity < needed) {
      if (capacity > std::numeric_limits<std::size_t>::max() / 2) throw std::bad_alloc();
      capacity *= 2;
    }
    void* pages = data_ == nullptr ? mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                   : mremap(data_, capacity_, capacity, MREMAP_MAYMOVE);
    if (pages == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<char*>(pages);
    capacity_ = capacity;
  }

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

void readCollection(std::string_view bytes, const std::function<void(ForeignRecipe&&)>& take) {
  if (bytes.empty()) throw ImportError("Die Datei ist leer");
  std::size_t count = 0;
  const auto counted = [&](ForeignRecipe&& recipe) {
    ++count;
    take(std::move(recipe));
  };
  if (looksLikeCookMl(bytes)) {
    parseCookMl(bytes, counted);
    if (count == 0) throw ImportError("Die CookML-Datei enthält keine Rezepte");
    return;
  }
  if (looksLikeWebPage(bytes)) {
    for (ForeignRecipe& recipe : readWebPage(bytes)) counted(std::move(recipe));
    return;
  }
  // A text file holds no NUL byte.
  if (bytes.find('\0') != std::string_view::npos) throw ImportError("Die Datei ist keine Textdatei");
  // Our own export is Windows-1252, though its bytes may pass for UTF-8 as well ("Ã¼") or hold more of
  // the letters of code page 850 (the quotes „ and ” are its ä and ö): so it comes back as it went out.
  // Only a byte order mark says that it has been made UTF-8 since.
  const bool own = !bytes.starts_with(store::kUtf8ByteOrderMark) && startsAsOwnExport(bytes);
  parseColumnText(bytes, own ? Encoding::Cp1252 : detectEncoding(bytes), counted);
  if (count == 0) throw ImportError("Keine Rezepte im Format Meal-Master, RezKonv oder CookML gefunden");
}

std::vector<ForeignRecipe> readCollection(std::string_view bytes) {
  std::vector<ForeignRecipe> recipes;
  readCollection(bytes, [&](ForeignRecipe&& recipe) { recipes.push_back(std::move(recipe)); });
  return recipes;
}

std::size_t expectedRecipes(std::string_view bytes) {
  if (looksLikeWebPage(bytes)) {
    // "Recipe" as a JSON-LD type or at the end of a microdata item type.
    std::size_t count = 0;
    for (const std::string_view mark : {"\"Recipe\"", "/Recipe\""})
      for (std::size_t at = bytes.find(mark); at != std::string_view::npos; at = bytes.find(mark, at + 1)) ++count;
    return count;
  }
  if (!looksLikeCookMl(bytes)) return countRecipeStarts(bytes);
  constexpr std::string_view kRecipe = "<recipe";
  std::size_t count = 0;
  for (std::size_t at = bytes.find(kRecipe); at != std::string_view::npos; at = bytes.find(kRecipe, at + 1)) {
    const std::size_t next = at + kRecipe.size();
    if (next < bytes.size() && (isBlank(bytes[next]) || bytes[next] == '>' || bytes[next] == '/')) ++count;
  }
  return count;
}

Importer::Importer(store::RecipeStore& store) : store_(store) {
  for (std::string& name : store_.allNames()) names_.insert(std::move(name));
}

// The recipes of one import on their way into the book: the names checked, the entries encoded.
class Importer::Batch {
 public:
  Batch(Importer& importer, std::string_view fallbackCategory) : importer_(importer), fallback_(fallbackCategory) {}

  void add(ForeignRecipe&& foreign, const std::function<void(ForeignRecipe&)>& prepare) {
    const std::string name = storedNameOf(foreign);
    const bool fresh = !importer_.names_.contains(name) && !taken_.contains(name);
    if (fresh) {
      if (prepare) prepare(foreign);
      store::NewRecipe recipe = toNewRecipe(foreign, fallback_);
      encoded_.append(store::encodeEntry(recipe, importer_.store_.files()));
      taken_.insert(name);
      ++result_.imported;
    } else {
      ++result_.skipped;
    }
    result_.recipes.push_back({name, fresh});
  }
  std::size_t done() const { return result_.recipes.size(); }

  FileImport commit() {
    importer_.store_.appendEncoded(encoded_.bytes());
    for (std::string name : taken_) importer_.names_.insert(std::move(name));
    return std::move(result_);
  }

 private:
  Importer& importer_;
  std::string_view fallback_;
  FileImport result_;
  EntryBuffer encoded_;
  std::unordered_set<std::string> taken_;
};

std::optional<FileImport> Importer::importFile(std::string_view bytes, std::string_view fallbackCategory,
                                               const ImportProgress& progress) {
  const std::size_t expected = progress ? expectedRecipes(bytes) : 0;
  Batch batch(*this, fallbackCategory);
  try {
    readCollection(bytes, [&](ForeignRecipe&& foreign) {
      batch.add(std::move(foreign), {});
      if (progress && !progress(batch.done(), std::max(batch.done(), expected))) throw Cancelled();
    });
  } catch (const Cancelled&) {
    return std::nullopt;
  }
  return batch.commit();
}

FileImport Importer::importRecipes(std::vector<ForeignRecipe> recipes, std::string_view fallbackCategory,
                                   const std::function<void(ForeignRecipe&)>& prepare) {
  Batch batch(*this, fallbackCategory);
  for (ForeignRecipe& recipe : recipes) batch.add(std::move(recipe), prepare);
  return batch.commit();
}

std::vector<std::string> reportLines(const FileImport& result) {
  std::vector<std::string> lines;
  lines.reserve(result.recipes.size());
  for (const ImportedRecipe& recipe : result.recipes)
    lines.push_back(recipe.imported ? "importiert: " + store::cp1252ToUtf8(recipe.name)
                                    : "übersprungen: " + store::cp1252ToUtf8(recipe.name) + " (Name schon vorhanden)");
  return lines;
}

std::string summaryLine(std::size_t imported, std::size_t skipped) {
  return std::to_string(imported) + " Rezepte importiert, " + std::to_string(skipped) + " übersprungen.";
}

}  // namespace zestovar::exchange
