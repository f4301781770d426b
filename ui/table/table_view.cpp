// The table's controls at their places, and showing a Table on them.
#include "ui/table/table_view.h"

#include "table/presenter.h"
#include "ui/cards/card_renderer.h"
#include "ui/table/card_view.h"
#include "ui/table/fitted_label.h"
#include "ui/table/saying_words.h"
#include "ui/table/table_fonts.h"
#include "ui/table/twips.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadialGradient>
#include <QVariantAnimation>

namespace corvane::ui {

namespace {

const QColor Baize(80, 176, 96);

// A name set again, even the same, is an event for every screen reader listening.
void nameWidget(QWidget* w, const QString& name) {
    if (w->accessibleName() != name)
        w->setAccessibleName(name);
}

template <class Label = QLabel>
QLabel* makeLabel(QWidget* parent, const QString& name, const QFont& font) {
    auto* l = new Label(parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setAlignment(Qt::AlignCenter);
    // Names come from other people online: a caption is shown as written, never as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A rectangle of the layout in twips.
constexpr QRect twips(int left, int top, int width, int height) {
    return {left, top, width, height};
}

// An opaque box in the system's window colours with a single-line border.
void makeBoxed(QLabel* l) {
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setLineWidth(1);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, l->palette().color(QPalette::Base));
    p.setColor(QPalette::WindowText, l->palette().color(QPalette::Text));
    l->setPalette(p);
}

QColor labelColor(LabelColor c, const QLabel* l) {
    switch (c) {
    case LabelColor::Red:
        return QColor(255, 0, 0);
    case LabelColor::White:
        return Qt::white;
    case LabelColor::Black:
        break;
    }
    return l->property("boxed").toBool() ? l->palette().color(QPalette::Base).lightness() > 128
                                               ? QColor(Qt::black)
                                               : QColor(Qt::white)
                                         : QColor(Qt::black);
}

void showLabel(QLabel* l, const Label& label) {
    l->setText(SayingWords::caption(label));
    QFont f = l->font();
    if (f.underline() != label.underline) {
        f.setUnderline(label.underline);
        l->setFont(f);
    }
    QPalette p = l->palette();
    const QColor color = labelColor(label.color, l);
    if (p.color(QPalette::WindowText) != color) {
        p.setColor(QPalette::WindowText, color);
        l->setPalette(p);
    }
    l->setVisible(label.visible);
}

} // namespace

TableView::TableView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCorvane"));
    setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(TableScale::tableSize(1.0));

    const std::array<QRect, 6> names{twips(3120, 6480, 2175, 255), twips(240, 4200, 2175, 255),
                                     twips(3120, 1800, 2175, 255), twips(6000, 4200, 2175, 255),
                                     twips(6120, 120, 975, 255),   twips(7200, 120, 975, 255)};
    for (size_t i = 0; i < names.size(); ++i) {
        m_playerNames[i] = makeLabel(this, QStringLiteral("lblPlayerName%1").arg(i), nameFont());
        m_playerNames[i]->setAttribute(Qt::WA_TranslucentBackground);
        place(m_playerNames[i], names[i]);
    }
    for (size_t i = 4; i < 6; ++i) {
        QPalette p = m_playerNames[i]->palette();
        p.setColor(QPalette::WindowText, palette().color(QPalette::ToolTipText));
        m_playerNames[i]->setPalette(p);
    }
    for (int i = 0; i < 2; ++i) {
        m_scores[static_cast<size_t>(i)] =
            makeLabel<FittedLabel>(this, QStringLiteral("lblScore%1").arg(i), numberFont());
        place(m_scores[static_cast<size_t>(i)], twips(6120 + 1080 * i, 360, 975, 495));
        makeBoxed(m_scores[static_cast<size_t>(i)]);
        m_scores[static_cast<size_t>(i)]->setText(QStringLiteral("0"));
        m_tricks[static_cast<size_t>(i)] =
            makeLabel(this, QStringLiteral("lblTricks%1").arg(i), trickFont());
        place(m_tricks[static_cast<size_t>(i)], twips(6120 + 1080 * i, 900, 975, 255));
    }
    const std::array<QRect, 5> bids{twips(3720, 3600, 975, 495), twips(2760, 3000, 975, 495),
                                    twips(3720, 2400, 975, 495), twips(4680, 3000, 975, 495),
                                    twips(960, 240, 975, 495)};
    for (size_t i = 0; i < bids.size(); ++i) {
        m_bids[i] = makeLabel<FittedLabel>(this, QStringLiteral("lblBid%1").arg(i), numberFont());
        place(m_bids[i], bids[i]);
        makeBoxed(m_bids[i]);
        m_bids[i]->setProperty("boxed", true);
        m_bids[i]->hide();
    }
    m_bids[4]->setToolTip(tr("High Bid"));

    m_trump = new QLabel(this);
    m_trump->setObjectName(QStringLiteral("imgTrump"));
    place(m_trump, twips(360, 240, 495, 495), false);
    m_trump->setToolTip(tr("Trump Suit"));
    m_trump->setAccessibleDescription(tr("Trump Suit"));
    m_trump->setAlignment(Qt::AlignCenter);
    m_trump->hide();

