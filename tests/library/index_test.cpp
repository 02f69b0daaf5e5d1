// The index of a music folder: which files are read, what a second pass reads
// again, what it does with files that cannot be read, a damaged database, and
// searching it with words and filters.
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <tuple>

#include "tune_fixtures.h"
#include "player/library/folder_scan.h"
#include "player/library/library_index.h"
#include "player/library/library_search.h"

namespace corvale {
namespace {

using testing::TemporaryFolder;

std::vector<std::string> titlesFound(const std::filesystem::path& db, const std::string& typed, int limit = 50) {
  const auto connection = LibraryDatabase::openForSearching(db);
  std::vector<std::string> titles;
  for (const LibraryHit& hit : searchLibrary(*connection, parseSearchQuery(typed), limit).hits) {
    titles.push_back(hit.title);
  }
  return titles;
}

using Titles = std::vector<std::string>;

class LibraryIndexTest : public TemporaryFolder {
 protected:
  LibraryIndexTest() {
    write("music/reels.abc",
          "X:1\nT:Drowsy Maggie\nR:reel\nM:4/4\nK:Edor\nE2BE dEBE|\n\n"
          "X:2\nT:The Silver Spear\nR:reel\nM:4/4\nK:D\nFA~A2 BAFA|\n");
    write("music/jigs/kesh.txt", "X:1\nT:The Kesh\nR:jig\nM:6/8\nK:G\nGAG GAB|\n");
    write("music/jigs/notes.txt", "Jigs to learn: the Kesh.\n");
    write("music/.hidden/secret.abc", "X:1\nT:Hidden\nK:G\nG|\n");
  }

  IndexReport update() { return LibraryIndex(db).update(root / "music"); }

