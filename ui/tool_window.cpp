#include "ui/tool_window.h"

#include <QCloseEvent>

namespace corvane::ui {

ToolWindow::ToolWindow(const QString& caption, QSize clientSize, QWidget* table)
    : QWidget(table, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(caption);
    setFixedSize(clientSize);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    // The title bar's close comes from the window system; the program's own close (its end, when
    // the table window goes) must pass, or the application's quit is refused with it.
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}

} // namespace corvane::ui