    // A dealer's button as at a card table: a white disc with a "D", in the names' type.
    m_dealerMark = makeLabel(this, QStringLiteral("lblDealer"), nameFont());
    m_dealerMark->setText(tr("D", "the dealer's mark"));
    m_dealerMark->setToolTip(tr("Dealer"));
    m_dealerMark->setAccessibleName(tr("Dealer"));
    m_dealerMark->hide();

    m_timeout = makeLabel(this, QStringLiteral("lblTimeout"), font());
    place(m_timeout, twips(2760, 6120, 255, 255));
    makeBoxed(m_timeout);
    m_timeout->setText(QStringLiteral("20"));
    m_timeout->hide();

    m_whiteboard = new QPlainTextEdit(this);
    m_whiteboard->setObjectName(QStringLiteral("txtWhiteboard"));
    // The chat history is small: a smaller type shows more of it at once.
    QFont history = m_whiteboard->font();
    history.setPointSizeF(7.5);
    m_whiteboard->setFont(history);
    m_whiteboard->document()->setDocumentMargin(2);
    place(m_whiteboard, twips(6120, 1200, 2055, 855));
    m_whiteboard->setReadOnly(true);
    m_whiteboard->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_whiteboard->hide();
    m_chat = new QLineEdit(this);
    m_chat->setObjectName(QStringLiteral("txtChat"));
    place(m_chat, twips(6120, 2040, 2055, 285));
    m_chat->setMaxLength(80);
    m_chat->setToolTip(tr("Enter a chat message here"));
    m_chat->hide();
    m_seat = new QLineEdit(QStringLiteral("0"), this);
    m_seat->setObjectName(QStringLiteral("txtSeat"));
    place(m_seat, twips(7680, 5520, 615, 285));
    m_seat->hide();

    installTableAccessibility();
    m_announcer = new Announcer(this);
    setAccessibleName(tr("Corvane table"));
    // The table holds the focus when no card can: between hands, with the hand played out.
    setFocusPolicy(Qt::ClickFocus);

    for (int i = 0; i < PictureCount; ++i) {
        auto* p = new CardView(i, this);
        p->move(m_scale.point(homePosition(i)));
        p->hide();
        connect(p, &CardView::clicked, this, &TableView::cardClicked);
        m_pictures[static_cast<size_t>(i)] = p;
    }
}

void TableView::place(QWidget* widget, QRect where, bool ownFont) {
    m_placed.push_back({widget, where, widget->font(), ownFont});
    widget->setGeometry(m_scale.rect(where.left(), where.top(), where.width(), where.height()));
}

QSize TableView::sizeHint() const {
    return TableScale::tableSize(m_fit ? m_scale.zoom : m_zoom);
}

void TableView::setZoom(double zoom) {
    m_fit = false;
    m_zoom = std::clamp(zoom, 0.25, 8.0);
    setMinimumSize(TableScale::tableSize(m_zoom));
    updateGeometry();
    relayout();
}

void TableView::setFitToWindow() {
    m_fit = true;
    setMinimumSize(TableScale::tableSize(1.0));
    updateGeometry();
    relayout();
}

void TableView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void TableView::relayout() {
    const TableScale next =
        m_fit ? TableScale::fitting(size(), 1.0) : TableScale::centred(size(), m_zoom);
    if (next.zoom == m_scale.zoom && next.origin == m_scale.origin)
        return;
    const bool resized = next.zoom != m_scale.zoom;
    m_scale = next;
    for (const Placed& p : m_placed) {
        p.widget->setGeometry(
            m_scale.rect(p.twips.left(), p.twips.top(), p.twips.width(), p.twips.height()));
        if (resized && p.ownFont) {
            QFont f = p.font;
            f.setUnderline(p.widget->font().underline());
            f.setPointSizeF(p.font.pointSizeF() * m_scale.zoom);
            p.widget->setFont(f);
        }
    }
    const QSize card = CardRenderer::cardSize(m_scale.zoom);
    for (CardView* view : m_pictures)
        view->setFixedSize(card);
    if (resized)
        m_trumpSuit = -1; // drawn again at the new size
    // A card on its way keeps going: its next step lands at the new scale.
    if (m_table)
        showTable(*m_table);
    else
        for (int i = 0; i < PictureCount; ++i)
            m_pictures[static_cast<size_t>(i)]->move(m_scale.point(homePosition(i)));
    update();
    if (resized)
        emit zoomed(m_scale.zoom);
}

void TableView::shadeWhiteName(QLabel* name, bool white) {
    auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(name->graphicsEffect());
    if (!white) {
        if (shadow)
            name->setGraphicsEffect(nullptr);
        return;
    }
    if (!shadow) {
        shadow = new QGraphicsDropShadowEffect(name);
        shadow->setColor(QColor(0, 0, 0, 220));
        name->setGraphicsEffect(shadow); // the label owns it
    }
    // A tight dark edge below and right of every letter, growing with the table.
    shadow->setOffset(m_scale.zoom, m_scale.zoom);
    shadow->setBlurRadius(3 * m_scale.zoom);
}

void TableView::showDealerMark(const Table& table) {
    if (!table.dealerMarkShown()) {
        m_dealerMark->hide();
        return;
    }
    const QLabel* name = m_playerNames[static_cast<size_t>(table.dealerLabel())];
    const int side = m_scale.length(240);
    QFont f = nameFont();
    f.setPointSizeF(f.pointSizeF() * m_scale.zoom * 0.85);
    m_dealerMark->setFont(f);
    m_dealerMark->setStyleSheet(
        QStringLiteral("QLabel#lblDealer { background: white; color: black; border: %1px solid "
                       "#1d2b22; border-radius: %2px; }")
            .arg(std::max(1, m_scale.length(15)))
            .arg(side / 2));
    // Just after the name, within its label's place on the table.
    const QRect place = name->geometry();
    const int text = name->fontMetrics().horizontalAdvance(name->text());
    const int gap = m_scale.length(60);
    const int left = std::min(place.center().x() + (text + 1) / 2 + gap, place.right() - side);
    m_dealerMark->setGeometry(left, place.center().y() - side / 2, side, side);
    m_dealerMark->show();
    m_dealerMark->raise();
}

void TableView::setRefusalTest(std::function<bool(int)> refused) {
    for (CardView* p : m_pictures)
        p->setRefusalTest(refused);
}

void TableView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The baize: the table colour in the middle, a little shade towards the rails.
    QRadialGradient felt(rect().center(), std::max(width(), height()) * 0.75);
    felt.setColorAt(0.0, Baize.lighter(106));
    felt.setColorAt(0.55, Baize);
    felt.setColorAt(1.0, Baize.darker(135));
    painter.fillRect(rect(), felt);
}

