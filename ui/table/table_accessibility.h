// What assistive tools see of the table's own widgets beyond Qt's defaults: a card is a button
// that can be pressed (played, or marked and unmarked for the discard) and takes the keyboard's
// focus; the button window and the bid and trump dialogs are dialogs; the announcer is a status
// line whose text changes are read out.
#pragma once

#include <QWidget>

namespace corvane::ui {

// The table's status line for assistive tools: each sentence becomes its name while it shows.
// Qt on Linux passes no alert to the accessibility bus, and a screen reader ignores an object
// that is not showing, so it shows, drawn nowhere.
class Announcer final : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);
    void say(const QString& sentence);
};

// Makes Qt use the interfaces above; once per program, before the first window shows.
void installTableAccessibility();

} // namespace corvane::ui
