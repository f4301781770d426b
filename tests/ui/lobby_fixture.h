// The lobby dialog as the tests meet it: shown on the offscreen platform with a name typed and
// tables listed, spies on its four requests, and helpers that type and click as a person would.
#pragma once

#include "ui/lobby_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <string>

namespace corvane::ui::test {

using Seats = std::array<std::string, 4>;
using Free = std::array<bool, 4>;

template <typename T> inline T* child(QWidget* parent, const QString& name) {
    T* w = parent->findChild<T*>(name);
    if (w == nullptr)
        qFatal("no %s in %s", qPrintable(name), qPrintable(parent->objectName()));
    return w;
}

inline QPushButton* button(QWidget* d, const char* name) {
    return child<QPushButton>(d, QString::fromLatin1(name));
}

inline QRadioButton* seat(QWidget* d, int i) {
    return child<QRadioButton>(d, QStringLiteral("optSeat%1").arg(i));
}

inline QListWidget* list(QWidget* d) {
    return child<QListWidget>(d, QStringLiteral("lstGames"));
}

inline void typeInto(QWidget* d, const char* field, const QString& text) {
    QLineEdit* edit = child<QLineEdit>(d, QString::fromLatin1(field));
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

// Clicks row `row` of the list as a person would, in the middle of its line.
inline void clickRow(QWidget* d, int row) {
    QListWidget* l = list(d);
    const QRect r = l->visualItemRect(l->item(row));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
}

struct Shown {
    int row;
    std::array<QString, 4> captions;
    std::array<bool, 4> enabled;
    int checked;
};

// The name a seat button stands for: all of it in the tooltip, and as much as fits in the caption,
// cut with an ellipsis.
inline QString seatName(QWidget* d, int i) {
    const QString whole = seat(d, i)->toolTip();
    QString caption = seat(d, i)->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (caption != whole &&
        !(caption.endsWith(QChar(0x2026)) && whole.startsWith(caption.chopped(1))))
        return QStringLiteral("caption %1 for %2").arg(caption, whole);
    return whole;
}

inline Shown shown(QWidget* d) {
    auto* dialog = static_cast<LobbyDialog*>(d);
    Shown s{dialog->selectedRow(), {}, {}, dialog->selectedSeat()};
    for (int i = 0; i < 4; ++i) {
        s.captions[static_cast<size_t>(i)] = seatName(d, i);
        s.enabled[static_cast<size_t>(i)] = seat(d, i)->isEnabled();
    }
    return s;
}

inline const Seats MixedSeats{"Maren", "Computer", "Computer", "Tobias"};
inline const Seats FourPeople{"Maren", "Ilse", "Tobias", "Quinn"};
inline const Seats AllComputers{"Computer", "Computer", "Computer", "Computer"};

// A shown dialog with a name typed and the given tables listed.
struct Lobby {
    explicit Lobby(const QString& name = QStringLiteral("Ansel"),
                   std::initializer_list<std::pair<std::string, Seats>> tables = {}) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            qFatal("the lobby dialog was not shown");
        if (!name.isEmpty())
            typeInto(&dialog, "txtUserName", name);
        for (const auto& [table, seats] : tables)
            dialog.addTable(table, seats);
    }
    LobbyDialog dialog{QStringLiteral("localhost")};
    QSignalSpy newSpy{&dialog, &LobbyDialog::newTableRequested};
    QSignalSpy joinSpy{&dialog, &LobbyDialog::joinRequested};
    QSignalSpy refreshSpy{&dialog, &LobbyDialog::refreshRequested};
    QSignalSpy cancelSpy{&dialog, &LobbyDialog::cancelRequested};
};

} // namespace corvane::ui::test

Q_DECLARE_METATYPE(corvane::ui::test::Seats)
