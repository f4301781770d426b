#include "ui/program/scroll_thumbs.h"

#include <QApplication>
#include <QStyle>

namespace corvane::ui {

void makeScrollThumbsVisible() {
    // Fusion, the style Qt takes where the desktop gives it none, paints the thumb a shade
    // lighter than the track: beside a white text pane the thumb all but vanishes, and the grey
    // track below it reads as the thumb, at the bottom while the text is at the top. Its scroll
    // bars are drawn instead as a darker thumb on a light track, the other widgets as the style
    // draws them.
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return;
    qApp->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: palette(window); width: 14px; }"
        "QScrollBar:horizontal { background: palette(window); height: 14px; }"
        "QScrollBar::handle { background: palette(mid); border-radius: 4px; margin: 2px; }"
        "QScrollBar::handle:hover, QScrollBar::handle:pressed { background: palette(dark); }"
        "QScrollBar::handle:vertical { min-height: 24px; }"
        "QScrollBar::handle:horizontal { min-width: 24px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"));
}

} // namespace corvane::ui
