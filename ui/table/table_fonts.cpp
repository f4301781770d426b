// The families are tried in order; Debian's fonts-liberation2, fonts-open-sans and
// fonts-dejavu-core provide the first choices.
#include "ui/table/table_fonts.h"

#include <QStringList>
#include <string>

namespace corvane::ui {

namespace {
QFont make(const QStringList& families, double pointSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}
} // namespace

QFont nameFont() {
    return make(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")},
        8.25, true);
}

QFont numberFont() {
    return make(
        {QStringLiteral("Open Sans"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")},
        18, true);
}

QFont trickFont() {
    return make({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Symbols2")}, 9.75, false);
}

QFont buttonFont(int pointSize) {
    return make({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, pointSize,
                false);
}

QString trickMarks(const std::string& caption) {
    QString marks;
    for (char c : caption)
        marks += c == 'J' ? QChar(0x263A) : QChar::fromLatin1(c);
    return marks;
}

} // namespace corvane::ui
