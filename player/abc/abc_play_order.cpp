#include "abc/abc_play_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

#include "abc/abc_fields.h"

namespace corvale::abc {
namespace {

constexpr std::size_t kLongestPartOrder = 1000;
constexpr int kDeepestPartGroup = 8;
constexpr int kLastPass = 63;
// How far past a repeat's end its further endings are looked for.
constexpr std::size_t kEndingLookAhead = 4096;

// Whether `item` starts an ending played on pass `pass`.
bool endsOn(const MusicItem& item, int pass) {
  return item.kind == MusicItem::Kind::Ending && pass >= 0 && pass <= kLastPass && (item.endings >> pass & 1) != 0;
}

// The highest ending number among items begin..end, 0 for none.
int highestEnding(const Music& music, std::size_t begin, std::size_t end) {
  int highest = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const MusicItem& item = music.items[i];
    if (item.kind == MusicItem::Kind::Ending) highest = std::max(highest, 63 - std::countl_zero(item.endings));
  }
  return highest;
}

// The part letters of a P: order written out: "A2B" is "AAB", "(AB)2" is "ABAB".
std::string expandParts(std::string_view order, std::size_t& at, int depth) {
  std::string parts;
  while (at < order.size() && parts.size() < kLongestPartOrder) {
    const char c = order[at];
    std::string group;
    if (c == '(' && depth < kDeepestPartGroup) {
      ++at;
      group = expandParts(order, at, depth + 1);
      if (at < order.size() && order[at] == ')') ++at;
    } else if (c == ')') {
      return parts;
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
      group = std::string(1, c);
      ++at;
    } else {
      ++at;  // dots, spaces and anything else between the parts
      continue;
    }
    int times = 1;
    if (at < order.size() && order[at] >= '0' && order[at] <= '9') times = readNumber(order, at);
    for (int i = 0; i < times && parts.size() < kLongestPartOrder; ++i) parts += group;
  }
  if (parts.size() > kLongestPartOrder) parts.resize(kLongestPartOrder);
  return parts;
}

// Plays one run of items with its repeats and endings into the table.
class RepeatPlayer {
 public:
  RepeatPlayer(const Music& music, EventTable& table, std::vector<RowPlace>& places, std::size_t& budget)
      : music_(music), table_(table), places_(places), budget_(budget) {}

  // Plays items begin..end. With a `countedPass`, the run is played once as that pass
  // of its repeat: its ending for that pass, and no going back at its end.
  void play(std::size_t begin, std::size_t end, int countedPass = 0) {
    end_ = end;
    start_ = begin;
    countedPass_ = countedPass;
    pass_ = firstPass();
    startColons_ = 0;
    explicitStart_ = skipping_ = false;
    for (std::size_t i = begin; i < end && budget_ > 0 && !table_.full(); ++i, --budget_) {
      const MusicItem& item = music_.items[i];
      if (skipping_) {
        skipTo(item, i);
        continue;
      }
      switch (item.kind) {
        case MusicItem::Kind::Sound:
          for (std::size_t row = item.firstRow; row < item.firstRow + item.rowCount; ++row) {
            if (!table_.append(music_.rows[row])) return;
            places_.push_back(music_.places[row]);
            places_.back().pass = static_cast<std::uint8_t>(pass_);
          }
          break;
        case MusicItem::Kind::Ending: enterEnding(item); break;
        case MusicItem::Kind::Bar: passBar(item, i); break;
        case MusicItem::Kind::Part: break;
      }
    }
  }

 private:
  // Whether the "|:" being played was left open up to `at`, the next start repeat: at
  // least a whole bar on, with no ending and no double bar to close it. Its music is
  // played twice, as a ":|" before the new "|:" would have it. (One left open to the
  // tune's end plays once: songs end so.)
  bool leftOpen(std::size_t at) const {
    if (!explicitStart_ || pass_ != 1) return false;
    bool wholeBar = false;
    for (std::size_t i = start_; i < at; ++i) {
      const MusicItem& item = music_.items[i];
      if (item.kind == MusicItem::Kind::Ending || item.sectionEnd) return false;
      wholeBar = wholeBar || item.kind == MusicItem::Kind::Bar;
    }
    return wholeBar;
  }

  // Inside an ending this pass does not play: it ends at the ending for this pass or
  // at the repeat's end or a double bar.
  void skipTo(const MusicItem& item, std::size_t at) {
    if (endsOn(item, pass_)) {
      skipping_ = false;
      return;
    }
    if (item.kind != MusicItem::Kind::Bar || !(item.repeatEnd || item.sectionEnd)) return;
    // The skipped ending closed its repeat: what follows plays on this pass.
    skipping_ = false;
    explicitStart_ = false;
    if (item.repeatStart) startRepeat(at);
  }

