// The rules page in a window of the program's own, for a desktop where no browser takes it.
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace corvane::ui {

class RulesWindow final : public QWidget {
    Q_OBJECT
public:
    explicit RulesWindow(QWidget* parent = nullptr);

    // Shows the page (a local file, with the section to open at as its fragment).
    void showPage(const QUrl& page);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace corvane::ui
