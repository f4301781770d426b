#include "ui/button_window.h"

#include "ui/table_fonts.h"
#include "ui/twips.h"

#include <QPushButton>

namespace corvane::ui {

ButtonWindow::ButtonWindow(QWidget* table)
    : ToolWindow(QStringLiteral("Corvane Menu"), {px(2400), px(600)}, table),
      m_autoDiscard(new QPushButton(QStringLiteral("&Auto-Discard"), this)),
      m_deal(new QPushButton(QStringLiteral("&Deal"), this)) {
    setObjectName(QStringLiteral("frmAction"));
    m_autoDiscard->setObjectName(QStringLiteral("cmdAction0"));
    m_deal->setObjectName(QStringLiteral("cmdAction1"));
    m_autoDiscard->setGeometry(twipRect(0, 0, 1215, 615));
    m_deal->setGeometry(twipRect(1200, 0, 1215, 615));
    m_autoDiscard->setEnabled(false);
    m_autoDiscard->setDefault(true);
    for (QPushButton* b : {m_autoDiscard, m_deal})
        b->setFont(buttonFont(10));
    connect(m_autoDiscard, &QPushButton::clicked, this, [this] { emit buttonClicked(0); });
    connect(m_deal, &QPushButton::clicked, this, [this] { emit buttonClicked(1); });
}

void ButtonWindow::showState(const Table& table) {
    const ButtonMenu& menu = table.buttonMenu;
    if (menu.modeX == 2) {
        m_autoDiscard->hide();
        m_deal->setGeometry(twipRect(0, 0, 2430, 615));
        // A message is plain text: an ampersand in a name must not become a mnemonic.
        QString text = QString::fromStdString(table.buttonMessage);
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        m_deal->setText(text);
        m_deal->setFont(buttonFont(menu.fontSize));
        m_deal->setDefault(true);
    } else {
        m_autoDiscard->show();
        m_autoDiscard->setEnabled(menu.autoDiscardEnabled);
        m_deal->setGeometry(twipRect(1200, 0, 1215, 615));
        m_deal->setText(QString::fromStdString(menu.dealCaption));
        m_deal->setFont(buttonFont(10));
        m_deal->setDefault(false);
        m_autoDiscard->setDefault(true);
    }
    if (isVisible() != menu.visible) {
        setVisible(menu.visible);
        if (menu.visible)
            (menu.modeX == 2 || !menu.autoDiscardEnabled ? m_deal : m_autoDiscard)->setFocus();
    }
}

} // namespace corvane::ui
