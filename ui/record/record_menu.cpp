// Puts an item into the Game menu before the separator that stands above Exit.
#include "ui/record/record_menu.h"

#include "ui/table/table_window.h"

#include <QAction>
#include <QMenu>

namespace corvane::ui {

QAction* addRecordItem(TableWindow& window, const char* objectName, const QString& caption) {
    auto* game = window.findChild<QMenu*>(QStringLiteral("mnuGame"));
    auto* action = new QAction(caption, &window);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!game)
        return action;
    QAction* before = nullptr;
    for (QAction* a : game->actions())
        if (a->objectName() == QLatin1String("mnuNothing"))
            before = a;
    game->insertAction(before, action);
    return action;
}

} // namespace corvane::ui
