// Finding and opening the rules page.
#include "ui/rules_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#if !defined(CORVANE_RULES_SOURCE) || !defined(CORVANE_PROGRAM_DIR)
#error "the build gives the page's source path and the program's folder"
#endif

namespace corvane::ui {

QString builtProgramDirectory() {
    return QStringLiteral(CORVANE_PROGRAM_DIR);
}

QStringList rulesPageCandidates() {
    const QString name = QString::fromLatin1(RulesPageFileName);
    QStringList candidates;
    if (QCoreApplication::instance() != nullptr)
        candidates << QDir(QCoreApplication::applicationDirPath()).filePath(name);
    candidates << QDir(builtProgramDirectory()).filePath(name)
               << QStringLiteral(CORVANE_RULES_SOURCE);
    candidates.removeDuplicates();
    return candidates;
}

QString findRulesPage() {
    for (const QString& path : rulesPageCandidates()) {
        if (QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return {};
}

bool openRulesPage() {
    const QString page = findRulesPage();
    if (page.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

} // namespace corvane::ui
