// The input of the store fuzz targets: a recipe file in a program directory in memory. It is the main
// recipe file or the update recipe file, as the parity of its size says; the other file holds one
// sound entry, so each operation walks the input once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "StoreFixtures.h"
#include "store/Errors.h"
#include "store/RecipeStore.h"
#include "store/RecordReader.h"

namespace zestovar::test {

template <typename Operation>
void expectOnlyStoreErrors(Operation&& run) {
  try {
    run();
  } catch (const store::StoreError&) {
  }
}

struct FuzzedStore {
  FuzzedStore(const std::uint8_t* data, std::size_t size) : asMain(size % 2 == 0) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string sound;
    for (const char* text : {"Suppe", " Suppen", "Gulasch", "1", "0", "Ivan", "4", "!!!Ende des Bildes!!!",
                             "!!!Ende des Bildes!!!", "!!!Ende des Bildes!!!"})
      store::appendTextRecord(sound, text);
    dir.write("Zestovar.dat", asMain ? bytes : std::string_view(sound));
    dir.write("zsv.dat", asMain ? std::string_view(sound) : bytes);
    // Category and name of the first entry, so that the lookups find something to read in full.
    if (size >= 3 * store::kRecordSize) {
      category = store::recordText(data);
      name = store::recordText(data + 2 * store::kRecordSize);
    }
  }

  MemoryDir dir;
  bool asMain;
  std::string category = "Suppe", name = "Gulasch";
};

}  // namespace zestovar::test
