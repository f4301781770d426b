// The lobby dialog: its controls at their places, the rules that enable New Table, Join and the
// seat buttons, and what each button hands to the connections behind it.
#include "ui/online/lobby_dialog.h"

#include "protocol/seat_names.h"
#include "ui/online/lobby_card_table.h"
#include "ui/table/dialog_placement.h"
#include "ui/table/table_fonts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace corvane::ui {

namespace {

// Everything below the server line keeps its layout, moved down by the line's height.
constexpr int ServerLine = 420;
// Under the buttons, the "Remember key" line, then the status line.
constexpr int RememberLine = 285;
constexpr int StatusLine = 330;

QRect below(int left, int top, int width, int height) {
    return pixelRect(left, top + ServerLine, width, height);
}

// Seats 0-3 around the table seen from above: South at the bottom, then clockwise.
struct SeatPlace {
    const char* caption;
    int left, top, width, height;
};
constexpr std::array<SeatPlace, 4> SeatPlaces{{
    {QT_TRANSLATE_NOOP("corvane::ui::LobbyDialog", "South"), 840, 1440, 1335, 255},
    {QT_TRANSLATE_NOOP("corvane::ui::LobbyDialog", "West"), 120, 960, 975, 255},
    {QT_TRANSLATE_NOOP("corvane::ui::LobbyDialog", "North"), 840, 480, 1335, 255},
    {QT_TRANSLATE_NOOP("corvane::ui::LobbyDialog", "East"), 1560, 960, 1070, 255},
}};

// The names at the little table are in the big table's typeface, a size smaller, so that
// "Computer" fits at every seat.
QFont seatFont() {
    QFont f = nameFont();
    f.setBold(false);
    f.setPointSizeF(7.5);
    return f;
}

// A name as a seat button shows it: cut with an ellipsis where it would run past the button,
// and with an ampersand that is no shortcut. The whole name is in the tooltip.
void showOccupant(QRadioButton* option, const QString& occupant) {
    const QStyle* style = option->style();
    const int room = option->width() -
                     style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) -
                     style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option);
    const QString shown = option->fontMetrics().elidedText(occupant, Qt::ElideRight, room);
    option->setText(QString(shown).replace(u'&', QStringLiteral("&&")));
    option->setToolTip(occupant);
}

QLabel* makeLabel(const QString& caption, const QString& name, QRect rect, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    return label;
}

QLineEdit* makeField(const QString& name, QRect rect, QLabel* label, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(rect);
    label->setBuddy(field);
    return field;
}

QPushButton* makeButton(const QString& caption, const QString& name, QRect rect, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    return button;
}

} // namespace

LobbyDialog::LobbyDialog(const QString& server, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(tr("Play Online"));
    setModal(false);
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);
    setFixedSize(pixelRect(0, 0, 5580, 2910 + ServerLine + RememberLine + StatusLine).size());

    auto* lblServer = makeLabel(tr("&Server:"), "lblServer", pixelRect(105, 150, 1080, 270), this);
    m_txtServer = makeField("txtServer", pixelRect(1320, 135, 4095, 285), lblServer, this);
    m_txtServer->setText(server);
    m_txtServer->setToolTip(tr("The lobby's host, with :port if it is not the usual"));

    auto* lblUser = makeLabel(tr("&User Name:"), "lblLabels0", below(105, 150, 1080, 270), this);
    m_txtUserName = makeField("txtUserName", below(1320, 135, 1225, 285), lblUser, this);
    m_txtUserName->setMaxLength(UserNameLength);
    auto* lblKey = makeLabel(tr("&Internet Key:"), "lblLabels1", below(105, 540, 1080, 270), this);
    m_txtPassword = makeField("txtPassword", below(1320, 525, 1225, 285), lblKey, this);
    m_txtPassword->setEchoMode(QLineEdit::Password);
    // Created after the key, so that Tab goes from the key to it; it sits on a line of its own
    // under the buttons, as the fields above have no room for it.
    m_chkRememberKey = new QCheckBox(tr("&Remember key"), this);
    m_chkRememberKey->setObjectName(QStringLiteral("chkRememberKey"));
    m_chkRememberKey->setGeometry(below(120, 2880, 2415, 255));
    m_chkRememberKey->setToolTip(
        tr("Keep the key for the next time; otherwise it is forgotten when the program ends"));
    auto* lblTable = makeLabel(tr("New Table:"), "lblLabels2", below(105, 960, 1080, 270), this);
    m_txtTable = makeField("txtTable", below(1320, 960, 1225, 285), lblTable, this);

    auto* lblList =
        makeLabel(tr("Tables Waiting for Players"), "Label1", below(120, 1440, 2415, 255), this);
    m_lstGames = new QListWidget(this);
    m_lstGames->setObjectName(QStringLiteral("lstGames"));
    m_lstGames->setGeometry(below(120, 1680, 2415, 450));
    m_lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    // The list has room for two rows: a long name is cut rather than given a scroll bar that
    // would leave room for one.
    m_lstGames->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lblList->setBuddy(m_lstGames);

    buildTableFrame();

    m_cmdJoin = makeButton(tr("&Join"), "cmdJoin", below(120, 2400, 1140, 390), this);
    m_cmdJoin->setDefault(true);
    m_cmdJoin->setEnabled(false);
    m_cmdNew = makeButton(tr("&New Table"), "cmdNew", below(1440, 2400, 1140, 390), this);
    m_cmdNew->setEnabled(false);
    m_cmdRefresh = makeButton(tr("Refresh"), "cmdRefresh", below(2760, 2400, 1095, 375), this);
    m_cmdCancel = makeButton(tr("Cancel"), "cmdCancel", below(4320, 2400, 1140, 390), this);

    m_lblStatus =
        makeLabel(QString(), "lblStatus", below(120, 2880 + RememberLine, 5340, 270), this);

    connect(m_txtUserName, &QLineEdit::textChanged, this, &LobbyDialog::txtUserNameChange);
    connect(m_lstGames, &QListWidget::itemSelectionChanged, this, &LobbyDialog::lstGamesClick);
    connect(m_cmdJoin, &QPushButton::clicked, this, &LobbyDialog::cmdJoinClick);
    connect(m_cmdNew, &QPushButton::clicked, this, &LobbyDialog::cmdNewClick);
    connect(m_cmdRefresh, &QPushButton::clicked, this, &LobbyDialog::cmdRefreshClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &LobbyDialog::reject);

    // The server is usually right; the name is what a person types first.
    m_txtUserName->setFocus();
}

