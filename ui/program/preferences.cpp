// Reading and writing the preferences file. Every value is checked on the way in: a hand-edited or
// damaged file can hold anything, and anything that is not one of the values the program itself
// writes is read as the default.
#include "ui/program/preferences.h"

#include "table/table.h"
#include "ui/dialogs/options_dialog.h"

#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <array>

namespace corvane::ui {

namespace {

constexpr std::array<int, 3> Speeds{SpeedSlow, SpeedMedium, SpeedGiveEr};
constexpr std::array<double, 4> Zooms{1.0, 1.25, 1.5, 2.0};
constexpr int Designs = 8;
constexpr int MaxServerLength = 255;

QString defaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/corvane/corvane.conf");
}

std::optional<bool> readBool(const QSettings& s, const QString& key) {
    const QString text = s.value(key).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

std::optional<int> readInt(const QSettings& s, const QString& key) {
    bool ok = false;
    const int value = s.value(key).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A line of text no longer than `limit` characters, without control characters; anything else
// is read as empty.
QString readText(const QSettings& s, const QString& key, int limit) {
    const QVariant value = s.value(key);
    if (value.typeId() != QMetaType::QString)
        return {};
    const QString text = value.toString();
    if (text.size() > limit)
        return {};
    const bool printable =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    return printable ? text : QString();
}

} // namespace

TablePreferences TablePreferences::of(const Table& table) {
    TablePreferences p;
    p.backDesign = table.backDesign;
    p.speedDelay = table.speedDelay;
    p.tutorialMode = table.tutorialMode;
    p.mustFollowSuit = table.mustFollowSuit;
    p.anyBidAllowed = table.anyBidAllowed;
    p.computerLevel = table.computerLevel;
    return p;
}

void TablePreferences::applyTo(Table& table) const {
    if (backDesign)
        table.backDesign = *backDesign;
    table.speedDelay = speedDelay;
    table.tutorialMode = tutorialMode;
    table.mustFollowSuit = mustFollowSuit;
    table.anyBidAllowed = anyBidAllowed;
    table.computerLevel = computerLevel;
}

Preferences::Preferences() : Preferences(defaultFile()) {}

Preferences::Preferences(const QString& file) : m_settings(file, QSettings::IniFormat) {}

Preferences::~Preferences() {
    flush();
}

void Preferences::flush() {
    m_settings.sync();
    keepToOwner();
}

// The file is rewritten through a new file that keeps the old one's permissions.
void Preferences::keepToOwner() {
    if (QFile::exists(m_settings.fileName()))
        QFile::setPermissions(m_settings.fileName(), QFile::ReadOwner | QFile::WriteOwner);
}

TablePreferences Preferences::table() const {
    TablePreferences p;
    if (auto design = readInt(m_settings, QStringLiteral("options/backDesign"));
        design && *design >= 0 && *design < Designs)
        p.backDesign = design;
    if (auto speed = readInt(m_settings, QStringLiteral("options/speed"));
        speed && std::find(Speeds.begin(), Speeds.end(), *speed) != Speeds.end())
        p.speedDelay = *speed;
    p.tutorialMode = readBool(m_settings, QStringLiteral("options/tutorial")).value_or(false);
    p.mustFollowSuit =
        readBool(m_settings, QStringLiteral("options/mustFollowSuit")).value_or(false);
    // Kept the way the dialog shows it: the box is "the five rule", checked when it applies.
    p.anyBidAllowed = !readBool(m_settings, QStringLiteral("options/fiveRule")).value_or(true);
    // A file from before Master knew only whether the computers were Expert.
    const bool expert =
        readBool(m_settings, QStringLiteral("options/expertComputers")).value_or(false);
    const int level = readInt(m_settings, QStringLiteral("options/computerLevel"))
                          .value_or(expert ? static_cast<int>(ComputerLevel::Expert) : 0);
    if (level >= 0 && level <= static_cast<int>(ComputerLevel::Master))
        p.computerLevel = static_cast<ComputerLevel>(level);
    return p;
}

void Preferences::setTable(const TablePreferences& p) {
    if (p.backDesign)
        m_settings.setValue(QStringLiteral("options/backDesign"), *p.backDesign);
    // The lobby's Cancel leaves a pace that is none of the dialog's three; it is not kept.
    if (std::find(Speeds.begin(), Speeds.end(), p.speedDelay) != Speeds.end())
        m_settings.setValue(QStringLiteral("options/speed"), p.speedDelay);
    m_settings.setValue(QStringLiteral("options/tutorial"), p.tutorialMode);
    m_settings.setValue(QStringLiteral("options/mustFollowSuit"), p.mustFollowSuit);
    m_settings.setValue(QStringLiteral("options/fiveRule"), !p.anyBidAllowed);
    m_settings.setValue(QStringLiteral("options/computerLevel"), static_cast<int>(p.computerLevel));
}

LanguageChoice Preferences::language() const {
    return languageFromKey(readText(m_settings, QStringLiteral("options/language"), 10));
}

void Preferences::setLanguage(LanguageChoice language) {
    m_settings.setValue(QStringLiteral("options/language"), languageKey(language));
}

LobbyPreferences Preferences::lobby() const {
    LobbyPreferences p;
    p.userName = readText(m_settings, QStringLiteral("lobby/name"), 10);
    p.server = readText(m_settings, QStringLiteral("lobby/server"), MaxServerLength);
    p.rememberKey = readBool(m_settings, QStringLiteral("lobby/rememberKey")).value_or(false);
    if (p.rememberKey)
        p.key = readText(m_settings, QStringLiteral("lobby/key"), 8);
    return p;
}

void Preferences::setLobby(const LobbyPreferences& p) {
    m_settings.setValue(QStringLiteral("lobby/name"), p.userName);
    m_settings.setValue(QStringLiteral("lobby/server"), p.server);
    m_settings.setValue(QStringLiteral("lobby/rememberKey"), p.rememberKey);
    // A key the player did not ask to keep is not left behind from an earlier run either. One
    // that is kept goes into a file that is already the owner's alone.
    if (p.rememberKey) {
        flush();
        m_settings.setValue(QStringLiteral("lobby/key"), p.key);
    } else {
        m_settings.remove(QStringLiteral("lobby/key"));
    }
}

WindowPreferences Preferences::window() const {
    WindowPreferences p;
    const QVariant geometry = m_settings.value(QStringLiteral("window/geometry"));
    if (geometry.typeId() == QMetaType::QByteArray)
        p.geometry = geometry.toByteArray();
    const QString zoom = m_settings.value(QStringLiteral("window/zoom")).toString().trimmed();
    if (zoom == QLatin1String("fit")) {
        p.fit = true;
    } else if (auto percent = readInt(m_settings, QStringLiteral("window/zoom"))) {
        for (double step : Zooms)
            if (static_cast<int>(step * 100) == *percent)
                p.zoom = step;
    }
    return p;
}

void Preferences::setWindow(const WindowPreferences& p) {
    m_settings.setValue(QStringLiteral("window/geometry"), p.geometry);
    if (p.fit)
        m_settings.setValue(QStringLiteral("window/zoom"), QStringLiteral("fit"));
    else if (p.zoom > 0)
        m_settings.setValue(QStringLiteral("window/zoom"), static_cast<int>(p.zoom * 100));
}

} // namespace corvane::ui