  std::filesystem::path db = root / "cache" / "library.sqlite";
};

// The first pass finds the tune files by their name or their first line, hidden
// folders left out; the next ones read only what changed.
TEST_F(LibraryIndexTest, AFirstPassFindsTheTuneFilesAndTheNextReadOnlyWhatChanged) {
  const IndexReport first = update();
  EXPECT_EQ(first.files, 2);
  EXPECT_EQ(first.tunes, 3);
  EXPECT_TRUE(first.rebuilt) << "a new index is made from nothing";
  EXPECT_EQ(titlesFound(db, ""), (Titles{"Drowsy Maggie", "The Kesh", "The Silver Spear"}));
  EXPECT_EQ(titlesFound(db, "hidden"), Titles{});
  write("music/reels.abc", "X:1\nT:Drowsy Maggie\nR:reel\nK:Edor\nE2BE dEBE|\n");  // a tune taken out
  write("music/polkas.abc", "X:1\nT:Britches Full of Stitches\nR:polka\nM:2/4\nK:A\nA>B|\n");
  std::filesystem::remove(root / "music/jigs/kesh.txt");
  const IndexReport report = update();
  EXPECT_EQ(report.read, 2);
  EXPECT_EQ(report.unchanged, 0);
  EXPECT_EQ(report.removed, 1);
  EXPECT_FALSE(report.rebuilt);
  EXPECT_EQ(titlesFound(db, ""), (Titles{"Britches Full of Stitches", "Drowsy Maggie"}));
  const IndexReport again = update();
  EXPECT_EQ(again.read, 0);
  EXPECT_EQ(again.unchanged, 2);
  EXPECT_EQ(again.tunes, 2);
}

TEST_F(LibraryIndexTest, FilesThatCannotBeReadAreSkippedAndNothingBlocks) {
  // A FIFO named as a tune file would hold a reader for ever; a link loop would never end.
  ASSERT_EQ(::mkfifo((root / "music/pipe.abc").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((root / "music/pipe.txt").c_str(), 0600), 0);
  std::filesystem::create_directory_symlink(root / "music", root / "music/jigs/loop");
  std::filesystem::create_symlink(root / "music/nowhere.abc", root / "music/dangling.abc");
  // Too large to read (and sparse, so it costs no disk).
  { std::ofstream(root / "music/huge.abc"); }
  std::filesystem::resize_file(root / "music/huge.abc", std::uint64_t{3} << 30);
  // A name that is not UTF-8 is indexed by its own bytes.
  const std::filesystem::path latin1 = write("music/caf\xE9.abc", "X:1\nT:Caf\xE9 Waltz\nR:waltz\nM:3/4\nK:G\nG3|\n");
  const IndexReport report = update();
  EXPECT_EQ(report.unreadable, 1) << "the file too large to read";
  EXPECT_EQ(report.files, 3);
  EXPECT_EQ(titlesFound(db, "cafe"), Titles{"Caf\u00E9 Waltz"}) << "the Latin-1 text read as Latin-1";
  const auto connection = LibraryDatabase::openForSearching(db);
  EXPECT_EQ(searchLibrary(*connection, parseSearchQuery("waltz"), 5).hits.at(0).file, latin1);
}

TEST_F(LibraryIndexTest, ADamagedIndexIsMadeAgainFromNothing) {
  update();
  const auto size = std::filesystem::file_size(db);
  // Cut short, and then scribbled over: either way the next pass starts afresh.
  for (const auto& damage : std::vector<std::function<void()>>{
           [&] { std::filesystem::resize_file(db, size / 2); },
           [&] { std::ofstream(db, std::ios::binary | std::ios::in) << std::string(200, 'x'); }}) {
    {
      LibraryIndex index(db);  // closed again, so the whole database is in its file
    }
    damage();
    const IndexReport report = update();
    EXPECT_TRUE(report.rebuilt);
    EXPECT_EQ(report.tunes, 3);
    EXPECT_EQ(titlesFound(db, "spear"), Titles{"The Silver Spear"});
  }
}

TEST_F(LibraryIndexTest, FiltersAndWordsNarrowTheSearch) {
  write("music/more.abc", "X:1\nT:Humours of Ballyloughlin\nR:jig\nM:6/8\nK:D\nA|\n\n"
                          "X:2\nT:Ballyloughane\nR:reel\nK:G\nG|\n");
  update();
  const std::vector<std::pair<std::string, Titles>> searches{
      {"rhythm:reel", {"Ballyloughane", "Drowsy Maggie", "The Silver Spear"}},
      {"rhythm:REEL key:D", {"The Silver Spear"}},
      {"key:Edor", {"Drowsy Maggie"}},
      {"key:E", {}},
      {"metre:6/8", {"Humours of Ballyloughlin", "The Kesh"}},
      {"m:4/4 sil", {"The Silver Spear"}},
      {"the", {"The Kesh", "The Silver Spear"}},
      {"jig kesh", {"The Kesh"}},
      {"maggie jig", {}},
      {"\"and\" or not", {}},
      // Words longer than the index keeps ready are still matched in whole.
      {"ballyloughl", {"Humours of Ballyloughlin"}},
      {"ballylough", {"Ballyloughane", "Humours of Ballyloughlin"}},
      {"ballyloughx", {}},
      {"ballyloughlin jig hum", {"Humours of Ballyloughlin"}},
  };
  for (const auto& [typed, titles] : searches) EXPECT_EQ(titlesFound(db, typed), titles) << typed;
  const auto connection = LibraryDatabase::openForSearching(db);
  const SearchAnswer firstTwo = searchLibrary(*connection, parseSearchQuery(""), 2);
  EXPECT_EQ(firstTwo.hits.size(), 2u);
  EXPECT_TRUE(firstTwo.more);
}

TEST_F(LibraryIndexTest, APassStoppedPartWayKeepsWhatItHasAndDropsNothing) {
  update();
  write("music/reels.abc", "X:1\nT:Drowsy Maggie\nK:Edor\nE2BE|\n");  // changed: read again next time
  int progressed = 0;
  const IndexReport stopped =
      LibraryIndex(db).update(root / "music", [&](int, int) { ++progressed; }, [&] { return progressed >= 1; });
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.removed, 0) << "files not yet looked at are not taken for gone";
  EXPECT_EQ(stopped.tunes, 3);
  const IndexReport next = update();
  EXPECT_FALSE(next.stopped);
  EXPECT_EQ(next.tunes, 2);
}

TEST(FolderScanTest, TuneFilesAreKnownByNameOrFirstLine) {
  const std::vector<std::tuple<std::string, std::string, bool>> cases{
      {"reels.abc", "", true},       {"REELS.ABC", "anything", true}, {"tunes.txt", "X:1\n", true},
      {"book", "%abc-2.1\n", true},  {"book", "\xEF\xBB\xBFX:1", true}, {"notes.txt", "x:1\n", false},
      {"song.mp3", "ID3", false},
  };
  for (const auto& [name, first, tunes] : cases) EXPECT_EQ(looksLikeTuneFile(name, first), tunes) << name;
}

}  // namespace
}  // namespace corvale
