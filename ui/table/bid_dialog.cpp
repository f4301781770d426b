#include "ui/table/bid_dialog.h"

#include "ui/table/table_fonts.h"

#include <QPushButton>

namespace corvane::ui {

BidDialog::BidDialog(QWidget* table) : ToolWindow(tr("Choose Bid"), {2400, 600}, table) {
    setObjectName(QStringLiteral("frmBidSel"));
    // The underlined letter is the key that bids it (P, 2, 5 and 3).
    const QString captions[] = {tr("&Pass"), QStringLiteral("&20"), QStringLiteral("2&5"),
                                QStringLiteral("&30")};
    QFont font = buttonFont(10);
    font.setBold(true);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setObjectName(QStringLiteral("cmdBid%1").arg(i));
        b->setFont(font);
        place(b, QRect(600 * i, 0, 615, 615));
        b->setAutoDefault(true); // Enter presses the focused button
        connect(b, &QPushButton::clicked, this, [this, i] { emit bidClicked(i); });
        m_buttons[static_cast<size_t>(i)] = b;
    }
    m_buttons[0]->setDefault(true);
}

void BidDialog::showState(const Picture& picture) {
    for (size_t i = 0; i < 4; ++i)
        m_buttons[i]->setEnabled(picture.bidDialog.enabled[i]);
    if (isVisible() != picture.bidDialog.visible) {
        setVisible(picture.bidDialog.visible);
        if (isVisible())
            m_buttons[0]->setFocus();
    }
}

} // namespace corvane::ui
