// zestovar-genstore: writes a recipe store of N made-up recipes for the benchmark. The same seed and
// count give the same bytes. Every entry is built by the store's own encoder, so the layout is the
// one the program writes; the files are written in large blocks.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/Entry.h"
#include "store/Errors.h"
#include "store/FileIo.h"
#include "store/RecordFormat.h"

namespace fs = std::filesystem;
using namespace zestovar::store;

namespace {

// xoshiro256**: fast, and its sequence is fixed by the seed on every platform (the standard
// distributions are not).
class Random {
 public:
  explicit Random(std::uint64_t seed) {
    for (auto& word : s_) {
      seed += 0x9e3779b97f4a7c15ULL;
      std::uint64_t z = seed;
      z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
      z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
      word = z ^ (z >> 31);
    }
  }

  std::uint64_t next() {
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
  }

  // Uniform in [0, n).
  std::size_t below(std::size_t n) {
    return static_cast<std::size_t>(static_cast<double>(next() >> 11) * 0x1.0p-53 * static_cast<double>(n));
  }
  // Uniform in [lo, hi].
  std::size_t between(std::size_t lo, std::size_t hi) { return lo + below(hi - lo + 1); }
  bool chance(unsigned percent) { return below(100) < percent; }

  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[below(items.size())];
  }

  void fill(char* out, std::size_t size) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
      const std::uint64_t word = next();
      std::memcpy(out + i, &word, 8);
    }
    if (i < size) {
      const std::uint64_t word = next();
      std::memcpy(out + i, &word, size - i);
    }
  }

 private:
  static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t s_[4];
};

using Words = std::vector<std::string>;

// A word list written in UTF-8, items separated by "|", held in Windows-1252 as the recipe files hold
// its words.
Words cp1252(std::string_view utf8) {
  Words out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = utf8.find('|', start);
    out.push_back(utf8ToCp1252(utf8.substr(start, bar == std::string_view::npos ? bar : bar - start)));
    if (bar == std::string_view::npos) return out;
    start = bar + 1;
  }
}

struct CategoryWords {
  std::string name;
  unsigned weight;  // share of the recipes in percent
  Words dishes;
  Words with;
  Words styles;
};

struct Vocabulary {
  std::vector<CategoryWords> categories;
  Words owners;
  Words origins;
  Words authors;
  Words persons;
  Words weighed, measured, counted, spices;
  Words steps;
};

