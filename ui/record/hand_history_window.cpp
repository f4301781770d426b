// Lays out the score sheet, the plot, the chosen hand's details and its step-through, and fills
// them from the game's record each time it changes while the window is open.
#include "ui/record/hand_history_window.h"

#include "ui/cards/card_words.h"
#include "ui/record/game_record.h"
#include "ui/record/hand_step_view.h"
#include "ui/record/hand_words.h"
#include "ui/record/score_plot.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {
QStringList columns() {
    return {HandHistoryWindow::tr("Hand"),     HandHistoryWindow::tr("Dealer"),
            HandHistoryWindow::tr("Contract"), HandHistoryWindow::tr("Result"),
            HandHistoryWindow::tr("We took"),  HandHistoryWindow::tr("They took"),
            HandHistoryWindow::tr("We"),       HandHistoryWindow::tr("They")};
}
} // namespace

HandHistoryWindow::HandHistoryWindow(GameRecord& record, QWidget* parent)
    : QDialog(parent), m_record(record), m_sheet(new QTableWidget(this)),
      m_plot(new ScorePlot(this)), m_details(new QTextBrowser(this)),
      m_step(new HandStepView(this)), m_caption(new QLabel(this)),
      m_previous(new QPushButton(tr("< &Previous"), this)),
      m_next(new QPushButton(tr("&Next >"), this)) {
    setObjectName(QStringLiteral("frmHandHistory"));
    setWindowTitle(tr("Hand History"));
    setModal(false);

    m_sheet->setObjectName(QStringLiteral("scoreSheet"));
    m_sheet->setColumnCount(static_cast<int>(columns().size()));
    m_sheet->setHorizontalHeaderLabels(columns());
    m_sheet->verticalHeader()->hide();
    m_sheet->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_sheet->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sheet->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sheet->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_sheet->horizontalHeader()->setStretchLastSection(true);
    m_sheet->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_details->setObjectName(QStringLiteral("handDetails"));
    m_caption->setObjectName(QStringLiteral("stepCaption"));
    m_caption->setAlignment(Qt::AlignCenter);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_sheet, 3);
    leftLayout->addWidget(m_plot, 2);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_step, 3);
    auto* steps = new QHBoxLayout;
    steps->addWidget(m_previous);
    steps->addWidget(m_caption, 1);
    steps->addWidget(m_next);
    rightLayout->addLayout(steps);
    rightLayout->addWidget(m_details, 2);

    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    resize(1040, 640);

    connect(m_sheet, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row != m_chosen) {
            m_chosen = row;
            m_step->setStep(0);
            showChosenHand();
        }
    });
    connect(m_previous, &QPushButton::clicked, this, [this] { stepBy(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { stepBy(1); });
    connect(&record, &GameRecord::changed, this, &HandHistoryWindow::refresh);
    refresh();
}

void HandHistoryWindow::chooseHand(int row) {
    m_sheet->setCurrentCell(row, 0);
}

void HandHistoryWindow::refresh() {
    const GameHistory& game = m_record.history();
    const int rows = static_cast<int>(game.hands.size());
    const bool followLast = m_chosen < 0 || m_chosen >= rows - 1;
    m_sheet->setRowCount(rows);
    std::vector<std::array<int, 2>> scores;
    auto name = [&](int seat) {
        return QString::fromStdString(game.names[static_cast<size_t>(seat & 3)]);
    };
    for (int r = 0; r < rows; ++r) {
        const RecordedHand& h = game.hands[static_cast<size_t>(r)];
        QStringList cells{QString::number(h.number), name(h.dealer)};
        cells << (h.bidder >= 0 ? tr("%1 %2 %3", "bidder, bid, trump")
                                      .arg(name(h.bidder))
                                      .arg(h.bid)
                                      .arg(CardWords::suit(h.trump))
                                : QString());
        const auto points = h.trickPoints();
        switch (h.stage) {
        case HandStage::Scored:
            cells << (h.made ? tr("made") : tr("set")) << QString::number(points[0])
                  << QString::number(points[1]) << QString::number(h.scores[0])
                  << QString::number(h.scores[1]);
            scores.push_back(h.scores);
            break;
        case HandStage::Misdealt:
            cells << tr("misdeal") << QString() << QString() << QString() << QString();
            // A misdeal leaves the score as it was, and keeps its place on the hands' axis.
            scores.push_back(scores.empty() ? std::array<int, 2>{} : scores.back());
            break;
        default:
            cells << tr("in play") << QString::number(points[0]) << QString::number(points[1])
                  << QString() << QString();
        }
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = m_sheet->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_sheet->setItem(r, c, item);
            }
            item->setText(cells[c]);
        }
    }
    fitSheet();
    m_plot->setScores(std::move(scores));
    if (rows == 0) {
        // Nobody has sat down to this game yet: the sides as the sheet's columns name them.
        m_plot->setSideNames(tr("We"), tr("They"));
        m_chosen = -1;
        m_details->setHtml(tr("No hand has been dealt in this game yet."));
        m_step->setHand({}, game.names, m_record.backDesign());
        m_caption->clear();
        m_previous->setEnabled(false);
        m_next->setEnabled(false);
        return;
    }
    m_plot->setSideNames(tr("%1 and %2").arg(name(0), name(2)),
                         tr("%1 and %2").arg(name(1), name(3)));
    if (followLast && m_chosen != rows - 1) {
        m_chosen = rows - 1;
        m_sheet->setCurrentCell(m_chosen, 0);
    }
    showChosenHand();
}

void HandHistoryWindow::fitSheet() {
    // Every column in sight without a sideways scroll bar, at whatever size the text is drawn.
    QHeaderView* header = m_sheet->horizontalHeader();
    header->resizeSections(QHeaderView::ResizeToContents);
    const int last = m_sheet->columnCount() - 1;
    int width = 2 * m_sheet->frameWidth() + m_sheet->verticalScrollBar()->sizeHint().width() +
                header->sectionSizeHint(last);
    for (int c = 0; c < last; ++c)
        width += header->sectionSize(c);
    if (width > m_sheet->minimumWidth())
        m_sheet->setMinimumWidth(width);
}

void HandHistoryWindow::showChosenHand() {
    const GameHistory& game = m_record.history();
    if (m_chosen < 0 || m_chosen >= static_cast<int>(game.hands.size()))
        return;
    // What the player may know: the others' cards only once the hand is over.
    const RecordedHand shown = shownToPlayer(game.hands[static_cast<size_t>(m_chosen)]);
    m_details->setHtml(handInWords(shown, game.names));
    m_step->setHand(shown, game.names, m_record.backDesign());
    m_caption->setText(m_step->caption());
    m_previous->setEnabled(m_step->step() > 0);
    m_next->setEnabled(m_step->step() < m_step->lastStep());
}

void HandHistoryWindow::stepBy(int steps) {
    m_step->setStep(m_step->step() + steps);
    showChosenHand();
}

} // namespace corvane::ui
