#include "online/Publishing.h"

#include <algorithm>
#include <span>
#include <unordered_map>
#include <unordered_set>

#include "store/Entry.h"
#include "store/Errors.h"

namespace zestovar::online {

std::vector<KnownPair> publishable(store::RecipeStore& store, const std::vector<ListRecord>& listPage) {
  // The last record of each name on the page.
  std::unordered_map<std::string, const ListRecord*> lastByName;
  for (const ListRecord& record : listPage) lastByName[record.name] = &record;
  std::vector<KnownPair> own;
  auto main = store.openMain();
  std::string author;
  store::walkEntries(*main, [&](store::RecordReader& in, store::EntryHead& head) {
    store::skipRest(in, &author);
    const auto onPage = lastByName.find(head.name);
    if (onPage == lastByName.end() || onPage->second->author != author) own.emplace_back(head.name, author);
    return true;
  });
  return own;
}

std::string uploadRecords(store::RecipeStore& store, const std::vector<std::string>& names) {
  const std::unordered_set<std::string> wanted(names.begin(), names.end());
  std::string records;
  auto main = store.openMain();
  store::walkEntries(*main, [&](store::RecordReader& in, store::EntryHead& head) {
    store::skipRest(in);
    if (!wanted.contains(head.name)) return true;
    const std::size_t at = records.size();
    const std::uint64_t bytes = (in.position() - head.first) * store::kRecordSize;
    records.resize(at + static_cast<std::size_t>(bytes));
    const auto span = std::as_writable_bytes(std::span(records.data() + at, static_cast<std::size_t>(bytes)));
    // A record missing here is a file that shrank under the walk, never a torn tail.
    if (main->readAt(head.first * store::kRecordSize, span) != bytes)
      throw store::StoreError(std::string(store::kEndOfFile));
    return true;
  });
  return records;
}

}  // namespace zestovar::online