Vocabulary buildVocabulary() {
  const Words foodStyles = cp1252(
      "nach Hausfrauenart|nach Jägerart|nach Omas Art|auf badische Art|auf bayerische Art|"
      "auf Wiener Art|à la Provence|vom Blech|aus dem Ofen|aus der Pfanne|nach Art des Hauses|"
      "auf italienische Art|aus dem Schwarzwald|aus Franken|aus dem Allgäu|vom Grill|für Eilige|"
      "für Gäste|vegetarisch|wie in der Toskana|vom Wochenmarkt|aus dem Spreewald|"
      "nach Försterart|auf schwäbische Art");
  const Words drinkStyles = cp1252(
      "für Gäste|für den Sommer|für Kinder|nach Barkeeper-Art|für Winterabende|aus dem Garten|"
      "für die Gartenparty|im Krug|für Silvester|auf Eis|für heiße Tage|nach Art des Hauses");
  Vocabulary v;
  v.categories = {
      {std::string(kCategoryNames[0]), 14,
       cp1252("Bruschetta|Carpaccio|Vitello tonnato|Gefüllte Champignons|Lachstatar|Krabbencocktail|"
              "Blätterteigtaschen|Tomaten-Mozzarella-Salat|Räucherlachsröllchen|Gefüllte Eier|"
              "Zucchiniröllchen|Auberginenpaste|Käsecreme|Kräuterquark|Frühlingsrollen|Avocadocreme|"
              "Pilzterrine|Hühnerleberpastete|Geflügelsalat|Rote-Bete-Carpaccio|"
              "Ziegenkäse im Speckmantel|Gemüsefrikadellen|Feldsalat|Matjestatar"),
       cp1252("Knoblauch|Basilikum|Parmesan|Rucola|Kräuterbutter|Honig-Senf-Sauce|Walnüssen|Frischkäse|"
              "Schnittlauch|Meerrettich|Preiselbeeren|Oliven|Dill|Pinienkernen|Balsamico"),
       foodStyles},
      {std::string(kCategoryNames[1]), 10,
       cp1252("Kartoffelsuppe|Linsensuppe|Erbsensuppe|Gulaschsuppe|Tomatensuppe|Kürbissuppe|Hühnersuppe|"
              "Rinderbrühe|Zwiebelsuppe|Spargelcremesuppe|Brokkolicremesuppe|Bohneneintopf|Minestrone|"
              "Gemüsebrühe|Flädlesuppe|Leberknödelsuppe|Kohlsuppe|Möhren-Ingwer-Suppe|Pilzcremesuppe|"
              "Bärlauchsuppe|Fischsuppe|Borschtsch"),
       cp1252("Croûtons|Speck|Würstchen|Sahnehaube|Kräutern|Eierstich|Grießklößchen|Schmand|Ingwer|"
              "Kokosmilch|Curry|Majoran|Markklößchen|Petersilie"),
       foodStyles},
      {std::string(kCategoryNames[2]), 30,
       cp1252("Rinderbraten|Schweinebraten|Gulasch|Rouladen|Sauerbraten|Wiener Schnitzel|Jägerschnitzel|"
              "Hähnchenbrust|Putengeschnetzeltes|Lammkeule|Hackbraten|Königsberger Klopse|"
              "Kartoffelgratin|Lasagne|Spaghetti|Käsespätzle|Gemüsepfanne|Forelle|Lachsfilet|"
              "Kohlrouladen|Rehrücken|Kaninchenkeulen|Risotto|Ofenkartoffeln|Nudelauflauf|"
              "Chili con Carne|Schäufele|Fischfrikadellen|Gefüllte Paprika"),
       cp1252("Rotkohl|Klößen|Spätzle|Kartoffelpüree|Pilzrahmsauce|Bratkartoffeln|Speckbohnen|Rahmsauce|"
              "Gemüsereis|Sauerkraut|Salzkartoffeln|Senfsauce|Bandnudeln|Rosmarinkartoffeln|"
              "Röstzwiebeln|Semmelknödeln"),
       foodStyles},
      {std::string(kCategoryNames[3]), 16,
       cp1252("Mousse au Chocolat|Tiramisu|Panna cotta|Rote Grütze|Apfelstrudel|Kaiserschmarrn|"
              "Quarkspeise|Vanillepudding|Crème brûlée|Erdbeerquark|Bratapfel|Milchreis|Grießflammeri|"
              "Zitronencreme|Obstsalat|Schokoladeneis|Beerengrütze|Aprikosenknödel|Himbeertraum|"
              "Pfirsichkompott|Marillenmarmelade|Eierlikörcreme"),
       cp1252("Vanillesauce|Sahne|Schokoladensauce|Beeren|Karamell|Mandeln|Zimt|Pistazien|Himbeersauce|"
              "Minze|Kirschen|Eierlikör"),
       foodStyles},
      {std::string(kCategoryNames[4]), 20,
       cp1252("Apfelkuchen|Käsekuchen|Zwetschgenkuchen|Marmorkuchen|Schwarzwälder Kirschtorte|"
              "Bienenstich|Streuselkuchen|Hefezopf|Bauernbrot|Dinkelbrötchen|Butterplätzchen|"
              "Vanillekipferl|Zimtsterne|Lebkuchen|Frankfurter Kranz|Donauwelle|Nusszopf|Roggenbrot|"
              "Laugenbrezeln|Rhabarberkuchen|Eierschecke|Stollen|Buttermilchbrot|Quarkbrötchen"),
       cp1252("Streuseln|Sahne|Mandeln|Quark|Rosinen|Haselnüssen|Kürbiskernen|Sonnenblumenkernen|"
              "Marzipan|Schokoglasur|Puderzucker|Mohn|Zuckerguss"),
       foodStyles},
      {std::string(kCategoryNames[5]), 10,
       cp1252("Erdbeerbowle|Maibowle|Caipirinha|Mojito|Bananenshake|Holunderblütensirup|Glühwein|"
              "Eierpunsch|Himbeerlimonade|Eistee|Kakao|Ingwerlimonade|Pfirsichbowle|Kirschshake|"
              "Virgin Colada|Apfelpunsch|Heiße Schokolade|Sommerbowle|Orangen-Smoothie|Mango-Lassi"),
       cp1252("Minze|Limette|Sekt|Rum|Eiswürfeln|Ingwer|Zitrone|Vanilleeis|Zimt|Honig|Orangensaft|Sahne"), drinkStyles},
  };
  v.owners = cp1252("Omas|Opas|Tante Ernas|Quennas|Mamas|Hildes|Onkel Pauls|Lisas|Großmutters|Bärbels");
  v.origins = cp1252(
      "afrikanisch|amerikanisch|arabisch|argentinisch|asiatisch|australisch|chinesisch|deutsch|"
      "englisch|französisch|griechisch|indisch|International|italienisch|japanisch|keine Angabe|"
      "lateinamerikanisch|österreichisch|polnisch|russisch|schweizerisch|spanisch|ungarisch");
  v.authors = cp1252(
      "Quenna|Hilde Brandstätter|Marlene Vogt|Jürgen Kasper|Oma Else|Sabine Wiegand|"
      "Karl-Heinz Bäumer|Petra Lindner|Anneliese Pohl|Thomas Reuter|Gisela Sommerfeld|"
      "Uwe Kranich|Monika Haller|Franziska Ebner|Dieter Schwalm|Renate Feuerstein|"
      "Helga Brückner|Wolfgang Zierer|Birgit Rosental|Stefan Oberländer|Claudia Meinhardt|"
      "Ingrid Seidel|Kochstudio Zestovar|Lena Fröhlich|Ursula Krämer|Markus Weidner|"
      "Tanja Holzapfel|Elfriede Moser|Rolf Gutknecht|Erika Sander");
  v.persons = cp1252("4|4|4|4|2|2|2|6|6|1|3|8|12||");
  v.weighed = cp1252(
      "Mehl|Zucker|Butter|Hackfleisch|Rindfleisch|Schweinefleisch|Hähnchenbrustfilet|Lachsfilet|"
      "Kartoffeln|Karotten|Tomaten|Champignons|Spinat|Reis|Bandnudeln|Quark|Parmesan|Gouda|"
      "Speck|Erdbeeren|Himbeeren|Haselnüsse|Mandeln|Zartbitterschokolade|Puderzucker|Rosinen");
  v.measured = cp1252(
      "Milch|Sahne|Gemüsebrühe|Rinderbrühe|Weißwein|Rotwein|Olivenöl|Orangensaft|Mineralwasser|"
      "Buttermilch|Rum|Apfelsaft|Crème fraîche|Schmand|Essig");
  v.counted = cp1252(
      "Eier|Zwiebeln|Knoblauchzehen|Paprikaschoten|Äpfel|Zitronen|Limetten|Lorbeerblätter|"
      "Stangen Lauch|Zucchini|Brötchen vom Vortag|Scheiben Toastbrot|Bananen|Pfirsiche|"
      "Gewürzgurken");
  v.spices = cp1252(
      "Salz|Pfeffer|Muskatnuss|Paprikapulver|Zimt|Kümmel|Majoran|Thymian|Vanillezucker|"
      "Backpulver|Petersilie|Schnittlauch|Minze|Cayennepfeffer");
  v.steps = cp1252(
      "Den Backofen auf 180 Grad vorheizen.|"
      "Die Zwiebeln schälen, fein würfeln und in Butter glasig dünsten.|"
      "Die Kartoffeln waschen, schälen und in gleich große Stücke schneiden.|"
      "Das Fleisch trocken tupfen, salzen und pfeffern.|"
      "In einem Bräter das Öl erhitzen und das Fleisch von allen Seiten kräftig anbraten.|"
      "Mit Brühe ablöschen und zugedeckt bei kleiner Hitze schmoren lassen.|"
      "Mehl, Zucker und Backpulver in einer Schüssel mischen.|"
      "Die Eier mit dem Zucker schaumig schlagen.|Die weiche Butter nach und nach unterrühren.|"
      "Den Teig in eine gefettete Springform füllen und glatt streichen.|"
      "Die Sahne steif schlagen und vorsichtig unterheben.|"
      "Mit Salz, Pfeffer und einer Prise Zucker abschmecken.|"
      "Die Kräuter waschen, trocken schütteln und fein hacken.|"
      "Das Gemüse putzen und in feine Streifen schneiden.|"
      "Alles gut verrühren und etwa eine halbe Stunde ziehen lassen.|"
      "Die Nudeln in reichlich Salzwasser bissfest garen.|"
      "Die Sauce durch ein feines Sieb streichen.|"
      "Vor dem Servieren mit frischen Kräutern bestreuen.|"
      "Am besten schmeckt es am nächsten Tag, aufgewärmt.|Dazu passt ein frischer grüner Salat.|"
      "Den Teig zu einer Kugel formen und in Folie gewickelt kalt stellen.|"
      "Die Früchte waschen, entsteinen und halbieren.|Die Gelatine in kaltem Wasser einweichen.|"
      "Milch und Vanillemark aufkochen, dann vom Herd nehmen.|"
      "Die Masse in Gläser füllen und mindestens vier Stunden kühlen.|"
      "Alle Zutaten mit Eis in den Shaker geben und kräftig schütteln.|"
      "In vorgekühlte Gläser abseihen und sofort servieren.|"
      "Mit einer Scheibe Limette und einem Minzzweig garnieren.|"
      "Die Brühe aufkochen und die Einlage darin ziehen lassen.|"
      "Den Speck in feine Würfel schneiden und auslassen.|"
      "Zwischendurch immer wieder umrühren, damit nichts ansetzt.|"
      "Die Hefe in lauwarmer Milch auflösen.|"
      "Den Teig an einem warmen Ort zugedeckt gehen lassen, bis er sich verdoppelt hat.|"
      "Mit Puderzucker bestäuben.|"
      "Die Form mit Butter ausstreichen und mit Semmelbröseln ausstreuen.|"
      "Den Käse reiben und über den Auflauf streuen.|Die Suppe mit dem Stabmixer fein pürieren.|"
      "Nach Belieben mit einem Klecks saurer Sahne anrichten.");
  return v;
}

