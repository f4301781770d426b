// The card renderer: pictures at each density, the cache, and what a player sees on the
// faces and backs (distinct pictures, red only on red suits, indexes in both corners, the pip
// count and the two-way symmetry of the spot and court cards).
#include "ui/card_renderer.h"

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
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return n;
}

// Separate blobs of ink in `area` (4-connected), which for a spot card are its pips.
int blobsIn(const QImage& image, QRect area) {
    area &= image.rect();
    std::vector<char> seen(static_cast<std::size_t>(area.width() * area.height()), 0);
    auto at = [&](int x, int y) -> char& {
        return seen[static_cast<std::size_t>((y - area.top()) * area.width() + x - area.left())];
    };
    int blobs = 0;
    std::vector<QPoint> stack;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (at(x, y) || !isInk(image.pixel(x, y))) {
                continue;
            }
            ++blobs;
            stack.push_back({x, y});
            at(x, y) = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (area.contains(q) && !at(q.x(), q.y()) && isInk(image.pixel(q))) {
                        at(q.x(), q.y()) = 1;
                        stack.push_back(q);
                    }
                }
            }
        }
    }
    return blobs;
}

// Pixels that differ clearly between the image and the image turned half a revolution.
int differencesWhenTurned(const QImage& image) {
    const QImage turned = image.mirrored(true, true);
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = turned.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
                std::abs(qBlue(a) - qBlue(b)) > 64 || std::abs(qAlpha(a) - qAlpha(b)) > 64) {
                ++n;
            }
        }
    }
    return n;
}

QByteArray bytesOf(const QImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.constBits()),
                      static_cast<qsizetype>(image.sizeInBytes()));
}

} // namespace

class CardRendererTest : public QObject {
    Q_OBJECT

private slots:
    // A picture is painted at the density asked for, and each is painted once: another density,
    // card, back or symbol size is another picture, and designs are taken modulo eight.
    void picturesFollowTheDensityAndAreCached() {
        CardRenderer renderer;
        const Card card = Card::of(corvane::Queen, corvane::Diamonds);
        for (qreal dpr : {1.0, 1.5, 2.0}) {
            for (const QPixmap& p : {renderer.face(card, dpr), renderer.back(3, dpr)}) {
                QCOMPARE(p.deviceIndependentSize().toSize(), CardRenderer::cardSize(1.0));
                QCOMPARE(p.devicePixelRatio(), dpr);
            }
            QCOMPARE(renderer.suitSymbol(corvane::Spades, 32, dpr).size(), QSize(32, 32) * dpr);
        }
        const std::size_t painted = renderer.cachedCount();
        QCOMPARE(renderer.face(card).cacheKey(), renderer.face(card).cacheKey());
        QCOMPARE(renderer.back(10).cacheKey(), renderer.back(2).cacheKey());
        QCOMPARE(renderer.back(-6).cacheKey(), renderer.back(2).cacheKey());
        QVERIFY(renderer.suitSymbol(1, 16).cacheKey() != renderer.suitSymbol(1, 32).cacheKey());
        QCOMPARE(renderer.cachedCount(), painted + 3);
    }

    void allFacesDiffer() {
        CardRenderer renderer;
        QSet<QByteArray> seen;
        for (int n = 1; n <= 52; ++n) {
            seen.insert(bytesOf(imageOf(renderer.face(Card::fromNumber(n), 2.0))));
        }
        QCOMPARE(seen.size(), 52);
    }

