#include "ui/tool_window.h"

#include <QCloseEvent>

namespace corvane::ui {

ToolWindow::ToolWindow(const QString& caption, QSize clientSize, QWidget* table)
    : QWidget(table, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(caption);
    setFixedSize(clientSize);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace corvane::ui
