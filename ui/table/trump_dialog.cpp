#include "ui/table/trump_dialog.h"

#include "ui/cards/card_renderer.h"
#include "ui/table/table_fonts.h"

#include <QPushButton>

namespace corvane::ui {

TrumpDialog::TrumpDialog(QWidget* table) : ToolWindow(tr("Choose Trump"), {2400, 600}, table) {
    setObjectName(QStringLiteral("frmTrumpSel"));
    const QString names[] = {tr("Spades"), tr("Diamonds"), tr("Clubs"), tr("Hearts")};
    // Beside each symbol the key that names the suit, underlined: its initial in the language.
    const QString keys[] = {tr("&S", "spades"), tr("&D", "diamonds"), tr("&C", "clubs"),
                            tr("&H", "hearts")};
    for (int suit = 0; suit < 4; ++suit) {
        auto* b = new QPushButton(keys[suit], this);
        b->setObjectName(QStringLiteral("cmdSuit%1").arg(suit));
        QIcon icon;
        for (qreal dpr : {1.0, 2.0, 4.0})
            icon.addPixmap(cardRenderer().suitSymbol(suit, 20, dpr));
        b->setIcon(icon);
        b->setIconSize({16, 16});
        b->setFont(buttonFont(8));
        place(b, QRect(600 * suit, 0, 615, 615));
        b->setToolTip(names[suit]);
        b->setAccessibleName(names[suit]);
        b->setAutoDefault(true); // Enter presses the focused button
        connect(b, &QPushButton::clicked, this, [this, suit] { emit suitClicked(suit); });
        m_buttons[static_cast<size_t>(suit)] = b;
    }
    // Tab from spades to hearts, clubs, then diamonds.
    setTabOrder(m_buttons[0], m_buttons[3]);
    setTabOrder(m_buttons[3], m_buttons[2]);
    setTabOrder(m_buttons[2], m_buttons[1]);
}

void TrumpDialog::showState(bool visible) {
    if (isVisible() != visible) {
        setVisible(visible);
        if (visible)
            m_buttons[0]->setFocus();
    }
}

} // namespace corvane::ui