    void backsAreDistinctDesigns() {
        CardRenderer renderer;
        // Not just different bytes: the average colours of the fields differ to the eye.
        std::vector<QColor> averages;
        for (int design = 0; design < BackDesignCount; ++design) {
            const QImage image = imageOf(renderer.back(design));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);   // rounded corner, table shows through
            QVERIFY(qGray(image.pixel(2, 48)) > 240); // the white margin
            long r = 0, g = 0, b = 0, n = 0;
            for (int y = 10; y < 86; ++y) {
                for (int x = 10; x < 61; ++x) {
                    const QRgb p = image.pixel(x, y);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                    ++n;
                }
            }
            averages.emplace_back(int(r / n), int(g / n), int(b / n));
            QVERIFY2(qGray(averages.back().rgb()) < 200, "the field is not left white");
        }
        for (std::size_t i = 0; i < averages.size(); ++i) {
            for (std::size_t j = i + 1; j < averages.size(); ++j) {
                const QColor a = averages[i];
                const QColor c = averages[j];
                const int distance = std::abs(a.red() - c.red()) + std::abs(a.green() - c.green()) +
                                     std::abs(a.blue() - c.blue());
                QVERIFY2(distance > 30,
                         qPrintable(QStringLiteral("designs %1 and %2 look alike").arg(i).arg(j)));
            }
        }
    }

    void onlyRedSuitsShowRed() {
        CardRenderer renderer;
        for (int n = 1; n <= 52; ++n) {
            const Card card = Card::fromNumber(n);
            const QImage image = imageOf(renderer.face(card, 2.0));
            const int red = countIn(image, image.rect(), isRed);
            if (corvane::isRedSuit(card.suit())) {
                QVERIFY2(red > 150, qPrintable(QString::fromStdString(shortName(card))));
            } else {
                QVERIFY2(red == 0, qPrintable(QString::fromStdString(shortName(card))));
            }
        }
        for (int suit = 0; suit < 4; ++suit) {
            const QImage symbol = imageOf(renderer.suitSymbol(suit, 32));
            QCOMPARE(countIn(symbol, symbol.rect(), isRed) > 100, corvane::isRedSuit(suit));
            QVERIFY(qAlpha(symbol.pixel(16, 16)) == 255);
            QCOMPARE(qAlpha(symbol.pixel(0, 0)), 0);
        }
        const QImage icon = renderer.windowIcon().pixmap(QSize(16, 16)).toImage();
        QVERIFY(countIn(icon.convertToFormat(QImage::Format_ARGB32), icon.rect(), isRed) > 0);
    }

    void bothCornersCarryTheIndex() {
        CardRenderer renderer;
        for (int n = 1; n <= 52; ++n) {
            const Card card = Card::fromNumber(n);
            const QImage image = imageOf(renderer.face(card));
            const QString name = QString::fromStdString(shortName(card));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(70, 95)), 0);
            QVERIFY2(qGray(image.pixel(35, 2)) > 200,
                     qPrintable(name)); // white card below the border
            // The rank above the small pip, top left; turned, bottom right.
            const int rank = countIn(image, QRect(3, 4, 10, 11), isInk);
            const int pip = countIn(image, QRect(3, 16, 10, 10), isInk);
            const int turnedRank = countIn(image, QRect(58, 81, 10, 11), isInk);
            const int turnedPip = countIn(image, QRect(58, 70, 10, 10), isInk);
            QVERIFY2(rank > 12 && pip > 12, qPrintable(name));
            QVERIFY2(std::abs(rank - turnedRank) <= 3 + rank / 10, qPrintable(name));
            QVERIFY2(std::abs(pip - turnedPip) <= 3 + pip / 10, qPrintable(name));
        }
    }

    void spotCardsShowTheirPips() {
        CardRenderer renderer;
        for (int suit = 0; suit < 4; ++suit) {
            for (int face = 1; face <= 10; ++face) {
                const Card card = Card::of(face, suit);
                if (face == corvane::Ace && suit == corvane::Spades) {
                    continue; // the ornate ace has its ring of beads
                }
                const QImage image = imageOf(renderer.face(card, 2.0));
                // Between the two corner indexes.
                const int pips = blobsIn(image, QRect(27, 16, 88, 160));
                QVERIFY2(pips == face, qPrintable(QStringLiteral("%1: %2 pips")
                                                      .arg(QString::fromStdString(shortName(card)))
                                                      .arg(pips)));
            }
        }
    }

    void cardsReadTheSameTurnedRound() {
        CardRenderer renderer;
        for (int suit = 0; suit < 4; ++suit) {
            // Pips in the middle row stand upright, so only these read the same both ways up.
            for (int face :
                 {2, 4, 10, int(corvane::Jack), int(corvane::Queen), int(corvane::King)}) {
                const Card card = Card::of(face, suit);
                const QImage image = imageOf(renderer.face(card));
                const int differences = differencesWhenTurned(image);
                QVERIFY2(differences < 30,
                         qPrintable(QStringLiteral("%1 differs in %2 pixels when turned")
                                        .arg(QString::fromStdString(shortName(card)))
                                        .arg(differences)));
            }
            // A three's middle pip stands upright, so turned round it differs (a diamond is the
            // same both ways up).
            if (suit == corvane::Diamonds) {
                continue;
            }
            const QImage three = imageOf(renderer.face(Card::of(3, suit)));
            QVERIFY(differencesWhenTurned(three) > 10);
        }
    }

    void courtCardsAreFramedPictures() {
        CardRenderer renderer;
        for (int suit = 0; suit < 4; ++suit) {
            for (int face : {corvane::Jack, corvane::Queen, corvane::King}) {
                const QImage image = imageOf(renderer.face(Card::of(face, suit)));
                QSet<QRgb> colours;
                const QRect panel(16, 11, 39, 74);
                for (int y = panel.top(); y <= panel.bottom(); ++y) {
                    for (int x = panel.left(); x <= panel.right(); ++x) {
                        colours.insert(image.pixel(x, y));
                    }
                }
                QVERIFY(colours.size() > 40); // a picture, not a letter on white
                QVERIFY(countIn(image, panel, isInk) > 400);
            }
        }
    }

    void anInvalidCardIsABlankCard() {
        CardRenderer renderer;
        const QImage blank = imageOf(renderer.face(Card()));
        QCOMPARE(countIn(blank, QRect(4, 4, 63, 88), isInk), 0);
        QCOMPARE(qAlpha(blank.pixel(0, 0)), 0);
    }
};

QTEST_MAIN(CardRendererTest)
#include "card_renderer_test.moc"
