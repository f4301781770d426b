// The table's three typefaces and their free stand-ins: a plain UI sans for the names, a
// humanist sans for the big numbers, and a font with a smiling face for the trick marks.
#pragma once

#include <QFont>
#include <QString>

namespace corvane::ui {

QFont nameFont();   // the seat names and the score headings: 8.25 pt bold
QFont numberFont(); // the scores and the bids: 18 pt bold
QFont trickFont();  // the trick marks
QFont buttonFont(int pointSize);

// A trick caption as the window draws it: every "J" becomes a smiling face.
QString trickMarks(const std::string& caption);

} // namespace corvane::ui