void TableView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TableView::showTable(const Table& table) {
    m_table = &table;
    showPictures(table);
    showLabels(table);
    speak(table);
}

void TableView::speak(const Table& table) {
    const bool localTurn =
        table.gamePhase == GamePhase::Play && table.awaitedSeat == table.localSeat;
    for (int i = 0; i < PictureCount; ++i) {
        CardView* view = m_pictures[static_cast<size_t>(i)];
        if (!table.picCard[static_cast<size_t>(i)].visible)
            continue;
        const bool playable = localTurn && i < 5 && view->refusalTest() && !view->refusalTest()(i);
        nameWidget(view, cardSpeech(table, i, playable));
    }
    for (int seat = 0; seat < 4; ++seat)
        nameWidget(m_bids[static_cast<size_t>(seat)], bidSpeech(table, seat));
    const Picture shown = present(table);
    for (size_t i = 0; i < 2; ++i) {
        nameWidget(m_scores[i], scoreSpeech(table));
        nameWidget(m_tricks[i], tricksSpeech(shown.lblTricks[i]));
    }
    nameWidget(m_trump, trumpSpeech(table));

    const QStringList said = m_speech.changes(table);
    if (said.isEmpty())
        return;
    const QString sentence = said.join(QLatin1Char(' '));
    m_announcer->say(sentence);
    emit announced(sentence);
}

void TableView::showLabels(const Table& table) {
    const Picture picture = present(table);
    for (size_t i = 0; i < 4; ++i) {
        showLabel(m_playerNames[i], picture.lblPlayerName[i]);
        shadeWhiteName(m_playerNames[i], picture.lblPlayerName[i].color == LabelColor::White);
    }
    showDealerMark(table);
    // The score headings keep their own colour.
    for (size_t i = 4; i < m_playerNames.size(); ++i) {
        m_playerNames[i]->setText(SayingWords::caption(picture.lblPlayerName[i]));
        m_playerNames[i]->setVisible(picture.lblPlayerName[i].visible);
    }
    for (size_t i = 0; i < m_bids.size(); ++i)
        showLabel(m_bids[i], picture.lblBid[i]);
    for (int i = 0; i < 2; ++i) {
        m_scores[static_cast<size_t>(i)]->setText(
            QString::fromStdString(picture.lblScore[static_cast<size_t>(i)]));
        m_tricks[static_cast<size_t>(i)]->setText(
            trickMarks(picture.lblTricks[static_cast<size_t>(i)]));
    }
    if (picture.imgTrumpVisible && m_trumpSuit != table.trumpSuit) {
        m_trumpSuit = table.trumpSuit;
        m_trump->setPixmap(
            cardRenderer().suitSymbol(m_trumpSuit, m_scale.length(480), devicePixelRatioF()));
    }
    m_trump->setVisible(picture.imgTrumpVisible);
    showLabel(m_timeout, picture.lblTimeout);
    m_chat->setVisible(table.online);
    m_whiteboard->setVisible(table.online);
    // A line edit's text set again is a text change to every screen reader, even unchanged.
    if (const QString seat = QString::number(table.localSeat); m_seat->text() != seat)
        m_seat->setText(seat);
}

} // namespace corvane::ui