  void enterEnding(const MusicItem& item) { skipping_ = !endsOn(item, pass_); }

  int firstPass() const { return countedPass_ > 0 ? countedPass_ : 1; }

  void passBar(const MusicItem& item, std::size_t& at) {
    if (item.repeatEnd) {
      // One pass more than the colons at either end of the repeat, or as its endings ask.
      const int passes = 1 + std::max<int>(item.endColons, startColons_);
      const bool again = pass_ < passes || endingAhead(at, pass_ + 1);
      if (countedPass_ == 0 && again && pass_ < kLastPass) {
        repeatFrom(at);
        return;
      }
      pass_ = firstPass();
      startColons_ = 0;
      explicitStart_ = false;
      start_ = at + 1;
    }
    if (item.repeatStart && countedPass_ == 0 && leftOpen(at)) {
      repeatFrom(at);
    } else if (item.repeatStart) {
      startRepeat(at);
    } else if (item.sectionEnd && !explicitStart_) {
      // A repeat without its "|:" goes back to the last double bar.
      start_ = at + 1;
      pass_ = firstPass();
    }
  }

  void startRepeat(std::size_t at) {
    start_ = at + 1;
    pass_ = firstPass();
    startColons_ = music_.items[at].startColons;
    explicitStart_ = true;
  }

  void repeatFrom(std::size_t& at) {
    ++pass_;
    at = start_ - 1;  // the loop steps on to the start (wrapping round from 0)
  }

  // Whether the repeat being played, now at its end `at`, has an ending for `pass`:
  // its endings run on past `at` to the next start repeat or double bar.
  bool endingAhead(std::size_t at, int pass) const {
    const std::size_t last = std::min(end_, at + kEndingLookAhead);
    for (std::size_t i = start_; i < last; ++i) {
      const MusicItem& item = music_.items[i];
      if (endsOn(item, pass)) return true;
      if (i > at && item.kind == MusicItem::Kind::Bar && (item.repeatStart || item.sectionEnd)) return false;
    }
    return false;
  }

  const Music& music_;
  EventTable& table_;
  std::vector<RowPlace>& places_;
  std::size_t& budget_;
  std::size_t end_ = 0;
  std::size_t start_ = 0;       // where the repeat being played goes back to
  int pass_ = 1;
  int countedPass_ = 0;
  int startColons_ = 0;         // of the "|:" being played
  bool explicitStart_ = false;  // a "|:" is waiting for its ":|"
  bool skipping_ = false;       // inside an ending this pass does not play
};

}  // namespace

void writePlayOrder(const Music& music, std::string_view partOrder, EventTable& table,
                    std::vector<RowPlace>& places) {
  // Every item is visited a bounded number of times: no repeat or part order runs on.
  std::size_t budget = 64 * music.items.size() + 4'000'000;
  RepeatPlayer player(music, table, places, budget);

  // Where each labelled part starts and ends; the music before the first label plays first.
  struct Section {
    char label;
    std::size_t begin;
    std::size_t end;
  };
  std::vector<Section> sections{{0, 0, music.items.size()}};
  for (std::size_t i = 0; i < music.items.size(); ++i) {
    if (music.items[i].kind != MusicItem::Kind::Part) continue;
    sections.back().end = i;
    sections.push_back({music.items[i].part, i + 1, music.items.size()});
  }
  std::size_t at = 0;
  const std::string order = expandParts(partOrder, at, 0);
  // An order that names none of the body's parts cannot be followed: the tune plays
  // as written.
  const bool orderFound = std::any_of(sections.begin() + 1, sections.end(), [&](const Section& section) {
    return order.find(section.label) != std::string::npos;
  });
  if (!orderFound) {
    player.play(0, music.items.size());
    return;
  }
  player.play(sections.front().begin, sections.front().end);
  std::array<int, 256> plays{};  // how often the order names each part, and has played it
  std::array<int, 256> played{};
  for (char label : order) ++plays[static_cast<unsigned char>(label)];
  for (char label : order) {
    for (const Section& section : sections) {
      if (section.label != label) continue;
      // A part the order plays n times over, with an ending for each time (and more than
      // two), plays each time as one pass taking its ending: "P:A3" with "[1 [2 [3" in A
      // plays A three times in all.
      const int times = plays[static_cast<unsigned char>(label)];
      const int nth = ++played[static_cast<unsigned char>(label)];
      const bool counted = times > 1 && highestEnding(music, section.begin, section.end) >= std::max(times, 3);
      player.play(section.begin, section.end, counted ? nth : 0);
      break;
    }
  }
}

}  // namespace corvale::abc
