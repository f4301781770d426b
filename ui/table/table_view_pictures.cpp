// The card pictures: which face or back each shows, where it lies, what lies in front, and the
// movements (the glide of a dealt or drawn card, the spin of a won game) at a steady pace.
#include "table/glide.h"
#include "ui/cards/card_renderer.h"
#include "ui/table/card_view.h"
#include "ui/table/table_view.h"

#include <QLabel>
#include <QVariantAnimation>
#include <algorithm>
#include <numeric>
#include <vector>

namespace corvane::ui {

TableView::~TableView() = default;

void TableView::showPictures(const Table& table) {
    const qreal dpr = devicePixelRatioF();
    bool restack = false;
    for (int i = 0; i < PictureCount; ++i) {
        const corvane::CardPicture& model = table.picCard[static_cast<size_t>(i)];
        Shown& shown = m_shown[static_cast<size_t>(i)];
        CardView* view = m_pictures[static_cast<size_t>(i)];
        const int number = model.card.number();
        // A picture keeps the back it was turned down with; a new design shows on the next card
        // turned down or dealt.
        const bool back = !model.showsFace() || !model.card.isValid();
        const bool wasBack = shown.state != TagState::Up && shown.state != TagState::Played;
        if (back && (!shown.visible || shown.card != number || !wasBack))
            shown.backDesign = table.backDesign;
        shown.card = number;
        shown.state = model.state;
        shown.visible = model.visible;
        if (model.visible) {
            if (!back)
                view->setPixmap(cardRenderer().face(model.card, dpr, m_scale.zoom));
            else
                view->setPixmap(cardRenderer().back(shown.backDesign, dpr, m_scale.zoom));
        }
        if (!m_running[static_cast<size_t>(i)])
            view->move(m_scale.point(model.position));
        view->setVisible(model.visible);
        if (shown.stacking != model.stacking) {
            shown.stacking = model.stacking;
            restack = true;
        }
    }
    if (restack)
        stackPictures();
}

void TableView::stackPictures() {
    std::array<int, PictureCount> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return m_shown[static_cast<size_t>(a)].stacking < m_shown[static_cast<size_t>(b)].stacking;
    });
    for (int i : order)
        m_pictures[static_cast<size_t>(i)]->raise();
    // Cards still on their way stay in front until they land.
    for (size_t i = 0; i < m_running.size(); ++i)
        if (m_running[i])
            m_pictures[i]->raise();
    m_dealerMark->raise();
}

void TableView::setKeyboardCard(int picture) {
    for (CardView* view : m_pictures)
        view->setKeyboardMark(view->index() == picture);
}

void TableView::startMovement(const Movement& movement, std::function<void()> done) {
    const int index = movement.picture;
    if (index < 0 || index >= PictureCount) {
        done();
        return;
    }
    finish(index); // a new move first completes the one still running on that card
    auto running = std::make_unique<Running>();
    running->path = movement.kind == Movement::Kind::Spin ? spiralPath(movement.seat, movement.from)
                                                          : glidePath(movement.from, movement.to);
    running->done = std::move(done);
    if (running->path.empty())
        running->path.push_back(movement.to);
    const int steps = static_cast<int>(running->path.size());
    const int stepMs = movement.kind == Movement::Kind::Spin ? SpinStepMs : GlideStepMs;

    CardView* view = m_pictures[static_cast<size_t>(index)];
    view->move(m_scale.point(movement.from));
    view->raise();
    view->show();

    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0);
    animation->setEndValue(steps - 1);
    animation->setDuration(std::max(1, steps * stepMs));
    connect(animation, &QVariantAnimation::valueChanged, this, [this, index](const QVariant& v) {
        Running* r = m_running[static_cast<size_t>(index)].get();
        if (!r)
            return;
        const int step = std::clamp(v.toInt(), 0, static_cast<int>(r->path.size()) - 1);
        m_pictures[static_cast<size_t>(index)]->move(
            m_scale.point(r->path[static_cast<size_t>(step)]));
    });
    connect(animation, &QVariantAnimation::finished, this, [this, index] { finish(index); });
    running->animation = animation;
    m_running[static_cast<size_t>(index)] = std::move(running);
    animation->start();
}

void TableView::finish(int index) {
    std::unique_ptr<Running> r = std::move(m_running[static_cast<size_t>(index)]);
    if (!r)
        return;
    r->animation->disconnect(this);
    r->animation->stop();
    r->animation->deleteLater();
    m_pictures[static_cast<size_t>(index)]->move(m_scale.point(r->path.back()));
    // A card rides in front of the others on its way; landed, it lies where its stacking puts
    // it (a drawn card under the card to its right).
    stackPictures();
    if (r->done)
        r->done();
}

void TableView::finishMovements() {
    for (int i = 0; i < PictureCount; ++i)
        finish(i);
}

bool TableView::moving() const {
    return std::any_of(m_running.begin(), m_running.end(), [](const auto& r) { return !!r; });
}

} // namespace corvane::ui
