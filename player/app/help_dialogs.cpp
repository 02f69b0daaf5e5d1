#include "player/app/help_dialogs.h"

#include <QMessageBox>
#include <QWidget>

namespace corvale {
namespace {

const char* const kShortcuts =
    "<table cellspacing='4'>"
    "<tr><td><b>Ctrl+O</b></td><td>Open a tune file, at any time</td></tr>"
    "<tr><td><b>Ctrl+Q</b></td><td>Quit</td></tr>"
    "<tr><td><b>Space</b></td><td>Start or stop the tune (Return too, in the tune list)</td></tr>"
    "<tr><td><b>Ctrl+Up</b>, <b>+</b></td><td>Faster: one step of TEMPO</td></tr>"
    "<tr><td><b>Ctrl+Down</b>, <b>&minus;</b></td><td>Slower: one step of TEMPO</td></tr>"
    "<tr><td><b>Ctrl+I</b></td><td>Switch between fiddle and banjo</td></tr>"
    "<tr><td><b>Ctrl+F</b>, <b>F3</b>, <b>Shift+F3</b></td><td>Find a tune in the open file, the next, the previous</td></tr>"
    "<tr><td><b>Ctrl+Shift+F</b></td><td>Find a tune in the music folder</td></tr>"
    "<tr><td><b>Ctrl+D</b></td><td>Add the selected tune to the set</td></tr>"
    "<tr><td><b>Ctrl+P</b>, <b>Pause</b></td><td>Pause after the sounding note, or go on</td></tr>"
    "<tr><td><b>Ctrl+L</b>, <b>Ctrl+B</b></td><td>Loop the whole tune, or a few bars&hellip;</td></tr>"
    "<tr><td><b>Ctrl+Shift+L</b></td><td>Loop off</td></tr>"
    "<tr><td><b>Ctrl+G</b>, <b>Ctrl+Shift+G</b></td><td>Start from a bar&hellip;, or from the beginning</td></tr>"
    "<tr><td><b>Ctrl+K</b>, <b>Ctrl+M</b></td><td>Count in, metronome</td></tr>"
    "<tr><td><b>Ctrl+U</b></td><td>Speed up each pass&hellip;</td></tr>"
    "<tr><td><b>Ctrl+T</b>, <b>Ctrl+E</b></td><td>Tempo from the tune, follow in the tune lines</td></tr>"
    "<tr><td>Double-click</td><td>In the tune lines, during a play: start again from that line</td></tr>"
    "<tr><td><b>Tab</b></td><td>Next control: drives, folders, files, tunes, Start, instrument, "
    "TEMPO, REPLAYS</td></tr>"
    "<tr><td><b>Return</b>, <b>Space</b></td><td>In the file list: choose the file</td></tr>"
    "<tr><td><b>Return</b></td><td>In the folder list: open the folder</td></tr>"
    "<tr><td>Letters</td><td>In the tune list and the folder list: go to the entry beginning with them "
    "(Space among them while typing)</td></tr>"
    "<tr><td><b>Return</b></td><td>On a button: press it</td></tr>"
    "<tr><td>Arrows, <b>Page Up/Down</b>, <b>Home</b>, <b>End</b></td><td>Move the slider that has the focus</td></tr>"
    "</table>";

const char* const kWhatItReads =
    "<p>The Reading menu chooses how tune files are read. <b>Standard ABC</b> follows the ABC standard 2.1: "
    "every key and mode, unit lengths, broken rhythm, ties, bar accidentals, tuplets, chords, repeats, "
    "endings and parts; lyrics, fields, chord symbols and decorations never sound. "
    "<b>Classic</b>, the first choice, plays a working subset of ABC, one character at a time, and passes "
    "over what it does not understand:</p>"
    "<ul>"
    "<li><b>Tunes and titles.</b> <b>X:</b> starts a tune; each <b>T:</b> line gives a title, except one "
    "directly after another (a subtitle).</li>"
    "<li><b>Header.</b> Only the key <b>K:</b> counts: G, D, A, F and the modes Ador, Bm, Dmix, Amix, Edor, "
    "Em, Dm, Gdor, Bdor; other keys play with no sharps or flats. The tempo comes from the TEMPO slider.</li>"
    "<li><b>Notes.</b> A to G and a to g, one <b>,</b> or <b>'</b> for the octave, <b>^</b> sharp, "
    "<b>_</b> flat, <b>=</b> natural.</li>"
    "<li><b>Lengths.</b> 2, 3 or 4 after a note multiplies it; <b>/</b> halves it.</li>"
    "<li><b>Groups.</b> <b>(3</b> and <b>(4</b>, grace notes in <b>{}</b>, the roll <b>~A3</b>; "
    "rests <b>z</b> to <b>z4</b>.</li>"
    "<li><b>Repeats.</b> <b>|:</b> <b>:|</b> <b>::</b>, first and second endings and <b>||</b> are "
    "played in full order.</li>"
    "<li><b>Things to know.</b> Everything in the body sounds, lyrics and comments included; "
    "<b>$</b> ends the tune.</li>"
    "</ul>";

void openBox(QWidget& parent, const QString& title, const char* text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, title, QString::fromUtf8(text), QMessageBox::Close, &parent);
  box->setTextFormat(Qt::RichText);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
}

}  // namespace

void showKeyboardShortcuts(QWidget& parent) { openBox(parent, QStringLiteral("Keyboard Shortcuts"), kShortcuts); }

void showWhatCorvaleReads(QWidget& parent) { openBox(parent, QStringLiteral("What corvale Reads"), kWhatItReads); }

}  // namespace corvale
