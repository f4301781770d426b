// Finding and opening the rules page.
#include "ui/rules_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#if !defined(CORVANE_DATA_FROM_PROGRAM) || !defined(CORVANE_PROGRAM_DIR)
#error "the build gives the data folder beside the program's and the program's build folder"
#endif

namespace corvane::ui {

QString builtProgramDirectory() {
    return QStringLiteral(CORVANE_PROGRAM_DIR);
}

QStringList rulesPageCandidates() {
    const QString name = QString::fromLatin1(RulesPageFileName);
    QStringList candidates;
    if (QCoreApplication::instance() != nullptr) {
        const QDir program(QCoreApplication::applicationDirPath());
        candidates << program.filePath(name)
                   << QDir::cleanPath(
                          program.filePath(QStringLiteral(CORVANE_DATA_FROM_PROGRAM "/") + name));
    }
    candidates << QDir(builtProgramDirectory()).filePath(name);
    candidates.removeDuplicates();
    return candidates;
}

QString builtInRulesPage() {
    const QString name = QString::fromLatin1(RulesPageFileName);
    QFile builtIn(QStringLiteral(":/corvane/") + name);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder) || !builtIn.open(QIODevice::ReadOnly))
        return {};
    const QString path = QDir(folder).filePath(name);
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    const QByteArray page = builtIn.readAll();
    if (copy.write(page) != page.size() || !copy.flush())
        return {};
    return path;
}

QString findRulesPage() {
    for (const QString& path : rulesPageCandidates()) {
        if (QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return builtInRulesPage();
}

bool openRulesPage() {
    const QString page = findRulesPage();
    if (page.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

} // namespace corvane::ui
