#include "ui/table/table_accessibility.h"

#include "ui/table/card_view.h"

#include <QAccessibleWidget>

namespace corvane::ui {

namespace {

class CardAccessible final : public QAccessibleWidget {
public:
    explicit CardAccessible(CardView* card) : QAccessibleWidget(card, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked(int)"));
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<CardView*>(widget())->press();
    }
};

QAccessibleInterface* tableAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String("corvane::ui::CardView"))
        return new CardAccessible(static_cast<CardView*>(object));
    if (key == QLatin1String("corvane::ui::Announcer"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StatusBar);
    if (key == QLatin1String("corvane::ui::ToolWindow"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("lblAnnouncer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(0, 0, 1, 1);
}

void Announcer::say(const QString& sentence) {
    // The same name again sends no event: what is heard is the change.
    if (sentence != accessibleName())
        setAccessibleName(sentence);
}

void installTableAccessibility() {
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(tableAccessible);
    installed = true;
}

} // namespace corvane::ui
