// The rules of Corvane as a web page shipped beside the program, opened in the default browser.
#pragma once

#include <QString>
#include <QStringList>

namespace corvane::ui {

inline constexpr const char* RulesPageFileName = "corvane.htm";
inline constexpr const char* RulesPageFailedMessage = "The rules page could not be opened.";

// Where the page is looked for, in order: beside the running program, beside the program in the
// build tree, and in the source tree the program was built from.
QStringList rulesPageCandidates();

// The folder the build puts the corvane program in.
QString builtProgramDirectory();

// The first candidate that exists, or an empty string.
QString findRulesPage();

// Opens the page in the system's default browser without waiting for it. False when the page is
// missing or no browser could be started; the caller tells the person (RulesPageFailedMessage).
bool openRulesPage();

} // namespace corvane::ui
