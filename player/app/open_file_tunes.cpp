#include "player/app/open_file_tunes.h"

#include "player/app/library_places.h"
#include "player/library/text_folding.h"
#include "player/library/tune_finder.h"
#include "player/window/form1.h"
#include "player/window/tune_list.h"
#include "tune/tune_file.h"

namespace corvale {
namespace {

bool sameTitles(const std::vector<TuneListEntry>& entries, std::string_view text, const TuneList& list) {
  if (static_cast<int>(entries.size()) != list.count()) return false;
  for (int row = 0; row < list.count(); ++row) {
    if (list.title(row).toStdString() != entries[static_cast<std::size_t>(row)].title(text)) return false;
  }
  return true;
}

}  // namespace

OpenFileTunes OpenFileTunes::of(const Form1& form) {
  OpenFileTunes tunes;
  const TuneList& list = *form.List1();
  if (!form.tunePath().isEmpty()) {
    try {
      const TuneFile file = readTuneFile(pathOf(form.tunePath()));
      const std::vector<TuneListEntry> entries = tuneListOf(file, form.reading());
      const std::string_view text = file.lineStore.text();
      if (sameTitles(entries, text, list)) {
        tunes.findable = findableTexts(text, entries, form.reading());
        for (const TuneListEntry& entry : entries) tunes.entries.push_back({entry.tune, entry.title(text)});
        return tunes;
      }
    } catch (const TuneFileError&) {
      // Gone or unreadable since it was listed: the titles shown are all there is.
    }
  }
  for (int row = 0; row < list.count(); ++row) {
    const std::string title = list.title(row).toStdString();
    tunes.entries.push_back({0, title});
    tunes.findable.push_back(foldForSearch(title));
  }
  return tunes;
}

std::optional<OpenFileTunes::Entry> OpenFileTunes::entry(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return std::nullopt;
  return entries[static_cast<std::size_t>(row)];
}

int OpenFileTunes::rowOf(std::uint64_t tune) const {
  for (std::size_t row = 0; row < entries.size(); ++row) {
    if (entries[row].tune == tune && tune != 0) return static_cast<int>(row);
  }
  return -1;
}

}  // namespace corvale
