#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tune/body_stream.h"

namespace corvale {
namespace {

std::u32string packed(const std::vector<std::string_view>& lines) {
  BodyStream stream;
  stream.pack(lines);
  std::u32string text;
  for (int p = 1; p <= stream.length() + 1; ++p) text += stream.at(p);
  return text;
}

TEST(BodyStream, DropsSpacesTabsAndLineBreaksAndEndsWithTheEndMarker) {
  EXPECT_EQ(packed({"A B\tc", " d"}), U"ABcd$");
}

TEST(BodyStream, PutsATwoAfterEverySlashThatLacksOne) {
  EXPECT_EQ(packed({"A/ B/2 C/4 D/"}), U"A/2B/2C/24D/2$");
}

TEST(BodyStream, ReadsOnlyTheFirstEightyColumnsOfALine) {
  const std::string line = std::string(79, 'A') + "/B";
  EXPECT_EQ(packed({line}), std::u32string(79, U'A') + U"/2$");
}

TEST(BodyStream, CountsColumnsAndPositionsInCharacters) {
  std::string line;
  for (int i = 0; i < 85; ++i) line += "\xC3\xA5";  // å
  EXPECT_EQ(packed({line}), std::u32string(80, U'\u00E5') + U"$");
}

TEST(BodyStream, AnEmptyBodyLeavesTheFirstPositionBlank) {
  BodyStream stream;
  stream.pack({"A"});
  stream.pack({});
  EXPECT_EQ(stream.length(), 0);
  EXPECT_EQ(stream.at(1), U' ');
}

TEST(BodyStream, KeepsWhatFitsWithItsEndMarkerInTheLastPosition) {
  const std::string notes(80, 'A');
  BodyStream stream;
  stream.pack(std::vector<std::string_view>(101, notes));
  EXPECT_EQ(stream.length(), 7999);
  EXPECT_EQ(stream.at(8000), U'$');

  const std::string slashes(80, '/');  // a slash and its "2" are kept or dropped together
  stream.pack(std::vector<std::string_view>(60, slashes));
  EXPECT_EQ(stream.length(), 7998);
  EXPECT_EQ(stream.at(7998), U'2');
  EXPECT_EQ(stream.at(7999), U'$');
  EXPECT_EQ(stream.at(8000), U' ');
  EXPECT_EQ(stream.at(8001), 0U);
}

}  // namespace
}  // namespace corvale
