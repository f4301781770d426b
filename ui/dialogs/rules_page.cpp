// Finding and opening the rules page: in a browser, else in the program's own window.
#include "ui/dialogs/rules_page.h"

#include "ui/dialogs/rules_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#if !defined(CORVANE_DATA_FROM_PROGRAM) || !defined(CORVANE_PROGRAM_DIR)
#error "the build gives the data folder beside the program's and the program's build folder"
#endif

namespace corvane::ui {

QString builtProgramDirectory() {
    return QStringLiteral(CORVANE_PROGRAM_DIR);
}

QStringList rulesPageNames() {
    const QString english = QString::fromLatin1(RulesPageFileName);
    if (QLocale().language() == QLocale::English)
        return {english};
    // corvane.htm becomes corvane_fr.htm
    const QString translated = QString(english).insert(
        english.lastIndexOf(QLatin1Char('.')),
        QLatin1Char('_') + QLocale().name().section(QLatin1Char('_'), 0, 0));
    return {translated, english};
}

QStringList rulesPageCandidates() {
    QStringList candidates;
    for (const QString& name : rulesPageNames()) {
        if (QCoreApplication::instance() != nullptr) {
            const QDir program(QCoreApplication::applicationDirPath());
            candidates << program.filePath(name)
                       << QDir::cleanPath(program.filePath(
                              QStringLiteral(CORVANE_DATA_FROM_PROGRAM "/") + name));
        }
        candidates << QDir(builtProgramDirectory()).filePath(name);
    }
    candidates.removeDuplicates();
    return candidates;
}

QString builtInRulesPage() {
    QString name;
    QFile builtIn;
    for (const QString& candidate : rulesPageNames()) {
        name = candidate;
        builtIn.setFileName(QStringLiteral(":/corvane/") + name);
        if (builtIn.exists())
            break;
    }
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

namespace {

void showInOwnWindow(QWidget* owner, const QUrl& page) {
    auto* window = owner->findChild<RulesWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr)
        window = new RulesWindow(owner);
    window->showPage(page);
}

} // namespace

void openRulesPage(QWidget* owner, const QString& section, std::function<void()> missing) {
    const QString file = findRulesPage();
    if (file.isEmpty()) {
        missing();
        return;
    }
    QUrl page = QUrl::fromLocalFile(file);
    if (!section.isEmpty())
        page.setFragment(section);
    const QPointer<QWidget> guard(owner);
    const auto ownWindow = [guard, page] {
        if (guard)
            showInOwnWindow(guard, page);
    };
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's opener says by its exit status whether a browser took the page.
    auto* opener = new QProcess(owner);
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, ownWindow](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             ownWindow();
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, ownWindow](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash or a lost pipe ends in finished()
                         ownWindow();
                         opener->deleteLater();
                     });
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    // A plain file name unless a section is asked for: every opener takes that.
    opener->start(QStringLiteral("xdg-open"), {section.isEmpty() ? file : page.toString()});
#else
    if (!QDesktopServices::openUrl(page))
        ownWindow();
#endif
}

} // namespace corvane::ui
