// The options dialog: eight card backs to pick from, three rule options, the play speed and the
// level of the computer players.
#include "ui/dialogs/options_dialog.h"

#include "table/table.h"
#include "ui/cards/card_renderer.h"
#include "ui/table/dialog_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace corvane::ui {

namespace {

struct SpeedItem {
    const char* caption;
    int delay;
};
constexpr std::array<SpeedItem, 3> SpeedItems{{
    {QT_TRANSLATE_NOOP("corvane::ui::OptionsDialog", "Slow"), SpeedSlow},
    {QT_TRANSLATE_NOOP("corvane::ui::OptionsDialog", "Medium"), SpeedMedium},
    {QT_TRANSLATE_NOOP("corvane::ui::OptionsDialog", "Give 'er!!"), SpeedGiveEr},
}};

int designIndex(int design) {
    return ((design % BackDesignCount) + BackDesignCount) % BackDesignCount;
}

// The designs at three quarters of a card, so that the whole dialog stands on the table above the
// small windows at its corner rather than over them.
constexpr int PackWidth = 795;
constexpr int PackHeight = 1080;
// How much shorter, in twips, the dialog is than one with the designs at full size.
constexpr int Saved = 685;

// picPack(i) inside its frame, in twips: four across, two rows.
QRect packRect(int design) {
    constexpr std::array<int, 4> lefts{360, 1560, 2760, 3960};
    return pixelRect(lefts[static_cast<size_t>(design % 4)], design < 4 ? 360 : 1560, PackWidth,
                     PackHeight);
}

} // namespace

