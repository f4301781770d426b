// The rules of Corvane as a web page shipped beside the program, opened in the default browser.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace corvane::ui {

inline constexpr const char* RulesPageFileName = "corvane.htm";
inline constexpr const char* RulesPageFailedMessage = "The rules page could not be opened.";

// Where the page is looked for, in order: beside the running program, in the data folder of the
// installed program, and beside the program in the build tree.
QStringList rulesPageCandidates();

// The copy built into the program, written to the user's cache folder so that a browser can open
// it; an empty string when it cannot be written.
QString builtInRulesPage();

// The folder the build puts the corvane program in.
QString builtProgramDirectory();

// The first candidate that exists, else the built-in copy; an empty string when neither is there.
QString findRulesPage();

// Opens the page in the system's default browser without waiting for the browser. `failed` runs
// when the page is missing, when the opener cannot start, or when it reports that it opened
// nothing (xdg-open's exit status; starting it is no proof of success). The opener is owned by
// `owner`. The caller tells the person (RulesPageFailedMessage).
void openRulesPage(QObject* owner, std::function<void()> failed);

} // namespace corvane::ui
