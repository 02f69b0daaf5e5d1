#include <gtest/gtest.h>

#include <string>

#include "tune/line_store.h"

namespace corvale {
namespace {

TEST(LineStore, NumbersTunesFromTheirXLineAndKeepsEarlierLinesAsTuneZero) {
  const LineStore store = LineStore::fromText("%abc\nT:Book\nX:1\nT:One\nabc\nX:2\nT:Two\n");
  EXPECT_EQ(store.tuneCount(), 2U);
  EXPECT_EQ(store.line(0, 1), "%abc");
  EXPECT_EQ(store.line(0, 2), "T:Book");
  EXPECT_EQ(store.line(1, 1), "X:1");
  EXPECT_EQ(store.line(1, 3), "abc");
  EXPECT_EQ(store.line(2, 2), "T:Two");
}

TEST(LineStore, CellsTheFileDidNotFillReadSpaceForTunesAndEmptyForTuneZero) {
  const LineStore store = LineStore::fromText("A\nX:1\n");
  EXPECT_EQ(store.line(0, 2), "");
  EXPECT_EQ(store.line(1, 2), " ");
  EXPECT_EQ(store.line(1, 0), "");
  EXPECT_EQ(store.line(7, 1), " ");
  EXPECT_EQ(store.line(UINT64_MAX, UINT64_MAX), " ");
  EXPECT_EQ(LineStore::fromText("").line(0, 1), "");
}

TEST(LineStore, OnlyAnUpperCaseXAndColonAtTheLineStartBeginATune) {
  const LineStore store = LineStore::fromText("X:1\nx:2\n X:3\nX 4\nX:5\n");
  EXPECT_EQ(store.tuneCount(), 2U);
  EXPECT_EQ(store.lineCount(1), 4U);
  EXPECT_EQ(store.line(1, 3), " X:3");
}

TEST(LineStore, AcceptsLfCrLfAndCrLineEndsAndAMissingFinalLineEnd) {
  const LineStore store = LineStore::fromText("X:1\r\nA\rB\n\nC");
  EXPECT_EQ(store.lineCount(1), 5U);
  EXPECT_EQ(store.line(1, 2), "A");
  EXPECT_EQ(store.line(1, 3), "B");
  EXPECT_EQ(store.line(1, 4), "");
  EXPECT_EQ(store.line(1, 5), "C");
}

TEST(LineStore, KeepsEveryLineOfLongTunesAndManyTunes) {
  std::string text = "X:0\n";
  for (int i = 0; i < 200; ++i) text += "line" + std::to_string(i) + "\n";
  for (int t = 1; t <= 40000; ++t) text += "X:" + std::to_string(t) + "\nT:Tune " + std::to_string(t) + "\n";
  const LineStore store = LineStore::fromText(text);
  EXPECT_EQ(store.tuneCount(), 40001U);
  EXPECT_EQ(store.lineCount(1), 201U);
  EXPECT_EQ(store.line(1, 201), "line199");
  EXPECT_EQ(store.line(40001, 2), "T:Tune 40000");
}

}  // namespace
}  // namespace corvale
