// cardsheet: paints the 52 faces, the eight backs, the suit symbols and the window icon onto one
// table-green sheet at 1x and 2x, so the card drawing can be looked over as a whole.
//   cardsheet [output-directory]   writes cardsheet-1x.png, cardsheet-2x.png
//                                  and a 3x close-up, cardsheet-detail-3x.png
#include "ui/cards/card_renderer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

using corvane::Card;
using namespace corvane::ui;

constexpr int Gap = 8;
constexpr int Border = 12;
const QColor Baize(80, 176, 96);

QImage sheet(CardRenderer& renderer, qreal dpr) {
    const int cardW = CardPixelSize.width();
    const int cardH = CardPixelSize.height();
    const QSize logical(Border * 2 + 13 * cardW + 12 * Gap, Border * 2 + 5 * (cardH + Gap) + 64);
    QImage image(logical * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Baize);
    QPainter painter(&image);
    for (int suit = 0; suit < 4; ++suit) {
        for (int face = 1; face <= 13; ++face) {
            painter.drawPixmap(Border + (face - 1) * (cardW + Gap), Border + suit * (cardH + Gap),
                               renderer.face(Card::of(face, suit), dpr));
        }
    }
    const int backsTop = Border + 4 * (cardH + Gap);
    for (int design = 0; design < BackDesignCount; ++design) {
        painter.drawPixmap(Border + design * (cardW + Gap), backsTop, renderer.back(design, dpr));
    }
    int x = Border;
    const int symbolsTop = backsTop + cardH + Gap;
    for (int pixels : {12, 16, 24, 32, 48}) {
        for (int suit = 0; suit < 4; ++suit) {
            painter.drawPixmap(x, symbolsTop, renderer.suitSymbol(suit, pixels, dpr));
            x += pixels + 4;
        }
        x += Gap;
    }
    const QIcon icon = renderer.windowIcon();
    for (int pixels : {16, 24, 32, 48, 64}) {
        painter.drawPixmap(x, symbolsTop, icon.pixmap(QSize(pixels, pixels), dpr));
        x += pixels + Gap;
    }
    return image;
}

// A close look at the pictures with the most detail: aces, courts and two backs, at 3x.
QImage detail(CardRenderer& renderer) {
    constexpr qreal dpr = 3.0;
    const int cardW = CardPixelSize.width();
    const int cardH = CardPixelSize.height();
    const QSize logical(Border * 2 + 8 * cardW + 7 * Gap, Border * 2 + 2 * cardH + Gap);
    QImage image(logical * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Baize);
    QPainter painter(&image);
    for (int suit = 0; suit < 4; ++suit) {
        for (int k = 0; k < 4; ++k) {
            const int face = k == 0 ? 1 : 10 + k;
            const int column = (suit % 2) * 4 + k;
            painter.drawPixmap(Border + column * (cardW + Gap), Border + (suit / 2) * (cardH + Gap),
                               renderer.face(Card::of(face, suit), dpr));
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    CardRenderer renderer;
    // How long painting every picture takes at each density (the sheets then draw from the cache).
    for (qreal dpr : {1.0, 2.0}) {
        QElapsedTimer timer;
        timer.start();
        for (int n = 1; n <= 52; ++n) {
            renderer.face(Card::fromNumber(n), dpr);
        }
        for (int design = 0; design < BackDesignCount; ++design) {
            renderer.back(design, dpr);
        }
        std::printf("%gx: 52 faces and %d backs painted in %.1f ms\n", dpr, BackDesignCount,
                    static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    for (int scale : {1, 2}) {
        const QString path = out.filePath(QStringLiteral("cardsheet-%1x.png").arg(scale));
        if (!sheet(renderer, scale).save(path)) {
            std::fprintf(stderr, "cardsheet: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    const QString path = out.filePath(QStringLiteral("cardsheet-detail-3x.png"));
    if (!detail(renderer).save(path)) {
        std::fprintf(stderr, "cardsheet: cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
