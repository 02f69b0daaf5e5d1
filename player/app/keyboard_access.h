#pragma once

namespace corvale {

class Form1;

// Makes the window usable from the keyboard and by screen readers: Tab runs
// through drive list, folder list, file list, tune list, Start, instrument,
// TEMPO and REPLAYS; the sliders take the focus and move by arrow keys, Page
// Up/Down, Home and End; Return or Enter in the tune list presses Start; the
// instrument button and the drive list keep Space for themselves; every
// control has an accessible name.
void prepareKeyboardAccess(Form1& form);

}  // namespace corvale
