// The rules of Corvane as a web page shipped beside the program, opened in the default browser,
// or in a window of the program's own when no browser takes it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace corvane::ui {

inline constexpr const char* RulesPageFileName = "corvane.htm";

// The page's file names in the window's language, most wanted first: corvane_fr.htm, then the
// English corvane.htm, which every language falls back to.
QStringList rulesPageNames();

// Where the page is looked for, in order: beside the running program, in the data folder of the
// installed program, and beside the program in the build tree; each in the language of the
// window, then in English.
QStringList rulesPageCandidates();

// The copy built into the program, written to the user's cache folder so that a browser can open
// it; an empty string when it cannot be written.
QString builtInRulesPage();

// The folder the build puts the corvane program in.
QString builtProgramDirectory();

// The first candidate that exists, else the built-in copy; an empty string when neither is there.
QString findRulesPage();

// The section of the page on playing by the keyboard.
inline constexpr const char* KeyboardSection = "keyboard";

// Opens the page, at `section` when one is given, in the system's default browser without waiting
// for the browser. When the opener cannot start or reports that it opened nothing (xdg-open's exit
// status; starting it is no proof of success), the page opens in the program's own rules window,
// a child of `owner`. `missing` runs only when there is no page to open; the caller then tells the
// person.
void openRulesPage(QWidget* owner, const QString& section, std::function<void()> missing);

} // namespace corvane::ui