void LobbyDialog::buildTableFrame() {
    auto* frame = new QGroupBox(tr("Card Table"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(below(2760, 120, 2655, 2055));

    // The table fills the frame under its caption, centred on the seats' middle line.
    auto* table = new LobbyCardTable(frame);
    table->setObjectName(QStringLiteral("shpCardTable"));
    table->setGeometry(pixelRect(60, 300, 2535, 1575));

    m_seats = new QButtonGroup(this);
    for (int seat = 0; seat < 4; ++seat) {
        const SeatPlace& place = SeatPlaces[static_cast<size_t>(seat)];
        auto* option = new QRadioButton(tr(place.caption), frame);
        option->setObjectName(QStringLiteral("optSeat%1").arg(seat));
        option->setGeometry(pixelRect(place.left, place.top, place.width, place.height));
        option->setFont(seatFont());
        QPalette p = option->palette();
        p.setColor(QPalette::Active, QPalette::WindowText, LobbyCardTable::seatText());
        p.setColor(QPalette::Inactive, QPalette::WindowText, LobbyCardTable::seatText());
        p.setColor(QPalette::Disabled, QPalette::WindowText, LobbyCardTable::heldSeatText());
        option->setPalette(p);
        m_seats->addButton(option, seat);
        m_optSeat[static_cast<size_t>(seat)] = option;
    }
}

void LobbyDialog::addTable(const std::string& name, const std::array<std::string, 4>& occupants) {
    const int row = m_lstGames->count();
    if (row >= MaxTables)
        return;
    const QString whole = QString::fromStdString(name);
    const int room = m_lstGames->contentsRect().width() - 6;
    auto* item = new QListWidgetItem(
        m_lstGames->fontMetrics().elidedText(whole, Qt::ElideRight, room), m_lstGames);
    item->setToolTip(whole);
    m_tableSeats[static_cast<size_t>(row)] = occupants;
    if (focusWidget() == m_lstGames)
        lstGamesClick();
}

void LobbyDialog::clearTables() {
    m_lstGames->clear();
    lstGamesClick();
}

void LobbyDialog::selectRow(int row, int seat) {
    if (row < 0 || row >= m_lstGames->count()) {
        m_lstGames->clearSelection();
        m_lstGames->setCurrentRow(-1);
    } else {
        m_lstGames->setCurrentRow(row);
    }
    lstGamesClick();
    if (row >= 0 && seat >= 0 && seat < 4 && m_optSeat[static_cast<size_t>(seat)]->isEnabled())
        m_optSeat[static_cast<size_t>(seat)]->setChecked(true);
    updateJoin();
}

void LobbyDialog::setBusy(bool busy) {
    m_busy = busy;
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void LobbyDialog::setStatus(const QString& text) {
    m_lblStatus->setText(text);
}

QString LobbyDialog::status() const {
    return m_lblStatus->text();
}

void LobbyDialog::showSeats(int row, const std::array<std::string, 4>& occupants) {
    if (row < 0 || row >= m_lstGames->count())
        return;
    m_tableSeats[static_cast<size_t>(row)] = occupants;
    m_lstGames->setCurrentRow(row);
    lstGamesClick();
}

QString LobbyDialog::userName() const {
    return QString::fromStdString(protocol::visibleName(m_txtUserName->text().toStdString()));
}

QString LobbyDialog::key() const {
    return m_txtPassword->text().left(KeyLength);
}

bool LobbyDialog::rememberKey() const {
    return m_chkRememberKey->isChecked();
}

void LobbyDialog::fill(const QString& userName, const QString& key, bool rememberKey) {
    m_txtUserName->setText(userName.left(UserNameLength));
    m_txtPassword->setText(key.left(KeyLength));
    m_chkRememberKey->setChecked(rememberKey);
    // A remembered name leaves the list to choose from next.
    if (!userName.isEmpty())
        m_lstGames->setFocus();
}

QString LobbyDialog::tableName() const {
    const QString typed = m_txtTable->text();
    return typed.trimmed().isEmpty() ? userName() : typed;
}

QString LobbyDialog::server() const {
    return m_txtServer->text();
}

int LobbyDialog::selectedRow() const {
    const QList<QListWidgetItem*> selected = m_lstGames->selectedItems();
    return selected.isEmpty() ? -1 : m_lstGames->row(selected.front());
}

int LobbyDialog::selectedSeat() const {
    const int seat = m_seats->checkedId();
    return seat >= 0 && m_optSeat[static_cast<size_t>(seat)]->isEnabled() ? seat : -1;
}

int LobbyDialog::rowCount() const {
    return m_lstGames->count();
}

void LobbyDialog::reject() {
    emit cancelRequested();
    QDialog::reject();
}

void LobbyDialog::txtUserNameChange() {
    m_cmdNew->setEnabled(!userName().isEmpty());
    if (!userName().isEmpty() && selectedRow() != -1)
        lstGamesClick();
    updateJoin();
}

// No table chosen: the seat buttons show where the seats are, and no one's name.
void LobbyDialog::showCompass() {
    m_seats->setExclusive(false);
    for (size_t seat = 0; seat < 4; ++seat) {
        QRadioButton* option = m_optSeat[seat];
        option->setChecked(false);
        option->setEnabled(true);
        option->setText(tr(SeatPlaces[seat].caption));
        option->setToolTip(QString());
    }
    m_seats->setExclusive(true);
}

void LobbyDialog::lstGamesClick() {
    const int row = selectedRow();
    // The table shown again (the list redrawn, its seats told anew, the name typed) keeps the
    // seat chosen at it while that is free; another table offers its lowest free seat.
    const int kept = row == m_shownRow ? selectedSeat() : -1;
    m_shownRow = row;
    if (row == -1)
        showCompass();
    if (row != -1 && !userName().isEmpty()) {
        // None is left checked from another table: a table of four people offers no seat.
        m_seats->setExclusive(false);
        for (QRadioButton* option : m_optSeat)
            option->setChecked(false);
        m_seats->setExclusive(true);
        // From the last seat down, so that the lowest free seat is the one left checked.
        for (int seat = 3; seat >= 0; --seat) {
            const std::string& occupant =
                m_tableSeats[static_cast<size_t>(row)][static_cast<size_t>(seat)];
            QRadioButton* option = m_optSeat[static_cast<size_t>(seat)];
            // The lobby names a computer's seat "Computer..." in English; a seat shows it in its
            // own words.
            const std::string_view computer = "Computer"; // untranslated: as the lobby lists it
            showOccupant(option, protocol::listsFreeSeat(occupant)
                                     ? tr("Computer") +
                                           QString::fromStdString(occupant.substr(computer.size()))
                                     : QString::fromStdString(occupant));
            option->setEnabled(protocol::listsFreeSeat(occupant));
            if (option->isEnabled())
                option->setChecked(true);
        }
        if (kept >= 0 && m_optSeat[static_cast<size_t>(kept)]->isEnabled())
            m_optSeat[static_cast<size_t>(kept)]->setChecked(true);
    }
    updateJoin();
}

void LobbyDialog::updateJoin() {
    m_cmdJoin->setEnabled(!userName().isEmpty() && selectedRow() != -1 && selectedSeat() != -1);
}

void LobbyDialog::cmdNewClick() {
    if (m_busy || userName().isEmpty())
        return;
    emit newTableRequested();
}

void LobbyDialog::cmdJoinClick() {
    if (m_busy || userName().isEmpty() || selectedRow() == -1 || selectedSeat() == -1)
        return;
    emit joinRequested();
}

void LobbyDialog::cmdRefreshClick() {
    emit refreshRequested();
}

} // namespace corvane::ui
