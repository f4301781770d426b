// From the end of the auction to the first trick: trump, the computer discard, the local
// player's marking and Auto-Discard, the bidder's kitty and the draw.
#include "cards/card_value.h"
#include "flow/engine.h"
#include "players/discard.h"
#include "table/hand_rules.h"

namespace corvane {

Task Engine::EndAuction() {
    m_t.gamePhase = GamePhase::Discard;
    settleBidder(m_t);
    if (m_t.bidderSeat != 0) {
        co_await pause(m_t.speedDelay);
        m_t.trumpSuit = m_t.computerTrump[static_cast<size_t>(m_t.bidderSeat)];
        showTrump();
        StandAloneComputerDiscard();
        SetupButtons(ButtonMode::Discard);
    } else {
        m_t.localChoice = LocalChoice::Trump;
    }
}

void Engine::showTrump() {
    m_t.trumpNamed = true;
    notify([&](TableObserver& o) { o.onTrump(m_t.bidderSeat, m_t.trumpSuit, m_t.highBid); });
}

bool Engine::clickTrump(int suit) {
    if (m_t.localChoice != LocalChoice::Trump || suit < 0 || suit > 3)
        return false;
    dismissAdvice();
    run(trumpNamed(suit));
    return true;
}

Task Engine::trumpNamed(int suit) {
    m_t.localChoice = LocalChoice::None;
    stopTimeout();
    if (m_t.online) {
        sendToHost(protocol::NameTrump{suit});
        co_return;
    }
    m_t.trumpSuit = suit;
    showTrump();
    StandAloneComputerDiscard();
    SetupButtons(ButtonMode::Discard);
}

std::vector<int> Engine::throwComputerCards(int seat) {
    std::vector<int> thrown;
    // An Expert that weighs its discard names what it keeps; otherwise the rule decides.
    const std::optional<unsigned> keep = m_players.keep(m_t, seat);
    int own = 0;
    const auto throwIfLoose = [&](int i) {
        const bool kept =
            keep ? ((*keep >> own) & 1u) != 0 : isKeeper(m_t.cardAt(i), m_t.trumpSuit);
        ++own;
        if (kept)
            return;
        m_t.picCard[static_cast<size_t>(i)].visible = false;
        m_t.MarkDiscard(i);
        thrown.push_back(i);
    };
    for (int i = 5 * seat; i <= 5 * seat + 4; ++i)
        throwIfLoose(i);
    if (seat == m_t.bidderSeat)
        for (int i = KittyFirst; i <= m_t.lastPicture(); ++i)
            throwIfLoose(i);
    notify([&](TableObserver& o) { o.onDiscard(seat, thrown); });
    return thrown;
}

void Engine::StandAloneComputerDiscard() {
    for (int s = 1; s <= 3; ++s)
        throwComputerCards(s);
    // The local bidder sees the kitty (in tutorial mode it already lies face up).
    if (m_t.bidderSeat == 0 && !m_t.tutorialMode) {
        for (int i = KittyFirst; i <= m_t.lastPicture(); ++i)
            m_t.FlipCard(i);
    }
}

// --- The local player's marking --------------------------------------------------------------

void Engine::toggleDiscardMark(int picture) {
    auto& p = m_t.picCard[static_cast<size_t>(picture)];
    if (p.state == TagState::Played)
        return;
    p.position.top =
        p.state == TagState::Thrown ? m_t.homeTop[static_cast<size_t>(picture)] : MarkedCardTop;
    m_t.MarkDiscard(picture);
    if (p.state == TagState::Down)
        m_t.FlipCard(picture);
}

void Engine::autoDiscard() {
    if (m_t.gamePhase != GamePhase::Discard)
        return;
    for (int i = 0; i <= 4; ++i)
        if (!isTrumpValue(m_t.CardValue(i, m_t.trumpSuit)))
            toggleDiscardMark(i);
    if (m_t.localSeat == m_t.bidderSeat && m_t.trumpNamed) {
        for (int i = KittyFirst; i <= m_t.lastPicture(); ++i)
            if (!isTrumpValue(m_t.CardValue(i, m_t.trumpSuit)))
                toggleDiscardMark(i);
    }
}

Task Engine::TellServerToContinue() {
    if (m_t.gamePhase == GamePhase::Idle) {
        // Online: the ready message asks the host for the next deal.
        if (m_t.online)
            sendToHost(protocol::NextHand{});
        co_return;
    }
    if (m_t.gamePhase != GamePhase::Discard)
        co_return;
    std::vector<int> thrown;
    std::vector<int> slots;
    for (int i = 0; i <= 4; ++i) {
        if (m_t.CardState(i) != TagState::Up) {
            thrown.push_back(i);
            slots.push_back(m_t.hostPicture(i));
        }
    }
    if (m_t.online) {
        stopTimeout();
        m_t.gamePhase = GamePhase::DrawWait;
        sendToHost(protocol::Discards{m_t.localSeat, slots});
        co_return;
    }
    if (m_t.bidderSeat == 0) {
        for (int i = KittyFirst; i <= m_t.lastPicture(); ++i)
            if (m_t.CardState(i) == TagState::Thrown)
                thrown.push_back(i);
    }
    notify([&](TableObserver& o) { o.onDiscard(0, thrown); });
    co_await OfflineAction(OfflineStep::Draw);
}

// --- The bidder's kitty ----------------------------------------------------------------------

void Engine::TakeKitty() {
    const int bidder = m_t.bidderSeat;
    m_record.noteHandsBeforeDraw(m_t);
    std::vector<int> thrown;
    while (CountCards(m_t, bidder) + CountCards(m_t, 4) >= 6) {
        const int lowest = LowestCard(m_t, 5 * bidder);
        m_t.MarkDiscard(lowest);
        thrown.push_back(lowest);
    }
    std::vector<std::pair<int, int>> moved;
    int j = KittyFirst;
    for (int i = 5 * bidder; i <= 5 * bidder + 4; ++i) {
        if (m_t.CardState(i) != TagState::Thrown)
            continue;
        while (j <= m_t.lastPicture() && m_t.CardState(j) == TagState::Thrown) {
            m_t.picCard[static_cast<size_t>(j)].visible = false;
            ++j;
        }
        if (j > m_t.lastPicture())
            break;
        auto& hand = m_t.picCard[static_cast<size_t>(i)];
        auto& kitty = m_t.picCard[static_cast<size_t>(j)];
        hand.card = kitty.card;
        m_t.deck[static_cast<size_t>(i)] = kitty.card.deckIndex();
        hand.state = (bidder == 0 || m_t.tutorialMode) ? TagState::Up : TagState::Down;
        hand.position.top = m_t.homeTop[static_cast<size_t>(i)];
        hand.visible = true;
        kitty.visible = false;
        moved.emplace_back(j, i);
        ++j;
    }
    for (int k = KittyFirst; k <= m_t.lastPicture(); ++k)
        m_t.picCard[static_cast<size_t>(k)].visible = false;
    notify([&](TableObserver& o) { o.onKitty(thrown, moved); });
}

// --- "R": the draw, then play ----------------------------------------------------------------

Task Engine::drawAndPlay() {
    m_t.gamePhase = GamePhase::Draw;
    TakeKitty();
    for (int i = 0; i <= 19; ++i)
        if (m_t.CardState(i) == TagState::Thrown)
            m_t.picCard[static_cast<size_t>(i)].visible = false;

    for (int i = 0; i <= 19; ++i) {
        if (m_t.CardState(i) != TagState::Thrown)
            continue;
        drawFromStock(m_t, i, standaloneStockPlace(i));
        auto& p = m_t.picCard[static_cast<size_t>(i)];
        const Point home = p.position;
        Point start = drawStart(m_t.dealerSeat, home);
        m_t.FlipCard(i);
        if (i < 5)
            start.top = LocalHandTop;
        co_await glide(i, start);
        co_await pause(150);
        if (i < 5 || (m_t.tutorialMode && i < 22))
            m_t.TurnCardUp(i);
        p.visible = true;
        ++m_t.drawCount[static_cast<size_t>(i / 5)];
        notify([&](TableObserver& o) { o.onDraw(i, p.card); });
    }

    startTrickPlay(m_t);
    co_await PlayLoop();
}

} // namespace corvane
