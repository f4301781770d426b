// The seated player's handlers of the host's messages, and its moves to the host.
#include "online/seat.h"

#include "online/overloaded.h"
#include "protocol/encode.h"
#include "protocol/score_line.h"
#include "protocol/seat_names.h"
#include "protocol/utf8_cut.h"
#include "table/hand_rules.h"
#include "table/layout.h"
#include "table/saying.h"

namespace corvane::online {

using namespace corvane::protocol;

bool seatMayMove(SeatState from, SeatState to) {
    using S = SeatState;
    constexpr int Count = static_cast<int>(S::Gone) + 1;
    // Rows: from; columns: to, in the order of the enum.
    //                                        Standing Joining Seated BidSent CardSent Held Gone
    constexpr bool allowed[Count][Count] = {
        /* Standing */ {false, true, true, false, false, false, true},
        /* Joining  */ {true, false, true, false, false, false, true},
        /* Seated   */ {false, false, false, true, true, true, true},
        /* BidSent  */ {false, false, true, false, true, true, true},
        /* CardSent */ {false, false, true, true, false, true, true},
        /* TrickHeld*/ {false, false, true, false, false, false, true},
        /* Gone     */ {false, false, false, false, false, false, false},
    };
    return allowed[static_cast<int>(from)][static_cast<int>(to)];
}

void Seat::moveTo(SeatState next) {
    if (next == m_state || !seatMayMove(m_state, next))
        return;
    m_state = next;
}

Seat::Seat(Engine& engine, Channel& playerChannel) : m_engine(engine), m_channel(playerChannel) {
    m_channel.setReceiver(this);
    m_engine.setPlayerLink(this);
}

Seat::~Seat() {
    m_channel.setReceiver(nullptr);
    m_engine.setPlayerLink(nullptr);
}

void Seat::goOnline() {
    Table& t = m_engine.table();
    t.online = true;
    t.anyBidAllowed = false;
    t.netRole = 0;
}

void Seat::joinAs(int seat, const std::string& userName) {
    moveTo(SeatState::Joining);
    m_joinAnswers = 0;
    m_joinSeat = seat;
    m_userName = userName;
}

void Seat::GrabASeat(int seat) {
    Table& t = m_engine.table();
    sendToHost(TakeSeat{seat, t.localName()});
    t.seatLocalPlayerAt(seat);
    moveTo(SeatState::Seated);
}

void Seat::sendChat(std::string text) {
    // At most 80 characters, and no more bytes than the host's "name: line" leaves in the
    // length field, cut where a character ends; the person is told when the line was shortened.
    const std::size_t prefix = m_engine.table().localName().size() + 2;
    const auto field = static_cast<std::size_t>(kMaxShortText);
    const std::size_t room = prefix < field ? field - prefix : 0;
    const std::string_view kept = utf8Prefix(text, room, ChatLength);
    // Said once the line itself is back on the whiteboard.
    if (kept.size() < text.size())
        m_chatShortened = true;
    sendToHost(ChatLine{m_engine.table().localSeat, std::string(kept)});
}

void Seat::sendToHost(const PlayerUpMessage& message) {
    if (!m_channel.isOpen())
        return;
    if (std::holds_alternative<PlayerBid>(message))
        moveTo(SeatState::BidSent);
    else if (std::holds_alternative<PlayCard>(message))
        moveTo(SeatState::CardSent);
    ++m_sent;
    m_channel.send(encode(message));
}

// --- The channel -----------------------------------------------------------------------------

void Seat::received(std::string_view bytes) {
    m_decoder.feed(bytes);
    takeMessages();
}

void Seat::takeMessages() {
    while (m_state != SeatState::TrickHeld && m_state != SeatState::Gone) {
        auto decoded = m_decoder.next();
        if (!decoded) {
            tellWhatTheComputerPlayed();
            break;
        }
        ++m_received;
        handle(decoded->message);
        if (m_onMessage)
            m_onMessage(decoded->message);
        if (m_state == SeatState::Gone)
            return;
        if (m_onChanged)
            m_onChanged();
    }
    if (m_decoder.failed() && m_state != SeatState::Gone) {
        if (m_log)
            m_log("player channel: " + m_decoder.error());
        m_channel.close();
        hostGone();
    }
}

// Once the hand as it stands has been told, in one line.
void Seat::tellWhatTheComputerPlayed() {
    if (m_playedForYou.empty())
        return;
    Saying played(Said::PlayedForYou);
    played.cards = m_playedForYou;
    m_engine.start(m_engine.MessageButton(played, true));
    m_playedForYou.clear();
}

void Seat::closed() {
    hostGone();
}

void Seat::hostGone() {
    if (m_state == SeatState::Gone)
        return;
    moveTo(SeatState::Gone);
    m_channel.close();
    // A standalone game at once; the message waits for the click on the new table.
    m_engine.newGame();
    m_engine.start(m_engine.MessageButton(Said::HostGone));
    if (m_onChanged)
        m_onChanged();
    if (m_onHostGone)
        m_onHostGone();
}

void Seat::handle(const Message& message) {
    Table& t = m_engine.table();
    std::visit(Overloaded{
                   [&](const JoinAccepted&) {
                       if (m_state != SeatState::Joining)
                           return;
                       t.localName() = m_userName;
                       // Nothing of a game played before stays: the host tells the score, and
                       // the first bid seen tells the dealer.
                       t.score = {0, 0};
                       t.dealerSeat = NoSeat;
                       GrabASeat(m_joinSeat);
                   },
                   [&](const SeatName& m) {
                       if (m.name.empty())
                           return;
                       if (m_state == SeatState::Joining) {
                           m_seatButtons[static_cast<size_t>(m.seat)] = m.name;
                           if (++m_joinAnswers == SeatCount) {
                               moveTo(SeatState::Standing);
                               if (m_onJoinRefused)
                                   m_onJoinRefused();
                           }
                           return;
                       }
                       // The free-seat mark is for a joining player only.
                       t.seats[static_cast<size_t>(m.seat)].name =
                           std::string(withoutFreeSeatMark(m.name));
                   },
                   [&](const Cards& m) { onCards(m); },
                   [&](const WaitNextHand&) {
                       m_engine.start(m_engine.MessageButton(Said::WaitingForHand, true));
                   },
                   [&](const YourBid& m) { onYourBid(m); },
                   [&](const BidMade& m) { onBidMade(m); },
                   [&](const ChooseTrump&) {
                       t.localChoice = LocalChoice::Trump;
                       m_engine.startTimeout();
                   },
                   [&](const DiscardPhase& m) { onDiscardPhase(m); },
                   [&](const Draw&) { onDraw(); },
                   [&](const YourTurn& m) { onYourTurn(m); },
                   [&](const CardPlayed& m) { onCardPlayed(m); },
                   [&](const TrickWon& m) { onTrickWon(m); },
                   [&](const HandEnd& m) { m_engine.start(onHandEnd(m)); },
                   [&](const ChatShow& m) {
                       if (const auto score = readScoreLine(m.text))
                           t.score = *score;
                       m_whiteboard.push_back(m.text);
                       if (m_chatShortened && m.text.starts_with(t.localName() + ": ")) {
                           m_chatShortened = false;
                           m_whiteboard.push_back(ChatShortenedMessage);
                       }
                   },
                   [&](const Misdeal&) { onMisdeal(); },
                   [&](const HostGone&) { hostGone(); },
               },
               message);
}

int Seat::turnedPicture(int hostIndex) const {
    return hostIndex >= KittyFirst ? hostIndex : m_engine.table().localPicture(hostIndex);
}

void Seat::clearBids() {
    m_engine.table().seatBid = {};
}

// --- The hand --------------------------------------------------------------------------------

void Seat::onCards(const Cards& m) {
    Table& t = m_engine.table();
    const bool deal = m.deck.size() == 23;
    if (!deal && m.deck.size() != 20) {
        if (m_log)
            m_log("a card list of " + std::to_string(m.deck.size()) + " cards");
        return;
    }
    t.buttonMode = ButtonMode::Hidden;
    if (m_state == SeatState::BidSent || m_state == SeatState::CardSent)
        moveTo(SeatState::Seated);
    if (deal) {
        // A fresh hand: nothing of the last one stays on this table.
        t.trickSeatCard = {-1, -1, -1, -1};
        t.tableCard = {-1, -1, -1, -1};
        t.trickCardCount = 0;
        t.cardsBeforeMe = 0;
        t.trickWinnerCard = -1;
        t.drawCount = {};
        t.dealString = dealString(m.deck);
        // The host's own view shares the host's table, whose auction has already begun.
        if (t.netRole != 2) {
            t.bidsMade = 0;
            clearBids();
        }
    }
    for (int i = 0; i <= t.lastPicture(); ++i) {
        if (i >= KittyFirst && !deal) {
            t.picCard[static_cast<size_t>(i)].visible = false;
            continue;
        }
        // The local hand comes first and the others follow round the table.
        const int card = i >= KittyFirst ? m.deck[static_cast<size_t>(i)]
                                         : m.deck[static_cast<size_t>((5 * t.localSeat + i) % 20)];
        t.dealToPicture(i, card, true);
    }
    for (int i = 0; i <= 4; ++i)
        t.FlipCard(i);
    t.tricksPlayed = 0;
    // The discard is over: a time-out still running for it has nothing left to do.
    if (!deal)
        m_engine.stopTimeout();
}

void Seat::onYourBid(const YourBid& m) {
    Table& t = m_engine.table();
    t.dealerSeat = m.dealer;
    t.highBid = m.highBid;
    t.gamePhase = GamePhase::Bidding;
    if (t.bidsMade == 0)
        clearBids();
    m_engine.startTimeout();
    m_engine.setUpBidDialog();
    if (m_state == SeatState::BidSent) {
        // Asked again: the host did not take the bid this table sent.
        moveTo(SeatState::Seated);
        t.seatBid[static_cast<size_t>(t.localSeat)] = corvane::Bid();
        m_engine.start(m_engine.MessageButton(Said::BidRefused, true));
        return;
    }
    ++t.bidsMade;
}

void Seat::onBidMade(const BidMade& m) {
    Table& t = m_engine.table();
    t.gamePhase = GamePhase::Bidding;
    if (t.bidsMade == 0) {
        clearBids();
        // The auction opens at the dealer's left: the one word of the dealer a seat gets
        // before its own turn to bid.
        t.dealerSeat = (m.seat + 3) % 4;
    }
    if (m.seat == t.localSeat && m_state == SeatState::BidSent)
        moveTo(SeatState::Seated);
    t.seatBid[static_cast<size_t>(m.seat)] = fromWire(m.bid);
    ++t.bidsMade;
}

void Seat::onMisdeal() {
    Table& t = m_engine.table();
    // The dealer is known from the hand's first bid; a host that calls a misdeal before any bid
    // has reached this seat names nobody, and the table is cleared all the same.
    if (t.dealerSeat != NoSeat)
        m_engine.start(m_engine.MessageButton(
            Saying::withName(Said::Misdeal, t.dealerSeat == t.localSeat
                                                ? std::string()
                                                : t.seats[static_cast<size_t>(t.dealerSeat)].name),
            true));
    clearBids();
    t.bidsMade = 0;
    t.localChoice = LocalChoice::None;
    m_engine.stopTimeout();
}

void Seat::onDiscardPhase(const DiscardPhase& m) {
    Table& t = m_engine.table();
    for (int slot : m.pictures) {
        const int picture = turnedPicture(slot);
        t.picCard[static_cast<size_t>(picture)].visible = false;
        t.MarkDiscard(picture);
    }
    t.trumpSuit = m.trump;
    t.trumpNamed = true;
    t.bidsMade = 0;
    t.highBid = m.highBid;
    t.bidderSeat = m.bidder;
    if (m.bidder == t.localSeat) {
        for (int i = KittyFirst; i <= t.lastPicture(); ++i)
            t.FlipCard(i);
    }
    t.localChoice = LocalChoice::None;
    t.gamePhase = GamePhase::Discard;
    m_engine.SetupButtons(ButtonMode::Discard);
    m_engine.startTimeout();
}

void Seat::onDraw() {
    Table& t = m_engine.table();
    m_engine.TakeKitty();
    for (int i = 0; i <= 4; ++i) {
        auto& p = t.picCard[static_cast<size_t>(i)];
        p.position = homePosition(i);
        p.visible = true;
    }
    t.gamePhase = GamePhase::Play;
    t.trickCardCount = 0;
    t.tricksPlayed = 0;
}

// --- Tricks ----------------------------------------------------------------------------------

void Seat::clearPreviousTrick() {
    Table& t = m_engine.table();
    for (int s = 0; s < SeatCount; ++s) {
        const int played = t.tableCard[static_cast<size_t>(s)];
        if (played >= 0)
            t.picCard[static_cast<size_t>(t.localPicture(played))].visible = false;
    }
}

void Seat::onYourTurn(const YourTurn& m) {
    Table& t = m_engine.table();
    if (t.cardsBeforeMe == 0 && t.tricksPlayed >= 1)
        clearPreviousTrick();
    t.gamePhase = GamePhase::Play;
    if (m.seat == t.localSeat) {
        if (m_state == SeatState::CardSent) {
            // Asked again: the card this table sent was refused and goes back to the hand.
            moveTo(SeatState::Seated);
            for (int i = 0; i <= 4; ++i) {
                auto& p = t.picCard[static_cast<size_t>(i)];
                if (p.state != TagState::Played && p.state != TagState::Thrown)
                    p.position = homePosition(i);
            }
            m_engine.start(m_engine.MessageButton(Said::CardRefused, true));
        }
        t.awaitedSeat = t.localSeat;
        m_engine.startTimeout();
    }
}

void Seat::onCardPlayed(const CardPlayed& m) {
    Table& t = m_engine.table();
    const int seat = m.card / 5;
    if (m.card > 19)
        return;
    ++t.cardsBeforeMe;
    t.turnSeat = seat;
    // An own card this table never sent: the computer played it before the person sat down.
    if (seat == t.localSeat && m_state != SeatState::CardSent && t.netRole != 2)
        m_playedForYou.push_back(t.cardAt(t.localPicture(m.card)));
    if (seat == t.localSeat && m_state == SeatState::CardSent)
        moveTo(SeatState::Seated);
    if (t.cardsBeforeMe == 1 && t.tricksPlayed >= 1)
        clearPreviousTrick();
    // ShowTableCard.
    const int picture = t.localPicture(m.card);
    auto& p = t.picCard[static_cast<size_t>(picture)];
    p.state = TagState::Played;
    t.tableCard[static_cast<size_t>(seat)] = m.card;
    p.position = trickPosition(turned(seat));
    p.visible = true;
    t.bringToFront(picture);
    // The trick as the local checks and hints read it: the lead, each seat's card, the winner.
    t.trickSeatCard[static_cast<size_t>(seat)] = m.card;
    if (t.trickCardCount == 0) {
        t.ledCard = m.card;
        t.trickWinnerCard = -1;
    }
    if (takeIntoTrick(t, picture)) {
        t.trickCardCount = 0;
        ++t.tricksPlayed;
    }
    if (t.awaitedSeat == seat)
        t.awaitedSeat = NoSeat;
}

void Seat::onTrickWon(const TrickWon& m) {
    Table& t = m_engine.table();
    t.cardsBeforeMe = 0;
    t.trickWinnerCard = -1;
    ++t.tricksWon[static_cast<size_t>(m.seat)];
    // A later trick is already won: this one was told to a person sitting down during the
    // hand, and is gathered at once.
    if (m_decoder.holds<TrickWon>()) {
        ++m_tricks;
        return;
    }
    moveTo(SeatState::TrickHeld);
    m_holds.remove_if([](const Task& hold) { return hold.done(); });
    m_holds.push_back(holdTrick());
}

Task Seat::holdTrick() {
    co_await m_engine.showFinishedTrick();
    if (m_state == SeatState::TrickHeld)
        moveTo(SeatState::Seated);
    // A word nobody waits for (the card played for a person whose time ran out, a card the
    // host refused) is about the trick just gathered: it goes with it.
    Table& t = m_engine.table();
    if (t.buttonMode == ButtonMode::Message && !m_engine.messageWaiting())
        t.buttonMode = ButtonMode::Hidden;
    ++m_tricks;
    if (m_onChanged)
        m_onChanged();
    takeMessages();
}

Task Seat::onHandEnd(HandEnd m) {
    Table& t = m_engine.table();
    // The text is a local of the frame: GCC 12 destroys a temporary in a co_await twice.
    const Saying message(m.made ? Said::Made : Said::WentDown, m.points);
    // The host's person reads the score before the next hand, but no longer than a turn's
    // time-out: then the table goes on by itself.
    if (m_hostsOwnSeat)
        m_engine.startTimeout();
    co_await m_engine.MessageButton(message, !m_hostsOwnSeat);
    if (m_hostsOwnSeat)
        m_engine.stopTimeout();

    const bool evenSeat = t.localSeat % 2 == 0;
    t.score[0] = evenSeat ? m.score0 : m.score1;
    t.score[1] = evenSeat ? m.score1 : m.score0;
    bool gameOver = false;
    if (t.score[0] == 120) {
        co_await m_engine.CelebrateWin();
        t.gamePhase = GamePhase::Idle;
        gameOver = true;
    } else if (t.score[1] == 120) {
        const Saying lost(Said::GameLostOnline);
        co_await m_engine.MessageButton(lost);
        t.gamePhase = GamePhase::Idle;
        gameOver = true;
    }

    // The host's engine moves the dealer on for the table it shares with its own view.
    const int dealer = t.dealerSeat;
    m_engine.clearForNextHand();
    if (t.netRole == 2)
        t.dealerSeat = dealer;
    else if (gameOver)
        t.dealerSeat = NoSeat; // the host draws the next game's dealer
    if (gameOver)
        t.score = {0, 0};
    // The view's own count of the trick, kept from the host's messages.
    t.trickCardCount = 0;
    t.tricksPlayed = 0;
    t.tableCard = {-1, -1, -1, -1};
    ++m_hands;
    // A new game starts with "&Deal", which asks the host for the first hand.
    if (gameOver)
        m_engine.SetupButtons(ButtonMode::Deal);
    if (m_onChanged)
        m_onChanged();
}

} // namespace corvane::online