std::string joinWords(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (auto part : parts) {
    if (part.empty()) continue;
    if (!out.empty()) out += ' ';
    out += part;
  }
  return out;
}

class RecipeMaker {
 public:
  explicit RecipeMaker(std::uint64_t seed) : random_(seed), words_(buildVocabulary()) {}

  bool toUpdateFile() { return random_.chance(10); }

  NewRecipe recipe() {
    NewRecipe r;
    const CategoryWords& category = pickCategory();
    r.category = category.name;
    r.subcategories = pickSubcategories(category.name);
    r.name = uniqueName(category);
    r.origin = pickOrigin();
    const std::size_t lines = random_.between(3, 15);
    for (std::size_t i = 0; i < lines; ++i) r.ingredients.push_back(ingredient());
    r.preparation = preparation();
    r.author = random_.pick(words_.authors);
    r.persons = random_.pick(words_.persons);
    return r;
  }

  // About seven entries in ten carry a picture of 15 to 60 KB.
  bool hasPicture() { return random_.chance(70); }

  void picture(std::string& out) {
    static constexpr unsigned char kHeader[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',
                                                0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
    const std::size_t size = random_.between(15 * 1024, 60 * 1024);
    out.resize(size);
    random_.fill(out.data(), size);
    std::memcpy(out.data(), kHeader, sizeof kHeader);
    out[size - 2] = static_cast<char>(0xFF);
    out[size - 1] = static_cast<char>(0xD9);
    // The format has no escape: a group of 49 bytes that began like the picture end record would end
    // the picture early and break every later walk.
    for (std::size_t pos = 0; pos + 1 + kPictureEnd.size() <= size; pos += kPictureGroup) {
      if (static_cast<unsigned char>(out[pos]) == kPictureEnd.size() &&
          std::memcmp(out.data() + pos + 1, kPictureEnd.data(), kPictureEnd.size()) == 0)
        out[pos] = 0;
    }
  }

 private:
  const CategoryWords& pickCategory() {
    std::size_t roll = random_.below(100);
    for (const auto& c : words_.categories) {
      if (roll < c.weight) return c;
      roll -= c.weight;
    }
    return words_.categories.back();
  }

  // One to three names, kept in the order of the editor's sorted list as the editor stores them.
  std::vector<std::string> pickSubcategories(const std::string& category) {
    const std::vector<std::string> all = subcategoriesSorted(category);
    const std::size_t wanted = std::min<std::size_t>(random_.between(1, 3), all.size());
    std::vector<bool> ticked(all.size(), false);
    for (std::size_t n = 0; n < wanted;) {
      const std::size_t i = random_.below(all.size());
      if (!ticked[i]) {
        ticked[i] = true;
        ++n;
      }
    }
    std::vector<std::string> out;
    for (std::size_t i = 0; i < all.size(); ++i)
      if (ticked[i]) out.push_back(all[i]);
    return out;
  }

  // Names are unique without regard to letter case: the browse list would otherwise rename repeated
  // names on disk, and the benchmark must leave the store as it found it.
  std::string uniqueName(const CategoryWords& c) {
    for (unsigned attempt = 0;; ++attempt) {
      const std::string owner = random_.chance(25) ? random_.pick(words_.owners) : std::string();
      std::string with;
      if (random_.chance(60)) {
        with = "mit " + random_.pick(c.with);
        if (random_.chance(40)) {
          const std::string& second = random_.pick(c.with);
          if (with.find(second) == std::string::npos) with += " und " + second;
        }
      }
      const std::string style = random_.chance(50) ? random_.pick(c.styles) : std::string();
      std::string name = joinWords({owner, random_.pick(c.dishes), with, style});
      // A long run of collisions only happens for stores far larger than the word lists were made for.
      if (attempt >= 64) name = name.substr(0, 36) + " Nr. " + std::to_string(names_.size());
      if (name.size() > kMaxText) continue;
      std::string key = name;
      for (char& ch : key) ch = foldCase(ch);
      if (names_.insert(std::move(key)).second) return name;
    }
  }

  std::string pickOrigin() {
    const std::size_t roll = random_.below(100);
    if (roll < 35) return words_.origins[7];   // deutsch
    if (roll < 55) return words_.origins[15];  // keine Angabe
    if (roll < 65) return words_.origins[13];  // italienisch
    return random_.pick(words_.origins);
  }

  std::string ingredient() {
    switch (random_.below(4)) {
      case 0: {
        static const Words amounts = {"50 g",  "100 g", "125 g", "150 g", "200 g", "250 g",
                                      "300 g", "400 g", "500 g", "750 g", "1 kg",  "1,5 kg"};
        return random_.pick(amounts) + " " + random_.pick(words_.weighed);
      }
      case 1: {
        static const Words amounts = {"2 EL",   "3 EL",  "4 EL",  "100 ml", "125 ml", "200 ml",
                                      "250 ml", "1/4 l", "1/2 l", "3/4 l",  "1 l",    "1 Schuss"};
        return random_.pick(amounts) + " " + random_.pick(words_.measured);
      }
      case 2:
        return std::to_string(random_.between(1, 8)) + " " + random_.pick(words_.counted);
      default: {
        static const Words amounts = cp1252("1 Prise|1 TL|1/2 TL|2 TL|1 EL|1 Bund|etwas|1 Päckchen");
        return random_.pick(amounts) + " " + random_.pick(words_.spices);
      }
    }
  }

  // 100 to 1500 characters of whole sentences, paragraphs separated by CR LF as the editor holds them.
  std::string preparation() {
    const std::size_t target = random_.between(100, 1500);
    std::string text;
    while (text.size() < target) {
      std::string sentence;
      switch (random_.below(8)) {
        case 0:
          sentence = "Bei " + std::to_string(random_.between(16, 22) * 10) + " Grad etwa " +
                     std::to_string(random_.between(2, 12) * 5) + " Minuten backen.";
          break;
        case 1:
          sentence =
              "Alles " + std::to_string(random_.between(1, 8) * 5) + " Minuten bei mittlerer Hitze köcheln lassen.";
          sentence = utf8ToCp1252(sentence);
          break;
        default:
          sentence = random_.pick(words_.steps);
      }
      std::string separator;
      if (!text.empty()) separator = random_.chance(25) ? "\r\n" : " ";
      if (text.size() + separator.size() + sentence.size() > 1500) break;
      text += separator + sentence;
    }
    while (text.size() < 100) text += " Guten Appetit!";
    return text;
  }

  Random random_;
  Vocabulary words_;
  std::unordered_set<std::string> names_;
};

// Collects entries and writes them in blocks of several megabytes.
class BlockWriter {
 public:
  BlockWriter(Files& files, const fs::path& path) : file_(files.open(path, OpenMode::CreateTruncate)) {
    buffer_.reserve(kBlock + 128 * 1024);
  }

