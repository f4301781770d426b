#include "ui/dialogs/rules_window.h"

#include <QDesktopServices>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane::ui {

RulesWindow::RulesWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("rulesWindow"));
    setWindowTitle(tr("Rules of Corvane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setObjectName(QStringLiteral("rulesBrowser"));
    // Links within the page move in it; a link elsewhere goes to whatever the desktop offers.
    m_browser->setOpenExternalLinks(true);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 40);
}

void RulesWindow::showPage(const QUrl& page) {
    m_browser->setSource(page.adjusted(QUrl::RemoveFragment));
    if (!page.fragment().isEmpty())
        m_browser->scrollToAnchor(page.fragment());
    else
        m_browser->scrollToAnchor(QString());
    show();
    raise();
    activateWindow();
}

} // namespace corvane::ui
