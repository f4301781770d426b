// The card renderer: pictures at each density, and what a player sees on the faces and backs
// (distinct pictures, red only on red suits, indexes in both corners, the pip count, the two-way
// symmetry of the spot and court cards, court cards as pictures, distinct back designs).
#include "ui/cards/card_renderer.h"

#include <QImage>
#include <QSet>
#include <QTest>
#include <vector>

using corvane::Card;
using namespace corvane::ui;

namespace {

bool isRed(QRgb p) {
    return qAlpha(p) > 128 && qRed(p) > 150 && qRed(p) - qGreen(p) > 90 && qRed(p) - qBlue(p) > 90;
}

// Ink of either suit colour: clearly darker or redder than the white card.
bool isInk(QRgb p) {
    return qAlpha(p) > 128 && (qGray(p) < 128 || isRed(p));
}

QImage imageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

int countIn(const QImage& image, QRect area, bool (*test)(QRgb)) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// Separate blobs of ink in `area` (4-connected), which for a spot card are its pips.
int blobsIn(const QImage& image, QRect area) {
    QSet<QPoint> seen;
    int blobs = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (seen.contains({x, y}) || !isInk(image.pixel(x, y)))
                continue;
            ++blobs;
            std::vector<QPoint> stack{{x, y}};
            seen.insert({x, y});
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    if (area.contains(p + d) && !seen.contains(p + d) &&
                        isInk(image.pixel(p + d))) {
                        seen.insert(p + d);
                        stack.push_back(p + d);
                    }
            }
        }
    return blobs;
}

// Pixels that differ clearly between the image and the image turned half a revolution.
int differencesWhenTurned(const QImage& image) {
    const QImage turned = image.mirrored(true, true);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = turned.pixel(x, y);
            n += std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
                 std::abs(qBlue(a) - qBlue(b)) > 64 || std::abs(qAlpha(a) - qAlpha(b)) > 64;
        }
    return n;
}

} // namespace

class CardRendererTest : public QObject {
    Q_OBJECT

private slots:
    // A picture is painted at the density asked for; designs are taken modulo eight.
    void picturesFollowTheDensity() {
        CardRenderer renderer;
        const Card card = Card::of(corvane::Queen, corvane::Diamonds);
        for (qreal dpr : {1.0, 1.5, 2.0}) {
            for (const QPixmap& p : {renderer.face(card, dpr), renderer.back(3, dpr)}) {
                QCOMPARE(p.deviceIndependentSize().toSize(), CardRenderer::cardSize(1.0));
                QCOMPARE(p.devicePixelRatio(), dpr);
            }
            QCOMPARE(renderer.suitSymbol(corvane::Spades, 32, dpr).size(), QSize(32, 32) * dpr);
        }
        QCOMPARE(renderer.back(10).cacheKey(), renderer.back(2).cacheKey());
        QCOMPARE(renderer.back(-6).cacheKey(), renderer.back(2).cacheKey());
    }

    // Each of the 52 faces, and a blank one for no card.
    void everyFaceReadsAsItsCard() {
        CardRenderer renderer;
        QSet<QByteArray> seen;
        for (int n = 1; n <= 52; ++n) {
            const Card card = Card::fromNumber(n);
            const QString name = QString::fromStdString(shortName(card));
            const QImage image = imageOf(renderer.face(card));
            const QImage fine = imageOf(renderer.face(card, 2.0));
            seen.insert(QByteArray(reinterpret_cast<const char*>(fine.constBits()),
                                   static_cast<qsizetype>(fine.sizeInBytes())));
            const int red = countIn(fine, fine.rect(), isRed);
            QVERIFY2(corvane::isRedSuit(card.suit()) ? red > 150 : red == 0, qPrintable(name));
            // Rounded corners, white below the border.
            QVERIFY2(qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(70, 95)) == 0,
                     qPrintable(name));
            QVERIFY2(qGray(image.pixel(35, 2)) > 200, qPrintable(name));
            // The rank above the small pip, top left; turned, bottom right.
            const int rank = countIn(image, QRect(3, 4, 10, 11), isInk);
            const int pip = countIn(image, QRect(3, 16, 10, 10), isInk);
            QVERIFY2(rank > 12 && pip > 12, qPrintable(name));
            QVERIFY2(std::abs(rank - countIn(image, QRect(58, 81, 10, 11), isInk)) <= 3 + rank / 10,
                     qPrintable(name));
            QVERIFY2(std::abs(pip - countIn(image, QRect(58, 70, 10, 10), isInk)) <= 3 + pip / 10,
                     qPrintable(name));
            const int face = card.face();
            // Between the two corner indexes, the pips (the ornate ace has its ring of beads).
            if (face <= 10 && !(face == corvane::Ace && card.suit() == corvane::Spades))
                QCOMPARE(blobsIn(fine, QRect(27, 16, 88, 160)), face);
            // Pips in the middle row stand upright: only these read the same both ways up, and a
            // three's middle pip shows it (a diamond is the same both ways up).
            if (face == 2 || face == 4 || face >= 10)
                QVERIFY2(differencesWhenTurned(image) < 30, qPrintable(name));
            if (face == 3 && card.suit() != corvane::Diamonds)
                QVERIFY2(differencesWhenTurned(image) > 10, qPrintable(name));
            if (face > 10) { // a framed picture, not a letter on white
                QSet<QRgb> colours;
                const QRect panel(16, 11, 39, 74);
                for (int y = panel.top(); y <= panel.bottom(); ++y)
                    for (int x = panel.left(); x <= panel.right(); ++x)
                        colours.insert(image.pixel(x, y));
                QVERIFY2(colours.size() > 40 && countIn(image, panel, isInk) > 400,
                         qPrintable(name));
            }
        }
        QCOMPARE(seen.size(), 52);
        const QImage blank = imageOf(renderer.face(Card()));
        QCOMPARE(countIn(blank, QRect(4, 4, 63, 88), isInk), 0);
        for (int suit = 0; suit < 4; ++suit) {
            const QImage symbol = imageOf(renderer.suitSymbol(suit, 32));
            QCOMPARE(countIn(symbol, symbol.rect(), isRed) > 100, corvane::isRedSuit(suit));
            QVERIFY(qAlpha(symbol.pixel(16, 16)) == 255 && qAlpha(symbol.pixel(0, 0)) == 0);
        }
    }

    // Not just different bytes: the average colours of the fields differ to the eye.
    void backsAreDistinctDesigns() {
        CardRenderer renderer;
        std::vector<QColor> seen;
        for (int design = 0; design < BackDesignCount; ++design) {
            const QImage image = imageOf(renderer.back(design));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);   // rounded corner, table shows through
            QVERIFY(qGray(image.pixel(2, 48)) > 240); // the white margin
            const QColor c = image.copy(10, 10, 51, 76)
                                 .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .pixelColor(0, 0);
            QVERIFY2(qGray(c.rgb()) < 200, "the field is not left white");
            for (const QColor& a : seen)
                QVERIFY2(std::abs(a.red() - c.red()) + std::abs(a.green() - c.green()) +
                                 std::abs(a.blue() - c.blue()) >
                             30,
                         qPrintable(QStringLiteral("design %1 looks like another").arg(design)));
            seen.push_back(c);
        }
    }
};

QTEST_MAIN(CardRendererTest)
#include "card_renderer_test.moc"
