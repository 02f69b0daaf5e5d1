#pragma once

#include <string>
#include <string_view>

namespace corvale {

// A title or field as tunedump prints it inside a tab-separated record: TAB, NUL, CR,
// LF and every other character below U+0020 become the visible escapes \t, \0, \r, \n
// and \xNN (two upper-case hex digits), so a record keeps its number of fields and
// lines. Everything else, a backslash included, is printed as it stands: ABC writes
// accents with backslashes (\'e), and those stay readable.
std::string escapeControls(std::string_view text);

}  // namespace corvale
