// One of the table's 24 card pictures on screen: draws a face or the back it was dealt with,
// clicks, and shows the forbidden pointer over a card the player may not play. It takes the
// keyboard's focus, so that a screen reader reads the card the keyboard is on.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace corvane::ui {

class CardView final : public QWidget {
    Q_OBJECT
public:
    CardView(int index, QWidget* parent);

    int index() const { return m_index; }
    // A click, or a press through the accessibility bus.
    void press() { emit clicked(m_index); }
    void setPixmap(const QPixmap& pixmap);
    const QPixmap& pixmap() const { return m_pixmap; }
    // The keyboard's focus mark: a ring around the card picked by the arrow keys.
    void setKeyboardMark(bool marked);
    bool keyboardMark() const { return m_marked; }

    // Asked on every pointer move: true when the card may not be played now.
    void setRefusalTest(std::function<bool(int)> refused) { m_refused = std::move(refused); }
    const std::function<bool(int)>& refusalTest() const { return m_refused; }

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void updatePointer();

    int m_index;
    QPixmap m_pixmap;
    bool m_marked = false;
    std::function<bool(int)> m_refused;
};

} // namespace corvane::ui
