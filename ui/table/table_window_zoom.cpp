// The View menu: the table at 100%, 125%, 150% or 200%, or fitted to the window, and stepping
// between them with Ctrl+, Ctrl- and Ctrl+0.
#include "ui/table/table_view.h"
#include "ui/table/table_window.h"

#include <QAction>
#include <QActionGroup>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <array>

namespace corvane::ui {

namespace {

constexpr std::array<double, 4> Steps{1.0, 1.25, 1.5, 2.0};

QString stepName(double zoom) {
    return QStringLiteral("mnuZoom%1").arg(static_cast<int>(zoom * 100));
}

} // namespace

std::span<const double> TableWindow::zoomSteps() {
    return Steps;
}

void TableWindow::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    auto* group = new QActionGroup(this);
    for (double step : Steps) {
        QAction* a = view->addAction(tr("%1%").arg(static_cast<int>(step * 100)));
        a->setObjectName(stepName(step));
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, step] { setZoom(step); });
    }
    QAction* fit = view->addAction(tr("&Fit to Window"));
    fit->setObjectName(QStringLiteral("mnuZoomFit"));
    fit->setCheckable(true);
    group->addAction(fit);
    connect(fit, &QAction::triggered, this, &TableWindow::fitToWindow);
    view->addSeparator();

    QAction* in = view->addAction(tr("Zoom &In"));
    in->setObjectName(QStringLiteral("mnuZoomIn"));
    in->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(in, &QAction::triggered, this, [this] { stepZoom(+1); });
    QAction* out = view->addAction(tr("Zoom &Out"));
    out->setObjectName(QStringLiteral("mnuZoomOut"));
    out->setShortcut(QKeySequence::ZoomOut);
    connect(out, &QAction::triggered, this, [this] { stepZoom(-1); });
    QAction* actual = view->addAction(tr("&Actual Size"));
    actual->setObjectName(QStringLiteral("mnuZoomActual"));
    actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(actual, &QAction::triggered, this, [this] { setZoom(1.0); });
    for (QAction* a : {in, out, actual})
        a->setShortcutContext(Qt::ApplicationShortcut);
    markZoom();
}

void TableWindow::setZoom(double zoom) {
    if (isMaximized() || isFullScreen())
        showNormal();
    m_view->setZoom(zoom);
    // The window takes the table's new size; the small windows follow its corner.
    layout()->activate();
    resize(sizeHint());
    markZoom();
    emit zoomChanged();
}

void TableWindow::fitToWindow() {
    m_view->setFitToWindow();
    markZoom();
    emit zoomChanged();
}

void TableWindow::stepZoom(int direction) {
    const double now = m_view->scale().zoom;
    double next = now;
    if (direction > 0) {
        for (double step : Steps)
            if (step > now + 0.001) {
                next = step;
                break;
            }
    } else {
        for (auto it = Steps.rbegin(); it != Steps.rend(); ++it)
            if (*it < now - 0.001) {
                next = *it;
                break;
            }
    }
    if (next != now || m_view->fitsWindow())
        setZoom(next);
}

void TableWindow::markZoom() {
    const QString name =
        m_view->fitsWindow() ? QStringLiteral("mnuZoomFit") : stepName(m_view->scale().zoom);
    for (QAction* a : findChildren<QAction*>())
        if (a->objectName().startsWith(QLatin1String("mnuZoom")) && a->isCheckable())
            a->setChecked(a->objectName() == name);
}

namespace {

// Room for the frame, the title bar and the menu around the table.
constexpr QSize WindowExtra(16, 80);

double largestStepWithin(QSize room, double wanted) {
    double best = Steps.front();
    for (double step : Steps) {
        const QSize table = TableScale::tableSize(step);
        if (step <= wanted && table.width() <= room.width() && table.height() <= room.height())
            best = step;
    }
    return best;
}

} // namespace

double TableWindow::comfortableZoom() const {
    const QScreen* s = screen();
    // Some screen left around the table.
    return s ? largestStepWithin(s->availableGeometry().size() * 0.9 - WindowExtra, Steps.back())
             : 1.0;
}

double TableWindow::fittingZoom(double wanted) const {
    const QScreen* s = screen();
    return s ? largestStepWithin(s->availableGeometry().size() - WindowExtra, wanted) : wanted;
}

void TableWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeVisibleDialogs();
}

} // namespace corvane::ui
