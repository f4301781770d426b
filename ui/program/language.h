// The language the window speaks: the system's, or the one the player chose in Options. The
// program's translation and Qt's own (standard buttons, context menus) are loaded together; a
// language without a translation of ours speaks English.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace corvane::ui {

enum class LanguageChoice { System, English, French };

// How the choice is kept in the preferences: "system", "en", "fr".
QString languageKey(LanguageChoice choice);
LanguageChoice languageFromKey(const QString& key);

// The folders searched for the program's .qm files, in order: beside the running program, in the
// installed data folder, and beside the program in the build tree.
QStringList translationFolders();

// Installs the translations for `choice` in the running application, replacing any installed
// before, and makes the locale they speak the default one. Returns that locale: English when
// none of ours matches.
QLocale installLanguage(LanguageChoice choice);

} // namespace corvane::ui
