// "Choose Trump": one button per suit, showing its symbol.
#pragma once

#include "ui/table/tool_window.h"

#include <array>

class QPushButton;

namespace corvane::ui {

class TrumpDialog final : public ToolWindow {
    Q_OBJECT
public:
    explicit TrumpDialog(QWidget* table);
    void showState(bool visible);
    QPushButton* button(int suit) const { return m_buttons[static_cast<size_t>(suit)]; }

signals:
    void suitClicked(int suit);

private:
    std::array<QPushButton*, 4> m_buttons{};
};

} // namespace corvane::ui
