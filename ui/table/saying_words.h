// The table's sayings and its word captions in the player's language.
#pragma once

#include "table/picture.h"
#include "table/saying.h"

#include <QCoreApplication>
#include <QString>

namespace corvane::ui {

class SayingWords {
    Q_DECLARE_TR_FUNCTIONS(SayingWords)
public:
    static QString text(const Saying& saying);
    // A label's caption: its word translated, or the name or number it holds.
    static QString caption(const Label& label);
    // What a seat bid: "Pass" or the points.
    static QString bid(const std::string& word);
};

} // namespace corvane::ui
