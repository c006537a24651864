#include "views/RecipePage.h"

#include "store/Amounts.h"
#include "store/Cp1252.h"
#include "store/EntryRules.h"
#include "store/Errors.h"

namespace zestovar::views {

using namespace zestovar::store;

std::string pageEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 16);
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  // CR, LF and CR LF each end a line; a final line break makes no extra line.
  std::vector<std::string_view> lines;
  std::string_view rest = escaped;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back(rest);
      break;
    }
    lines.push_back(rest.substr(0, end));
    std::size_t next = end + 1;
    if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n') ++next;
    rest.remove_prefix(next);
  }
  std::string out;
  out.reserve(escaped.size() + lines.size() * 6);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 0)
      out += lines[i];
    else if (isBlankLine(lines[i], ' '))
      out += "<BR>";
    else {
      out += lines[i];
      out += "<BR>";
    }
    out += "\r\n";
  }
  return out;
}

std::optional<int> personsNumber(std::string_view personsRecord) {
  // "4 Personen" counts as 4; a range ("2-3"), a decimal or a number out of range gives none.
  const auto amount = leadingAmount(personsRecord);
  if (!amount || amount->high || amount->begin != 0) return std::nullopt;
  const std::string_view digits = personsRecord.substr(0, amount->end);
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  if (amount->low < kFewestPersons || amount->low > kMostPersons) return std::nullopt;
  return static_cast<int>(amount->low);
}

bool isBlankLine(std::string_view line, char c) {
  for (char x : line)
    if (x != c) return false;
  return true;
}

void renderEntry(RecordReader& in, const EntryHead& head, PageForm form, std::vector<std::string>& page,
                 const std::function<void(std::string_view)>& writeImage, std::string_view defaultPicture,
                 std::optional<int> wanted, std::string* personsShown) {
  page.clear();
  page.push_back("<body><font size=\"3\"><b>" + head.name);
  const int n1 = checkedIngredientCount(in);
  int count = n1;
  if (isOriginMarker(in.nextText())) {
    in.next();  // the origin is not shown
    count = n1 - 2;
  } else {
    in.seek(in.position() - 1);
  }
  if (count < 1) throwEndOfFile();
  if (form == PageForm::MainFile) page.emplace_back("<br>");
  page.emplace_back("<font size=\"2\">");
  // The author line goes in above the ingredient lines before they are scaled.
  const std::size_t firstIngredient = page.size() + 1;
  std::vector<std::string> ingredients;
  for (int i = 0; i < count - 1; ++i) {
    ingredients.emplace_back(in.nextText());
    page.push_back(ingredients.back() + "<br>");
  }
  const int n2 = checkedPreparationCount(in);
  if (form == PageForm::UpdateFile) page.emplace_back("<br>");
  std::string preparation;
  for (int i = 0; i < n2; ++i) preparation += in.nextText();
  page.push_back(pageEscape(preparation));
  page.emplace_back("</font></body>");
  const std::string author(in.nextText());
  page.insert(page.begin() + 1,
              std::string(form == PageForm::MainFile ? "<font size=\"2\">Autor: " : "<font size=\"1\">Autor: ") +
                  author + "</font><br><br>");
  std::string persons(in.nextText());
  if (personsShown) *personsShown = persons;
  const std::optional<int> own = personsNumber(persons);
  if (wanted && own && *wanted != *own && *wanted >= kFewestPersons && *wanted <= kMostPersons) {
    const double factor = static_cast<double>(*wanted) / *own;
    for (std::size_t i = 0; i < ingredients.size(); ++i)
      page[firstIngredient + i] = scaledLine(ingredients[i], factor) + "<br>";
    persons = std::to_string(*wanted);
  }
  if (persons.empty())
    page[0] += "</b></font><br>";
  else if (persons == "1")
    page[0] += store::utf8ToCp1252("</b></font><font size=\"2\"> (Zutaten für ") + persons + " Person)</font><br>";
  else
    page[0] += store::utf8ToCp1252("</b></font><font size=\"2\"> (Zutaten für ") + persons + " Personen)</font><br>";
  std::string picture;
  if (readPicture(in, &picture)) {
    writeImage(picture);
    page.insert(page.begin() + 2, "<img src= \"Image.jpg\" border=\"0\"><br><br>");
  } else {
    writeImage(defaultPicture);
  }
}

std::string pageBytes(const std::vector<std::string>& page) {
  std::string bytes;
  for (const auto& line : page) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

ShownPage showRecipePage(RecipeStore& store, std::string_view name, std::string_view defaultPicture,
                         const std::function<void(const std::string&)>& onUpdateEntryError,
                         std::optional<int> persons) {
  Files& files = store.files();
  // The page asks for exactly "Image.jpg"; a file of another spelling is left alone.
  const auto imagePath = store.dir() / std::string(kImageFileName);
  const auto writeImage = [&](std::string_view bytes) { writeWholeFile(files, imagePath, bytes); };
  std::vector<std::string> page;
  // An entry is rendered beside the page: the torn tail of an interrupted append, which is passed over,
  // must leave the page as it was.
  std::vector<std::string> rendered;
  std::string personsRendered;
  std::string personsShown;
  bool found = false;
  const auto render = [&](RecordReader& in, const EntryHead& head, PageForm form) {
    personsRendered.clear();
    renderEntry(in, head, form, rendered, writeImage, defaultPicture, persons, &personsRendered);
  };
  const auto takeRendered = [&] {
    page.swap(rendered);
    personsShown.swap(personsRendered);
    found = true;
  };
  {
    auto main = store.openMain();
    walkEntries(*main, [&](RecordReader& in, EntryHead& head) {
      if (head.name != name) {
        skipRest(in);
        return true;
      }
      render(in, head, PageForm::MainFile);
      takeRendered();
      return true;
    });
  }
  FileIo& update = store.updateFile();
  RecordReader in(update);
  EntryHead head;
  std::string lastName;
  while (!in.atEnd()) {
    const std::uint64_t first = in.position();
    bool rendering = false;
    try {
      // The name record read last identifies the entry in the message.
      head.first = first;
      in.next();
      in.next();
      head.name = in.nextText();
      lastName = head.name;
      if (head.name == name) {
        rendering = true;
        render(in, head, PageForm::UpdateFile);
        takeRendered();
      } else {
        skipRest(in);
      }
    } catch (const EndOfFileError&) {
      if (isTornTail(update, first)) break;
      // Rendering clears the page first: a failing entry leaves what it rendered so far.
      if (rendering) takeRendered();
      onUpdateEntryError(lastName);
    } catch (const StoreError&) {
      if (rendering) takeRendered();
      onUpdateEntryError(lastName);
    }
  }
  const auto pagePath = resolveProgramFile(files, store.dir(), kPageFileName);
  writeWholeFile(files, pagePath, pageBytes(page));
  return {pagePath, personsShown, found};
}

}  // namespace zestovar::views
