// The table's small tool windows (the button window, the bid and trump dialogs): fixed size,
// kept above the table window, shown and hidden by the table's state rather than by the user.
#pragma once

#include <QWidget>

namespace corvane::ui {

class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(const QString& caption, QSize clientSize, QWidget* table);

protected:
    // The title bar's close button would leave the game waiting on a hidden window: the table
    // decides when these windows go. A close the program itself asks for (its quit) passes.
    void closeEvent(QCloseEvent* event) override;
};

} // namespace corvane::ui
