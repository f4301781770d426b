#include "ui/program/command_script.h"

#include "flow/engine.h"
#include "ui/table/table_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace corvane::ui {

namespace {

// A step that waits looks again after this long.
constexpr int RetryMs = 20;

template <class W> W* shownWidget(const QString& name) {
    for (QWidget* w : QApplication::allWidgets()) {
        auto* found = qobject_cast<W*>(w);
        if (found && found->objectName() == name && found->isVisible())
            return found;
    }
    return nullptr;
}

} // namespace

CommandScript::CommandScript(TableWindow& window, Engine& engine)
    : QObject(&window), m_window(window), m_engine(engine), m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CommandScript::next);
}

void CommandScript::startFromEnvironment() {
    const QString script = qEnvironmentVariable("CORVANE_SCRIPT");
    if (!script.isEmpty())
        start(script.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

void CommandScript::start(const QStringList& steps) {
    m_steps = steps;
    m_timer->start(0);
}

void CommandScript::next() {
    if (m_steps.isEmpty())
        return;
    const QString step = m_steps.front();
    if (step.startsWith(QLatin1String("wait:"))) {
        m_steps.pop_front();
        m_timer->start(step.mid(5).toInt());
        return;
    }
    if (!runStep(step)) {
        m_timer->start(RetryMs);
        return;
    }
    m_steps.pop_front();
    if (!m_steps.isEmpty())
        m_timer->start(0);
}

bool CommandScript::runStep(const QString& step) {
    const QString argument = step.section(QLatin1Char(':'), 1);
    // Steps are split at spaces: a text written in a step has '_' for each space.
    const QString text = QString(argument).replace(QLatin1Char('_'), QLatin1Char(' '));
    if (step.startsWith(QLatin1String("action:"))) {
        QAction* action = m_window.action(argument);
        if (action == nullptr || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }
    if (step.startsWith(QLatin1String("click:"))) {
        auto* button = shownWidget<QPushButton>(argument);
        if (button == nullptr || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
    if (step.startsWith(QLatin1String("type:"))) {
        auto* field = shownWidget<QLineEdit>(step.section(QLatin1Char(':'), 1, 1));
        if (field == nullptr)
            return false;
        field->setText(
            step.section(QLatin1Char(':'), 2).replace(QLatin1Char('_'), QLatin1Char(' ')));
        return true;
    }
    if (step.startsWith(QLatin1String("label:"))) {
        for (QLabel* label : m_window.findChildren<QLabel*>())
            if (label->isVisible() && label->text() == text)
                return true;
        return false;
    }
    if (step.startsWith(QLatin1String("shown:")))
        return shownWidget<QWidget>(argument) != nullptr;
    if (step.startsWith(QLatin1String("play-to:"))) {
        const Table& t = m_engine.table();
        if (static_cast<int>(t.gamePhase) == argument.toInt() &&
            t.localChoice == LocalChoice::None && t.buttonMode != ButtonMode::Message)
            return true;
        answerWhatWaits();
        return false;
    }
    if (step.startsWith(QLatin1String("title:")))
        return m_window.windowTitle() == text;
    if (step == QLatin1String("print")) {
        const Table& t = m_engine.table();
        std::printf("phase=%d dealing=%d bid=%d trump=%d message=%d trick=%d\n",
                    static_cast<int>(t.gamePhase),
                    m_engine.handUnderWay() && t.gamePhase == GamePhase::Idle ? 1 : 0,
                    t.localChoice == LocalChoice::Bid ? 1 : 0,
                    t.localChoice == LocalChoice::Trump ? 1 : 0,
                    t.buttonMode == ButtonMode::Message ? 1 : 0, t.trickCardCount);
        std::fflush(stdout);
        return true;
    }
    if (step == QLatin1String("close")) {
        m_window.close();
        return true;
    }
    std::fprintf(stderr, "corvane: unknown script step \"%s\"\n", qPrintable(step));
    return true;
}

bool CommandScript::answerWhatWaits() {
    const Table& t = m_engine.table();
    const auto press = [](const char* name) {
        auto* button = shownWidget<QPushButton>(QString::fromLatin1(name));
        if (button == nullptr || !button->isEnabled())
            return false;
        button->click();
        return true;
    };
    if (t.localChoice == LocalChoice::Bid)
        return press("cmdBid0");
    if (t.localChoice == LocalChoice::Trump)
        return press("cmdSuit0");
    if (t.buttonMode == ButtonMode::Discard) {
        press("cmdAction0");
        return press("cmdAction1");
    }
    if (t.buttonMode == ButtonMode::Message ||
        (t.buttonMode != ButtonMode::Hidden && !m_engine.handUnderWay()))
        return press("cmdAction1");
    return false;
}

} // namespace corvane::ui
