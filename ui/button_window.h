// "Corvane Menu": the "&Auto-Discard" and "&Deal" buttons, or one message across the window that
// waits for its click.
#pragma once

#include "table/table.h"
#include "ui/tool_window.h"

class QPushButton;

namespace corvane::ui {

class ButtonWindow final : public ToolWindow {
    Q_OBJECT
public:
    explicit ButtonWindow(QWidget* table);

    // Shows the buttons as the table's button menu says.
    void showState(const Table& table);

    QPushButton* button(int index) const { return index == 0 ? m_autoDiscard : m_deal; }

signals:
    void buttonClicked(int index);

private:
    QPushButton* m_autoDiscard;
    QPushButton* m_deal;
};

} // namespace corvane::ui
