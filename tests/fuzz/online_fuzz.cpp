// libFuzzer target: the input is what the recipe web site sends, as a list page, as a downloaded recipe
// and as a news page. Parsing, filtering, ordering, the download check and the link scan end in a
// result or in DownloadError, never in a crash, a hang or a read out of bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "online/Download.h"
#include "online/ListPage.h"
#include "online/NewsLinks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zestovar::online;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  std::vector<ListRecord> offer = parseListPage(bytes);
  std::vector<KnownPair> known;
  for (const auto& record : offer) known.emplace_back(record.name, record.author);
  removeKnown(offer, known);
  const std::vector<std::string> ticked = {"Suppen", "e"};
  for (const auto& record : offer) {
    filterOffer(offer, record.categoryLine.substr(0, 5), &ticked);
    if (compareDates(record.date, record.date) != 0 || compareTexts(record.name, record.name) != 0) abort();
  }
  std::sort(offer.begin(), offer.end(),
            [](const ListRecord& a, const ListRecord& b) { return compareDates(a.date, b.date) < 0; });

  try {
    const std::string_view records = checkedDownload(bytes);
    if (records.size() % 51 != 0 || records.size() > size) abort();
  } catch (const DownloadError&) {
  }

  LinkScan scan;
  scan.start(newsText(bytes));
  while (!scan.done()) scan.step();
  for (const Link& link : scan.links())
    if (link.position < 1 || link.length < 1 || scan.addressesAt(link.position - 1).empty()) abort();
  return 0;
}
