// Fills the statistics from the record file and runs the clear and export buttons.
#include "ui/record/statistics_window.h"

#include "record/record_writer.h"
#include "ui/record/hand_words.h"
#include "ui/record/record_dialogs.h"
#include "ui/record/win_rate_plot.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {
QString percent(const RecordStatistics::Tally& t) {
    return t.played > 0 ? StatisticsWindow::tr("%1 of %2 (%3%)")
                              .arg(t.won)
                              .arg(t.played)
                              .arg(100.0 * t.rate(), 0, 'f', 1)
                        : StatisticsWindow::tr("none yet");
}
const char* const SeatNames[] = {QT_TRANSLATE_NOOP("corvane::ui::StatisticsWindow", "You"),
                                 QT_TRANSLATE_NOOP("corvane::ui::StatisticsWindow", "Left"),
                                 QT_TRANSLATE_NOOP("corvane::ui::StatisticsWindow", "Partner"),
                                 QT_TRANSLATE_NOOP("corvane::ui::StatisticsWindow", "Right")};
} // namespace

StatisticsWindow::StatisticsWindow(RecordWriter* writer, const QString& path, bool recording,
                                   QWidget* parent)
    : QDialog(parent), m_writer(writer), m_path(path), m_figures(new QTextBrowser(this)),
      m_plot(new WinRatePlot(this)), m_file(new QLabel(this)),
      m_clear(new QPushButton(tr("&Clear Record..."), this)),
      m_export(new QPushButton(tr("&Export as CSV..."), this)) {
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(tr("Statistics"));
    setModal(false);
    m_figures->setObjectName(QStringLiteral("statisticsFigures"));
    m_file->setObjectName(QStringLiteral("recordFile"));
    m_file->setWordWrap(true);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QString where = tr("The record is kept in %1.").arg(QDir::toNativeSeparators(path));
    if (!recording)
        where = tr("%1 Recording is off (Options).").arg(where);
    if (!writer || writer->state() == RecordStore::State::Failed)
        where = tr("%1 The file cannot be used now.").arg(where);
    m_file->setText(where);
    auto* close = new QPushButton(tr("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_clear);
    buttons->addWidget(m_export);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_figures, 3);
    layout->addWidget(m_plot, 2);
    layout->addWidget(m_file);
    layout->addLayout(buttons);
    resize(560, 640);
    m_clear->setEnabled(writer != nullptr);
    m_export->setEnabled(writer != nullptr);
    if (writer)
        connect(writer, &RecordWriter::written, this, &StatisticsWindow::reload);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_clear, &QPushButton::clicked, this, &StatisticsWindow::askToClear);
    connect(m_export, &QPushButton::clicked, this, [this] {
        askWhereToSave(this, tr("Export the Record"), QStringLiteral("corvane-record.csv"),
                       tr("CSV files (*.csv)"), [this](const QString& file) {
                           if (!exportTo(file))
                               tellNotWritten(this, file);
                       });
    });
    reload();
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::reload() {
    // The file is read once the writer has made it or brought it forward.
    if (!m_reader && m_writer && m_writer->state() == RecordStore::State::Open)
        m_reader = std::make_unique<RecordReader>(m_path);
    m_statistics = m_reader && m_reader->isOpen()
                       ? RecordStatistics::read(m_reader->connectionName())
                       : RecordStatistics{};
    showFigures();
    m_plot->setRates(m_statistics.winRateAfterGame);
}

void StatisticsWindow::showFigures() {
    const RecordStatistics& s = m_statistics;
    QString html = tr("<h3>Games</h3>Played %1, won %2: %3.<br>Longest winning run: %4.")
                       .arg(s.games.played)
                       .arg(s.games.won)
                       .arg(percent(s.games))
                       .arg(s.longestWinningRun);
    html += tr("<h3>Win rate by computer level</h3>");
    // The record names the levels in English.
    for (const auto& [level, t] : s.byLevel)
        html += tr("%1: %2<br>")
                    .arg(QCoreApplication::translate("corvane::ui::OptionsDialog",
                                                     level.toUtf8().constData())
                             .toHtmlEscaped(),
                         percent(t));
    html += tr("<h3>Win rate by partner</h3>");
    for (const auto& [partner, t] : s.byPartner)
        html += tr("%1: %2<br>").arg(partner.toHtmlEscaped(), percent(t));
    html += tr("<h3>Bids made and set</h3><table "
               "cellspacing=6><tr><th></th><th>made</th><th>set</th></tr>");
    for (const auto& [bid, b] : s.byBid)
        html += tr("<tr><td>Bid %1</td><td align=right>%2</td><td align=right>%3</td></tr>")
                    .arg(bid)
                    .arg(b.made)
                    .arg(b.set);
    for (size_t seat = 0; seat < 4; ++seat)
        html +=
            QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td></tr>") // untranslated: markup
                .arg(tr(SeatNames[seat]))
                .arg(s.bySeat[seat].made)
                .arg(s.bySeat[seat].set);
    html += tr("</table><h3>Points</h3>%1; on average we took %2 points a hand and they %3.")
                .arg(tr("%n hand(s)", nullptr, s.hands))
                .arg(s.averageOurs, 0, 'f', 1)
                .arg(s.averageTheirs, 0, 'f', 1);
    m_figures->setHtml(html);
}

void StatisticsWindow::ask(const char* text, std::function<void()> yes) {
    auto* box = new QMessageBox(QMessageBox::Question, tr("Statistics"), tr(text),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("clearQuestion"));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [yes = std::move(yes)](int answer) {
        if (answer == QMessageBox::Yes)
            yes();
    });
    m_question = box;
    box->open(); // window-modal, without an event loop of its own
}

void StatisticsWindow::askToClear() {
    ask(FirstQuestion, [this] {
        ask(SecondQuestion, [this] {
            // The figures are read again once the writer has cleared the file.
            if (m_writer)
                m_writer->clear();
        });
    });
}

bool StatisticsWindow::exportTo(const QString& file) {
    return m_reader && m_reader->isOpen() && exportRecordCsv(m_reader->connectionName(), file);
}

} // namespace corvane::ui
