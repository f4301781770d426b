// "Corvane Menu": the "&Auto-Discard" and "&Deal" buttons, or one message across the window that
// waits for its click.
#pragma once

#include "table/picture.h"
#include "ui/table/tool_window.h"

#include <QRect>

class QPushButton;

namespace corvane::ui {

class ButtonWindow final : public ToolWindow {
    Q_OBJECT
public:
    explicit ButtonWindow(QWidget* table);

    // Shows the buttons as the table's button menu says.
    void showState(const Picture& picture);

    QPushButton* button(int index) const { return index == 0 ? m_autoDiscard : m_deal; }
    // The message shown, as the table gave it (the button's caption may break it in two).
    const QString& message() const { return m_message; }
    // Where a message's text must fit: the message button's contents inside the window.
    QSize messageArea() const;

signals:
    void buttonClicked(int index);

private:
    QPushButton* m_autoDiscard;
    QPushButton* m_deal;
    QString m_message;
    static constexpr int MessageMargin = 1;
    // In twips: the two buttons side by side, or the message across the window.
    static constexpr QRect AutoDiscardPlace{0, 0, 1215, 615};
    static constexpr QRect DealPlace{1200, 0, 1215, 615};
    static constexpr QRect MessagePlace{0, 0, 2430, 615};
};

} // namespace corvane::ui
