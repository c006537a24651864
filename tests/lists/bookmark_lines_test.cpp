// Bookmarking into the lines of "Merklist.dat".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/BookmarkList.h"

namespace zestovar::lists {
namespace {

using Lines = std::vector<std::string>;

TEST(BookmarkLines, NameIsBookmarkedOnceWhateverItsLetterCase) {
  Lines lines;
  EXPECT_TRUE(addBookmark(lines, "Zwiebelkuchen"));
  EXPECT_TRUE(addBookmark(lines, "\xc4pfelstrudel"));  // Äpfelstrudel
  EXPECT_TRUE(addBookmark(lines, "A"));                // a letter item is a name like any other

  EXPECT_FALSE(addBookmark(lines, "ZWIEBELKUCHEN"));
  EXPECT_FALSE(addBookmark(lines, "\xe4pfelstrudel"));  // äpfelstrudel
  EXPECT_FALSE(addBookmark(lines, "a"));
  EXPECT_EQ(lines, (Lines{"Zwiebelkuchen", "\xc4pfelstrudel", "A"}));
  // Only the whole text counts.
  EXPECT_TRUE(addBookmark(lines, "Zwiebelkuchen "));
}

TEST(BookmarkLines, UnbookmarkingRemovesTheFirstLineOfThatNameOnly) {
  // Lines that came in by another way than bookmarking may repeat a name.
  Lines lines{"Gulasch", "Soljanka", "gulasch", "Borschtsch"};
  EXPECT_TRUE(removeBookmark(lines, "GULASCH"));
  EXPECT_FALSE(removeBookmark(lines, "Pelmeni"));
  EXPECT_EQ(lines, (Lines{"Soljanka", "gulasch", "Borschtsch"}));
  Lines none;
  EXPECT_FALSE(removeBookmark(none, "Gulasch"));
}

}  // namespace
}  // namespace zestovar::lists