  void add(std::string_view entry) {
    buffer_.append(entry);
    ++entries_;
    if (buffer_.size() >= kBlock) drain();
  }

  void finish() {
    drain();
    file_->flush();
  }

  std::uint64_t bytes() const { return written_ + buffer_.size(); }
  std::uint64_t entries() const { return entries_; }

 private:
  static constexpr std::size_t kBlock = std::size_t{16} << 20;

  void drain() {
    if (buffer_.empty()) return;
    file_->writeAt(written_, std::as_bytes(std::span(buffer_)));
    written_ += buffer_.size();
    buffer_.clear();
  }

  std::unique_ptr<FileIo> file_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  std::uint64_t entries_ = 0;
};

int usage() {
  std::cerr << "Aufruf: zestovar-genstore --dir VERZEICHNIS --recipes N [--seed ZAHL]\n"
               "  schreibt \"Zestovar.dat\" (etwa 90 %) und \"zsv.dat\" (etwa 10 %) mit N erfundenen Rezepten\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path dir;
  std::uint64_t recipes = 0;
  std::uint64_t seed = 1;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string_view arg = argv[i];
      if (i + 1 >= argc) return usage();
      if (arg == "--dir")
        dir = argv[++i];
      else if (arg == "--recipes")
        recipes = std::stoull(argv[++i]);
      else if (arg == "--seed")
        seed = std::stoull(argv[++i]);
      else
        return usage();
    }
  } catch (const std::exception&) {
    return usage();
  }
  if (dir.empty() || recipes == 0) return usage();

  try {
    const auto started = std::chrono::steady_clock::now();
    fs::create_directories(dir);
    auto files = diskFiles();
    BlockWriter mainFile(*files, dir / std::string(kMainFileName));
    BlockWriter updateFile(*files, dir / std::string(kUpdateFileName));
    RecipeMaker maker(seed);
    std::string picture;
    for (std::uint64_t i = 0; i < recipes; ++i) {
      BlockWriter& target = maker.toUpdateFile() ? updateFile : mainFile;
      const NewRecipe recipe = maker.recipe();
      if (maker.hasPicture()) {
        maker.picture(picture);
        target.add(encodeEntry(recipe, PictureState::Bytes, picture));
      } else {
        target.add(encodeEntry(recipe, PictureState::None, {}));
      }
    }
    mainFile.finish();
    updateFile.finish();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%s: %llu Rezepte in %s (%llu Bytes) und %s (%llu Bytes), %.1f s\n", dir.c_str(),
                static_cast<unsigned long long>(recipes), std::string(kMainFileName).c_str(),
                static_cast<unsigned long long>(mainFile.bytes()), std::string(kUpdateFileName).c_str(),
                static_cast<unsigned long long>(updateFile.bytes()), seconds);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
