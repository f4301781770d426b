// Finding and installing the translations.
#include "ui/program/language.h"

#include "ui/dialogs/rules_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#if !defined(CORVANE_DATA_FROM_PROGRAM)
#error "the build gives the data folder beside the program's"
#endif

namespace corvane::ui {

namespace {

QLocale localeOf(LanguageChoice choice) {
    switch (choice) {
    case LanguageChoice::English:
        return QLocale(QLocale::English, QLocale::Canada);
    case LanguageChoice::French:
        return QLocale(QLocale::French, QLocale::Canada);
    case LanguageChoice::System:
        break;
    }
    return QLocale::system();
}

bool loadOurs(QTranslator& translator, const QLocale& locale) {
    for (const QString& folder : translationFolders())
        if (translator.load(locale, QStringLiteral("corvane"), QStringLiteral("_"), folder))
            return true;
    return false;
}

} // namespace

QString languageKey(LanguageChoice choice) {
    switch (choice) {
    case LanguageChoice::English:
        return QStringLiteral("en");
    case LanguageChoice::French:
        return QStringLiteral("fr");
    case LanguageChoice::System:
        break;
    }
    return QStringLiteral("system");
}

LanguageChoice languageFromKey(const QString& key) {
    for (LanguageChoice c : {LanguageChoice::English, LanguageChoice::French})
        if (key == languageKey(c))
            return c;
    return LanguageChoice::System;
}

QStringList translationFolders() {
    QStringList folders;
    if (QCoreApplication::instance() != nullptr) {
        const QDir program(QCoreApplication::applicationDirPath());
        folders << program.filePath(QStringLiteral("translations"))
                << QDir::cleanPath(
                       program.filePath(QStringLiteral(CORVANE_DATA_FROM_PROGRAM "/translations")));
    }
    folders << QDir(builtProgramDirectory()).filePath(QStringLiteral("translations"));
    folders.removeDuplicates();
    return folders;
}

QLocale installLanguage(LanguageChoice choice) {
    // One translator of ours and one of Qt's for the life of the application.
    static QTranslator* ours = nullptr;
    static QTranslator* qts = nullptr;
    if (ours == nullptr) {
        ours = new QTranslator(QCoreApplication::instance());
        qts = new QTranslator(QCoreApplication::instance());
    }
    QCoreApplication::removeTranslator(ours);
    QCoreApplication::removeTranslator(qts);

    QLocale locale = localeOf(choice);
    // English is the program's own language; its translation only gives the plural forms.
    if (!loadOurs(*ours, locale)) {
        locale = localeOf(LanguageChoice::English);
        loadOurs(*ours, locale);
    }
    QCoreApplication::installTranslator(ours);
    if (qts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qts);
    QLocale::setDefault(locale);
    return locale;
}

} // namespace corvane::ui
