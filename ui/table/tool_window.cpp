#include "ui/table/tool_window.h"

#include "ui/table/twips.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QWindow>

namespace corvane::ui {

ToolWindow::ToolWindow(const QString& caption, QSize clientTwips, QWidget* table)
    : QWidget(table, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_clientTwips(clientTwips + QSize(CaptionRoomTwips, 0)) {
    setWindowTitle(caption);
    setFixedSize(scaled(QRect({}, m_clientTwips)).size());
}

QRect ToolWindow::scaled(QRect twips) const {
    // The table's own rounding, so that a window at 200% is exactly twice the one at 100%.
    const auto length = [this](int t) { return static_cast<int>(t * m_zoom / TwipsPerPixel); };
    // The layout stands in the middle of the room widened for the caption.
    return {length(twips.left() + CaptionRoomTwips / 2), length(twips.top()), length(twips.width()),
            length(twips.height())};
}

QFont ToolWindow::scaled(const QFont& atOne) const {
    QFont f = atOne;
    f.setPointSizeF(atOne.pointSizeF() * m_zoom);
    return f;
}

void ToolWindow::place(QWidget* child, QRect twips) {
    QSize icon;
    if (auto* button = qobject_cast<QAbstractButton*>(child))
        icon = button->iconSize();
    m_placed.push_back({child, twips, child->font(), icon});
    child->setGeometry(scaled(twips));
    child->setFont(scaled(child->font()));
}

void ToolWindow::setZoom(double zoom) {
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    relayout();
}

void ToolWindow::relayout() {
    setFixedSize(scaled(QRect({}, m_clientTwips)).size());
    for (const Placed& p : m_placed) {
        p.child->setGeometry(scaled(p.twips));
        p.child->setFont(scaled(p.font));
        if (auto* button = qobject_cast<QAbstractButton*>(p.child); button && p.iconSize.isValid())
            button->setIconSize(p.iconSize * m_zoom);
    }
}

void ToolWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // It asks something of the player: the keyboard (and a screen reader) goes to it.
    activateWindow();
    m_frameSeen = false;
    if (QWindow* window = windowHandle()) {
        window->removeEventFilter(this);
        window->installEventFilter(this);
    }
}

void ToolWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    noticeFrame();
}

bool ToolWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed())
        noticeFrame();
    return QWidget::eventFilter(watched, event);
}

void ToolWindow::noticeFrame() {
    // The window manager frames a window before it first shows it, and often moves it as it
    // does; from then on the frame is known.
    if (!m_frameSeen && isVisible() && frameGeometry() != geometry()) {
        m_frameSeen = true;
        emit framed();
    }
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
