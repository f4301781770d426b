// "Choose Bid": Pass, 20, 25 and 30, each enabled as the auction allows.
#pragma once

#include "table/picture.h"
#include "ui/table/tool_window.h"

#include <array>

class QPushButton;

namespace corvane::ui {

class BidDialog final : public ToolWindow {
    Q_OBJECT
public:
    explicit BidDialog(QWidget* table);
    void showState(const Picture& picture);
    QPushButton* button(int index) const { return m_buttons[static_cast<size_t>(index)]; }

signals:
    void bidClicked(int index);

private:
    std::array<QPushButton*, 4> m_buttons{};
};

} // namespace corvane::ui
