// From the game's record to the record file, and the switch in the options.
#include "ui/record/record_keeping.h"

#include "table/table.h"
#include "ui/record/game_record.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <array>

namespace corvane::ui {

RecordKeeping::RecordKeeping(GameRecord& record, QWidget* window, QString path,
                             QString settingsFile)
    : m_record(record), m_window(window), m_path(std::move(path)),
      m_settingsFile(std::move(settingsFile)) {
    if (!m_settingsFile.isEmpty())
        m_enabled = QSettings(m_settingsFile, QSettings::IniFormat)
                        .value(QString::fromLatin1(SettingKey), true)
                        .toBool();
    connect(&record, &GameRecord::handScored, this, &RecordKeeping::handScored);
    connect(&record, &GameRecord::gameWon, this, &RecordKeeping::gameWon);
    connect(&record, &GameRecord::changed, this, &RecordKeeping::recordChanged);
}

void RecordKeeping::recordChanged() {
    // A history that shrinks or begins again is another game, dealt just now.
    const size_t hands = m_record.history().hands.size();
    if (hands == 1 && m_handsSeen != 1)
        m_started = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    m_handsSeen = hands;
}

std::optional<qint64> RecordKeeping::gameNumber() {
    RecordWriter* w = m_enabled ? writer() : nullptr;
    if (!w)
        return std::nullopt;
    // The game in play is the one last written when the last hand written is one of its own.
    const auto& hands = m_record.history().hands;
    const bool continues = static_cast<int>(m_record.source()) == m_lastSource &&
                           std::ranges::any_of(hands, [this](const RecordedHand& h) {
                               return h.stage == HandStage::Scored && h.number == m_lastHand;
                           });
    const qint64 number = w->gameNumber(continues);
    return number > 0 ? std::optional(number) : std::nullopt;
}

RecordKeeping::~RecordKeeping() = default;

QString RecordKeeping::pathBeside(const QString& preferencesFile) {
    const QFileInfo given(preferencesFile);
    const QFileInfo own(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/corvane/corvane.conf"));
    if (given.absoluteFilePath() == own.absoluteFilePath())
        return RecordStore::defaultPath();
    return given.absoluteDir().filePath(QString::fromLatin1(RecordStore::FileName));
}

void RecordKeeping::setEnabled(bool on) {
    m_enabled = on;
    if (m_settingsFile.isEmpty())
        return;
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    settings.setValue(QString::fromLatin1(SettingKey), on);
}

RecordWriter* RecordKeeping::writer() {
    if (!keeps())
        return nullptr;
    if (!m_writer) {
        m_writer = std::make_unique<RecordWriter>(RecordStore::Options{m_path});
        // Said on the window's thread, from the writer's.
        connect(m_writer.get(), &RecordWriter::trouble, this, &RecordKeeping::say);
    }
    return m_writer->state() == RecordStore::State::Failed ? nullptr : m_writer.get();
}

void RecordKeeping::say(const QString& text) {
    if (!m_window)
        return;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Corvane"), text,
                                QMessageBox::Ok, m_window);
    box->setObjectName(QStringLiteral("recordTrouble"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open(); // the game goes on behind it
}

RecordedGameInfo RecordKeeping::infoFor(const GameHistory& game) const {
    RecordedGameInfo info;
    switch (m_record.source()) {
    case GameRecord::Source::Standalone:
        info.mode = QStringLiteral("standalone");
        break;
    case GameRecord::Source::Hosting:
        info.mode = QStringLiteral("hosting");
        break;
    case GameRecord::Source::Seated:
        info.mode = QStringLiteral("seated");
        break;
    }
    info.started = m_started;
    // A seat at another's table does not learn who is a computer; its own seat is a person.
    const Table* played = m_record.tableInPlay();
    // The record keeps the level under its English name, whatever the window's language.
    static constexpr std::array<const char*, 3> levels{"Standard", "Expert",
                                                       "Master"}; // untranslated
    info.level = QString::fromLatin1(
        levels[static_cast<size_t>(played ? played->computerLevel : ComputerLevel::Standard)]);
    for (size_t s = 0; s < 4; ++s) {
        info.names[s] = QString::fromStdString(game.names[s]);
        if (s == 0)
            info.kinds[s] = QStringLiteral("person");
        else if (!played)
            info.kinds[s] = QStringLiteral("unknown");
        else
            info.kinds[s] = played->seats[s].occupant == Occupant::Computer
                                ? QStringLiteral("computer")
                                : QStringLiteral("person");
    }
    return info;
}

void RecordKeeping::handScored(const GameHistory& game, const RecordedHand& hand) {
    if (!m_enabled)
        return;
    RecordWriter* s = writer();
    if (!s)
        return;
    // A hand numbered no later than the last one written begins another game (a new game, or
    // another table).
    const int source = static_cast<int>(m_record.source());
    if (hand.number <= m_lastHand || source != m_lastSource)
        s->startNewGame();
    m_lastHand = hand.number;
    m_lastSource = source;
    s->recordHand(infoFor(game), hand);
}

void RecordKeeping::gameWon(const GameHistory& game) {
    if (!m_enabled || !game.winner)
        return;
    if (RecordWriter* s = writer())
        s->recordGameWon(*game.winner, game.finalScores);
}

void RecordKeeping::extendOptions(QDialog* options) {
    auto* frame = options->findChild<QGroupBox*>(QStringLiteral("Frame1"));
    if (!frame || !keeps())
        return;
    auto* box = new QCheckBox(tr("Record games"), frame);
    box->setObjectName(QStringLiteral("chkRecordGames"));
    // Beside the computer players' level, in the frame's last row.
    box->setGeometry(QRect(QPoint(3360 / 15, 1080 / 15), QSize(1575 / 15, 255 / 15)));
    box->setChecked(m_enabled);
    box->show();
    connect(options, &QDialog::accepted, this, [this, box] { setEnabled(box->isChecked()); });
}

} // namespace corvane::ui
