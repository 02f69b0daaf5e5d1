#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tune/body_stream.h"
#include "tune_fixtures.h"

namespace corvale {
namespace {

std::u32string packed(const std::vector<std::string_view>& lines) {
  BodyStream stream;
  stream.pack(lines);
  std::u32string text;
  for (int p = 1; p <= stream.length() + 1; ++p) text += stream.at(p);
  return text;
}

TEST(BodyStream, DropsSpacesAndLineBreaksAndPutsATwoAfterEverySlashThatLacksOne) {
  EXPECT_EQ(packed({"A B\tc", " d"}), U"ABcd$");
  EXPECT_EQ(packed({"A/ B/2 C/4 D/"}), U"A/2B/2C/24D/2$");
}

TEST(BodyStream, ReadsTheFirstEightyCharactersOfALine) {
  EXPECT_EQ(packed({std::string(79, 'A') + "/B"}), std::u32string(79, U'A') + U"/2$");
  EXPECT_EQ(packed({testing::repeated("å", 85)}), std::u32string(80, U'å') + U"$");
}

TEST(BodyStream, KeepsWhatFitsWithItsEndMarkerAndClearsEveryPositionBeforePacking) {
  const std::string notes(80, 'A');
  const std::string slashes(80, '/');
  BodyStream stream;
  stream.pack(std::vector<std::string_view>(101, notes));
  EXPECT_EQ(stream.length(), 7999);
  EXPECT_EQ(stream.at(8000), U'$');
  stream.pack(std::vector<std::string_view>(60, slashes));  // a slash and its "2" fit together or not at all
  EXPECT_EQ(stream.length(), 7998);
  EXPECT_EQ(stream.at(7998), U'2');
  EXPECT_EQ(stream.at(7999), U'$');
  EXPECT_EQ(stream.at(8001), 0U);
  // Nothing of a long body may be left for a later play to find past its end marker.
  stream.pack({});
  for (int p = 1; p <= BodyStream::kPositions; ++p) ASSERT_EQ(stream.at(p), U' ') << "position " << p;
}

}  // namespace
}  // namespace corvale