OptionsDialog::OptionsDialog(Table& table, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_table(table) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));
    setModal(false);
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);
    setFixedSize(pixelRect(0, 0, 5325, 6315 - Saved).size());

    buildPackFrame();
    buildOptionsFrame();

    m_cmdOK = new QPushButton(tr("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(pixelRect(2880, 5760 - Saved, 1095, 375));
    m_cmdOK->setDefault(true);
    m_cmdCancel = new QPushButton(tr("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setGeometry(pixelRect(4080, 5760 - Saved, 1095, 375));
    // Esc already rejects a QDialog; Cancel is the same thing.
    connect(m_cmdOK, &QPushButton::clicked, this, [this] {
        storeSettings();
        accept();
    });
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    loadSettings();
}

void OptionsDialog::buildPackFrame() {
    auto* frame = new QGroupBox(tr("Pack Design"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setGeometry(pixelRect(120, 120, 5055, 3615 - Saved));

    const qreal dpr = devicePixelRatioF();
    for (int design = 0; design < BackDesignCount; ++design) {
        auto* picture = new QLabel(frame);
        picture->setObjectName(QStringLiteral("picPack%1").arg(design));
        picture->setGeometry(packRect(design));
        picture->setPixmap(cardRenderer().back(design, dpr));
        picture->setScaledContents(true);
        picture->setToolTip(CardRenderer::backName(design));
        picture->setCursor(Qt::PointingHandCursor);
        picture->setAccessibleName(CardRenderer::backName(design));
        // Tab reaches every design; Space picks the one it is on.
        picture->setFocusPolicy(Qt::StrongFocus);
        picture->installEventFilter(this);
        m_picPack[static_cast<size_t>(design)] = picture;
    }

    m_selector = new QFrame(frame);
    m_selector->setObjectName(QStringLiteral("shpSelector"));
    m_selector->setGeometry(packRect(0));
    // The outline only: clicks go through it to the picture below.
    m_selector->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_selector->setStyleSheet(QStringLiteral(
        "QFrame#shpSelector { border: 3px solid #1f5fd0; border-radius: 5px; background: "
        "transparent; }"));
    m_selector->raise();

    m_focusRing = new QFrame(frame);
    m_focusRing->setObjectName(QStringLiteral("packFocus"));
    m_focusRing->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_focusRing->setStyleSheet(QStringLiteral(
        "QFrame#packFocus { border: 2px dashed #202020; background: transparent; }"));
    m_focusRing->hide();
}

void OptionsDialog::buildOptionsFrame() {
    auto* frame = new QGroupBox(tr("Game Options"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    // One row deeper than the three rule options and the speed: the computer players' level.
    frame->setGeometry(pixelRect(120, 3960 - Saved, 5055, 1695));

    m_chk525 = new QCheckBox(tr("Must have 5 to bid 25"), frame);
    m_chk525->setObjectName(QStringLiteral("chk525"));
    m_chk525->setGeometry(pixelRect(240, 360, 2295, 255));
    m_chkFollowSuit = new QCheckBox(tr("Must follow suit"), frame);
    m_chkFollowSuit->setObjectName(QStringLiteral("chkFollowSuit"));
    m_chkFollowSuit->setGeometry(pixelRect(240, 720, 2295, 255));
    m_chkTutorial = new QCheckBox(tr("Deal cards face up"), frame);
    m_chkTutorial->setObjectName(QStringLiteral("chkTutorial"));
    m_chkTutorial->setGeometry(pixelRect(2640, 360, 2295, 255));

    auto* speedLabel = new QLabel(tr("Play Speed"), frame);
    speedLabel->setObjectName(QStringLiteral("Label1"));
    speedLabel->setGeometry(pixelRect(2640, 720, 1095, 315));
    m_cboSpeed = new QComboBox(frame);
    m_cboSpeed->setObjectName(QStringLiteral("cboSpeed"));
    m_cboSpeed->setGeometry(pixelRect(3600, 720, 1215, 315));
    for (const SpeedItem& item : SpeedItems)
        m_cboSpeed->addItem(tr(item.caption), item.delay);
    speedLabel->setBuddy(m_cboSpeed);

    auto* computersLabel = new QLabel(tr("Computer players:"), frame);
    computersLabel->setObjectName(QStringLiteral("lblComputers"));
    computersLabel->setGeometry(pixelRect(240, 1080, 1695, 315));
    m_cboComputers = new QComboBox(frame);
    m_cboComputers->setObjectName(QStringLiteral("cboComputers"));
    m_cboComputers->setGeometry(pixelRect(2040, 1080, 1215, 315));
    m_cboComputers->addItem(tr("Standard"), static_cast<int>(ComputerLevel::Standard));
    m_cboComputers->addItem(tr("Expert"), static_cast<int>(ComputerLevel::Expert));
    m_cboComputers->addItem(tr("Master"), static_cast<int>(ComputerLevel::Master));
    computersLabel->setBuddy(m_cboComputers);
    buildLanguageChoice();
}

// The program's language is no game option: it sits outside the frame, beside OK and Cancel.
void OptionsDialog::buildLanguageChoice() {
    auto* languageLabel = new QLabel(tr("&Language:"), this);
    languageLabel->setObjectName(QStringLiteral("lblLanguage"));
    languageLabel->setGeometry(pixelRect(120, 5790 - Saved, 975, 315));
    m_cboLanguage = new QComboBox(this);
    m_cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    m_cboLanguage->setGeometry(pixelRect(1095, 5790 - Saved, 1665, 315));
    m_cboLanguage->setToolTip(tr("Corvane speaks it from its next start."));
    m_cboLanguage->addItem(tr("The system's"), static_cast<int>(LanguageChoice::System));
    // Each language under its own name, so that a player who cannot read the others finds it.
    m_cboLanguage->addItem(QStringLiteral("English"),
                           static_cast<int>(LanguageChoice::English)); // untranslated
    m_cboLanguage->addItem(QStringLiteral("Français"),
                           static_cast<int>(LanguageChoice::French)); // untranslated
    languageLabel->setBuddy(m_cboLanguage);
}

void OptionsDialog::setLanguage(LanguageChoice language) {
    m_cboLanguage->setCurrentIndex(m_cboLanguage->findData(static_cast<int>(language)));
}

LanguageChoice OptionsDialog::language() const {
    return static_cast<LanguageChoice>(m_cboLanguage->currentData().toInt());
}

void OptionsDialog::loadSettings() {
    // A delay that is none of the three (the lobby's Cancel leaves 200) selects nothing, and OK
    // then keeps that delay: the dialog shows the truth and changes the pace only when asked to.
    m_cboSpeed->setCurrentIndex(m_cboSpeed->findData(m_table.speedDelay));

    m_cboComputers->setCurrentIndex(
        m_cboComputers->findData(static_cast<int>(m_table.computerLevel)));
    m_chk525->setChecked(!m_table.anyBidAllowed);
    m_chkFollowSuit->setChecked(m_table.mustFollowSuit);
    m_chkTutorial->setChecked(m_table.tutorialMode);
    if (m_table.online) {
        // Online play always enforces the five rule; the box cannot change it.
        m_chk525->setChecked(false);
        m_chk525->setEnabled(false);
        // A hosted table keeps the rule it was opened with, and every seat is dealt face down:
        // the boxes show the standalone table's settings, which cannot change online.
        for (QCheckBox* box : {m_chkFollowSuit, m_chkTutorial}) {
            box->setEnabled(false);
            box->setToolTip(tr("Not while playing online"));
        }
    }
    pickDesign(m_table.backDesign);
}

void OptionsDialog::storeSettings() {
    if (m_cboSpeed->currentIndex() >= 0)
        m_table.speedDelay = m_cboSpeed->currentData().toInt();
    // Online the box is greyed and unchecked only because the rule is not the player's to change;
    // storing "unchecked" would switch the rule off for the rest of the run, so it stays as it is.
    if (!m_table.online)
        m_table.anyBidAllowed = !m_chk525->isChecked();
    m_table.mustFollowSuit = m_chkFollowSuit->isChecked();
    m_table.tutorialMode = m_chkTutorial->isChecked();
    m_table.computerLevel = static_cast<ComputerLevel>(m_cboComputers->currentData().toInt());
    m_table.backDesign = m_pickedDesign;
}

void OptionsDialog::setZoom(double zoom) {
    const double by = zoom / m_zoom;
    const auto scaled = [by](int pixels) { return static_cast<int>(std::lround(pixels * by)); };
    // The controls laid out by name, not the pieces a combo box or a group box makes itself.
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->isWindow() && !w->objectName().startsWith(u"qt_")) {
            const QRect g = w->geometry();
            w->setGeometry(scaled(g.x()), scaled(g.y()), scaled(g.width()), scaled(g.height()));
        }
    setFixedSize(scaled(width()), scaled(height()));
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * by);
    setFont(f);
    m_zoom = zoom;
    const qreal dpr = devicePixelRatioF() * zoom;
    for (int design = 0; design < BackDesignCount; ++design)
        m_picPack[static_cast<size_t>(design)]->setPixmap(cardRenderer().back(design, dpr));
    pickDesign(m_pickedDesign);
}

void OptionsDialog::pickDesign(int design) {
    m_pickedDesign = designIndex(design);
    m_selector->move(m_picPack[static_cast<size_t>(m_pickedDesign)]->pos());
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(m_picPack.begin(), m_picPack.end(), watched);
    if (found == m_picPack.end())
        return QDialog::eventFilter(watched, event);
    QLabel* picture = *found;
    const int design = static_cast<int>(found - m_picPack.begin());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            break;
        pickDesign(design);
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space)
            break;
        pickDesign(design);
        return true;
    case QEvent::FocusIn:
        m_focusRing->setGeometry(picture->geometry().adjusted(-4, -4, 4, 4));
        m_focusRing->show();
        m_focusRing->raise();
        break;
    case QEvent::FocusOut:
        m_focusRing->hide();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace corvane::ui
