#include "ui/table/button_window.h"

#include "ui/table/message_fit.h"
#include "ui/table/saying_words.h"
#include "ui/table/table_fonts.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace corvane::ui {

ButtonWindow::ButtonWindow(QWidget* table)
    : ToolWindow(tr("Corvane Menu"), {2400, 600}, table),
      m_autoDiscard(new QPushButton(tr("&Auto-Discard"), this)),
      m_deal(new QPushButton(tr("&Deal"), this)) {
    setObjectName(QStringLiteral("frmAction"));
    m_autoDiscard->setObjectName(QStringLiteral("cmdAction0"));
    m_deal->setObjectName(QStringLiteral("cmdAction1"));
    m_autoDiscard->setGeometry(scaled(AutoDiscardPlace));
    m_deal->setGeometry(scaled(DealPlace));
    m_autoDiscard->setEnabled(false);
    m_autoDiscard->setDefault(true);
    for (QPushButton* b : {m_autoDiscard, m_deal}) {
        b->setFont(scaled(buttonFont(10)));
        // Enter presses the focused button, as Space does, though this is no dialog.
        b->setAutoDefault(true);
    }
    connect(m_autoDiscard, &QPushButton::clicked, this, [this] { emit buttonClicked(0); });
    connect(m_deal, &QPushButton::clicked, this, [this] { emit buttonClicked(1); });
}

void ButtonWindow::showState(const Picture& picture) {
    const ButtonMenu& menu = picture.buttonMenu;
    if (menu.modeX == ButtonMode::Message) {
        m_autoDiscard->hide();
        m_deal->setGeometry(scaled(MessagePlace));
        m_message = SayingWords::text(picture.buttonMessage);
        // A long message starts a size smaller.
        const int size = m_message.size() > 20 ? 8 : 10;
        const FittedMessage fitted = fitMessage(m_message, scaled(buttonFont(size)), messageArea());
        // A message is plain text: an ampersand in a name must not become a mnemonic.
        m_deal->setText(QString(fitted.text).replace(QLatin1Char('&'), QStringLiteral("&&")));
        m_deal->setFont(fitted.font);
        m_deal->setDefault(true);
    } else {
        m_message.clear();
        m_autoDiscard->show();
        m_autoDiscard->setEnabled(menu.autoDiscardEnabled);
        m_autoDiscard->setGeometry(scaled(AutoDiscardPlace));
        m_autoDiscard->setFont(scaled(buttonFont(10)));
        m_deal->setGeometry(scaled(DealPlace));
        m_deal->setText(tr("&Deal"));
        m_deal->setFont(scaled(buttonFont(10)));
        m_deal->setDefault(false);
        m_autoDiscard->setDefault(true);
    }
    if (isVisible() != menu.visible) {
        setVisible(menu.visible);
        if (menu.visible)
            (menu.modeX == ButtonMode::Message || !menu.autoDiscardEnabled ? m_deal : m_autoDiscard)
                ->setFocus();
    }
}

QSize ButtonWindow::messageArea() const {
    // The message button reaches past the window's right edge: only the part inside shows.
    QStyleOptionButton option;
    option.initFrom(m_deal);
    option.rect = m_deal->geometry().intersected(rect()).translated(-m_deal->pos());
    const QRect contents =
        m_deal->style()->subElementRect(QStyle::SE_PushButtonContents, &option, m_deal);
    // A pixel of air on every side, so that no letter touches the frame.
    return contents.size() - QSize(2 * MessageMargin, 2 * MessageMargin);
}

} // namespace corvane::ui
