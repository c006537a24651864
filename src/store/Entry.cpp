#include "store/Entry.h"

#include <algorithm>

#include "store/Cp1252.h"
#include "store/EntryRules.h"
#include "store/Errors.h"

namespace zestovar::store {

std::string StoredRecipe::preparation() const {
  std::string text;
  for (const auto& piece : preparationPieces) text += piece;
  return text;
}

void readHead(RecordReader& in, EntryHead& head) {
  head.first = in.position();
  head.category = in.nextText();
  head.subcategories = in.nextText();
  head.name = in.nextText();
}

EntryHead readHead(RecordReader& in) {
  EntryHead head;
  readHead(in, head);
  return head;
}

int checkedIngredientCount(RecordReader& in) {
  const int n1 = in.nextInteger();
  // A count below 1 would send the walk back to records it has read already.
  if (n1 < 1) throwEndOfFile();
  return n1;
}

int checkedPreparationCount(RecordReader& in) {
  const int n2 = in.nextInteger();
  if (n2 < 0) throwEndOfFile();
  return n2;
}

bool readPicture(RecordReader& in, std::string* picture) {
  if (!picture) {
    // The entry walk passes over the picture, the tail length and the tail without reading them.
    const bool any = in.skipToPictureEnd();
    in.seek(in.position() + 2);
    in.next();
    return any;
  }
  bool any = false;
  for (;;) {
    const unsigned char* record = in.next();
    if (isPictureEnd(record)) break;
    any = true;
    picture->append(reinterpret_cast<const char*>(record), kPictureGroup);
  }
  if (!any) {
    in.next();
    in.next();
    return false;
  }
  const int tail = std::clamp(in.nextInteger(), 0, static_cast<int>(kRecordSize));
  const unsigned char* record = in.next();
  picture->append(reinterpret_cast<const char*>(record), static_cast<std::size_t>(tail));
  return true;
}

void walkEntries(FileIo& file, const EntryVisitor& visit) {
  RecordReader in(file);
  EntryHead head;
  while (!in.atEnd()) {
    const std::uint64_t first = in.position();
    try {
      readHead(in, head);
      if (!visit(in, head)) return;
    } catch (const EndOfFileError&) {
      if (isTornTail(file, first)) return;
      throw;
    }
  }
}

namespace {

// The record where a walk runs out of records; none when it ends cleanly. Faults throw.
std::optional<std::uint64_t> walkToEnd(FileIo& file) {
  RecordReader in(file);
  std::uint64_t first = 0;
  try {
    while (!in.atEnd()) {
      first = in.position();
      in.seek(first + kIngredientCountAt);
      skipRest(in);
    }
  } catch (const EndOfFileError&) {
    return first;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> findTornTail(FileIo& file) {
  try {
    const auto ranOut = walkToEnd(file);
    if (ranOut && isTornTail(file, *ranOut)) return ranOut;
  } catch (const StoreError&) {
  }
  return std::nullopt;
}

std::uint64_t appendPosition(FileIo& file) {
  if (const auto torn = findTornTail(file)) return *torn;
  return file.size() / kRecordSize;
}

void skipRest(RecordReader& in, std::string* author) {
  const int n1 = checkedIngredientCount(in);
  const std::uint64_t after = in.position();
  // With two records in the ingredient block an origin marker would make the origin record the
  // preparation count.
  if (n1 == 2 && isOriginMarker(in.nextText())) throwEndOfFile();
  in.seek(after + static_cast<std::uint64_t>(n1 - kCountedWithoutOrigin));
  const int n2 = checkedPreparationCount(in);
  in.seek(in.position() + static_cast<std::uint64_t>(n2));
  if (author)
    *author = in.nextText();
  else
    in.next();
  in.next();  // persons
  readPicture(in, nullptr);
}

StoredRecipe readRest(RecordReader& in, EntryHead head) {
  StoredRecipe r;
  r.head = std::move(head);
  const int n1 = checkedIngredientCount(in);
  int lines = n1 - kCountedWithoutOrigin;
  if (lines > 0) {
    const std::string_view fifth = in.nextText();
    if (isOriginMarker(fifth)) {
      if (n1 < kCountedWithOrigin) throwEndOfFile();
      r.hasOriginMarker = true;
      r.origin = in.nextText();
      lines = n1 - kCountedWithOrigin;
    } else {
      r.origin = kNoOrigin;
      in.seek(in.position() - 1);
    }
  } else {
    r.origin = kNoOrigin;
  }
  // A count can promise more lines than the file holds.
  r.ingredients.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(
      static_cast<std::uint64_t>(std::max(lines, 0)), in.recordCount() - std::min(in.position(), in.recordCount()))));
  for (int i = 0; i < lines; ++i) r.ingredients.emplace_back(in.nextText());
  const int n2 = checkedPreparationCount(in);
  for (int i = 0; i < n2; ++i) r.preparationPieces.emplace_back(in.nextText());
  r.author = in.nextText();
  r.persons = in.nextText();
  r.hasPicture = readPicture(in, &r.picture);
  r.end = in.position();
  return r;
}

StoredRecipe readEntry(RecordReader& in) { return readRest(in, readHead(in)); }

std::string subcategoryRecord(const std::vector<std::string>& ticked) {
  std::string record;
  for (const auto& name : ticked) {
    record += ' ';
    record += name;
    if (record.size() > kMaxText) record.resize(kMaxText);
  }
  return record;
}

std::optional<std::size_t> pictureEndInPicture(std::string_view picture) {
  std::string end;
  appendTextRecord(end, kPictureEnd);
  end.resize(1 + kPictureEnd.size());
  // Only full groups become picture records; the rest goes into the tail record, which is never
  // compared.
  for (std::size_t pos = 0; picture.size() - pos >= kPictureGroup; pos += kPictureGroup)
    if (picture.compare(pos, end.size(), end) == 0) return pos;
  return std::nullopt;
}

namespace {

std::string pictureLabel(const NewRecipe& r) {
  if (!r.picture.empty()) return "Das Bild '" + r.picture.filename().string() + "'";
  return "Das Bild des Rezepts '" + cp1252ToUtf8(r.name) + "'";
}

}  // namespace

std::string encodeEntry(const NewRecipe& r, PictureState pictureState, std::string_view picture) {
  if (pictureState == PictureState::Bytes) {
    if (const auto at = pictureEndInPicture(picture))
      throw StoreError(pictureLabel(r) + " kann nicht gespeichert werden: ab Byte " + std::to_string(*at) +
                       " enthält es die Endmarke der Bilddaten (\"" + std::string(kPictureEnd) +
                       "\"), die das Rezeptbuch unlesbar machen würde." +
                       (r.picture.empty() ? "" : " Bitte ein anderes Bild wählen."));
  }
  std::string out;
  appendTextRecord(out, r.category);
  appendTextRecord(out, subcategoryRecord(r.subcategories));
  appendTextRecord(out, r.name);
  appendTextRecord(out, std::to_string(r.ingredients.size() + kCountedWithOrigin));
  appendTextRecord(out, kOriginMarker);
  appendTextRecord(out, r.origin);
  for (const auto& line : r.ingredients) appendTextRecord(out, line);
  const std::size_t pieces = (r.preparation.size() + kMaxText - 1) / kMaxText;
  appendTextRecord(out, std::to_string(pieces));
  for (std::size_t i = 0; i < pieces; ++i)
    appendTextRecord(out, std::string_view(r.preparation).substr(i * kMaxText, kMaxText));
  appendTextRecord(out, r.author);
  appendTextRecord(out, r.persons);
  switch (pictureState) {
    case PictureState::None:
      for (int i = 0; i < 3; ++i) appendTextRecord(out, kPictureEnd);
      break;
    case PictureState::Unreadable:
      appendTextRecord(out, kPictureEnd);
      appendTextRecord(out, "-1");
      out.append(kRecordSize, '\0');
      break;
    case PictureState::Bytes: {
      std::size_t pos = 0;
      for (; picture.size() - pos >= kPictureGroup; pos += kPictureGroup) {
        out.append(picture.substr(pos, kPictureGroup));
        out.append(kRecordSize - kPictureGroup, '\0');
      }
      const std::size_t rest = picture.size() - pos;
      appendTextRecord(out, kPictureEnd);
      appendTextRecord(out, std::to_string(rest));
      out.append(picture.substr(pos));
      out.append(kRecordSize - rest, '\0');
      break;
    }
  }
  return out;
}

std::string encodeEntry(const NewRecipe& recipe, Files& files) {
  if (recipe.picture.empty())
    return recipe.pictureBytes.empty() ? encodeEntry(recipe, PictureState::None, {})
                                       : encodeEntry(recipe, PictureState::Bytes, recipe.pictureBytes);
  std::optional<std::string> bytes;
  try {
    bytes = readWholeFile(files, recipe.picture);
  } catch (const NotAFileError&) {
    throw;  // a pipe or a device is refused, not stored as a picture that could not be read
  } catch (const StoreError&) {
  }
  if (!bytes) return encodeEntry(recipe, PictureState::Unreadable, {});
  return encodeEntry(recipe, PictureState::Bytes, *bytes);
}

}  // namespace zestovar::store
