#include "table/table.h"

#include "cards/card_value.h"

namespace corvane {

std::string CardPicture::tag() const {
    const int n = card.number();
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10),
            static_cast<char>(state)};
}

Table::Table() {
    for (int i = 0; i < PictureCount; ++i) {
        const Point home = homePosition(i);
        picCard[static_cast<size_t>(i)].position = home;
        homeLeft[static_cast<size_t>(i)] = home.left;
        homeTop[static_cast<size_t>(i)] = home.top;
    }
    lblPlayerName[0].caption = "You";
    lblPlayerName[4].caption = "We";
    lblPlayerName[5].caption = "They";
    for (auto& bid : lblBid)
        bid.visible = false;
    lblTimeout.caption = "20";
    lblTimeout.visible = false;
}

void Table::TurnCardUp(int picture) {
    picCard[static_cast<size_t>(picture)].state = TagState::Up;
}

bool Table::FlipCard(int picture) {
    auto& p = picCard[static_cast<size_t>(picture)];
    switch (p.state) {
    case TagState::Thrown:
        return false;
    case TagState::Up:
        p.state = TagState::Down;
        break;
    case TagState::Down:
        p.state = TagState::Up;
        break;
    case TagState::Played:
        break;
    }
    return true;
}

void Table::MarkDiscard(int picture) {
    auto& p = picCard[static_cast<size_t>(picture)];
    switch (p.state) {
    case TagState::Thrown:
        p.state = TagState::Down;
        break;
    case TagState::Up:
    case TagState::Down:
        p.state = TagState::Thrown;
        break;
    case TagState::Played:
        break;
    }
}

bool Table::dealerMarkShown() const {
    if (gamePhase != PhaseIdle)
        return true;
    for (const CardPicture& p : picCard)
        if (p.visible)
            return true;
    return false;
}

void Table::bringToFront(int picture) {
    picCard[static_cast<size_t>(picture)].stacking = ++stackingCounter;
}

void Table::dealToPicture(int picture, int deckIndex, bool visible) {
    const auto i = static_cast<size_t>(picture);
    deck[i] = deckIndex;
    auto& p = picCard[i];
    p.card = Card::fromDeckIndex(deckIndex);
    p.state = TagState::Down;
    p.visible = visible;
    p.position = homePosition(picture);
    bringToFront(picture);
    homeLeft[i] = p.position.left;
    homeTop[i] = p.position.top;
}

int bidValue(const std::string& caption) {
    int value = 0;
    for (char c : caption) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool auctionOver(int d, int bidder, const BidCaptions& bids) {
    const auto caption = [&](int seat) -> const std::string& {
        return bids[static_cast<size_t>(seat % 4)];
    };
    const bool othersPass =
        caption(d + 1) == "Pass" && caption(d + 2) == "Pass" && caption(d + 3) == "Pass";
    const bool bidderPassed = caption(bidder) == "Pass";
    const bool dealerPassed = caption(d) == "Pass";
    const int dealerValue = bidValue(caption(d));
    const bool othersBelow = bidValue(caption(d + 1)) < dealerValue &&
                             bidValue(caption(d + 2)) < dealerValue &&
                             bidValue(caption(d + 3)) < dealerValue;
    return othersPass || bidderPassed || dealerPassed || othersBelow;
}

namespace {
BidCaptions bidCaptions(const Table& t) {
    BidCaptions bids;
    for (size_t s = 0; s < bids.size(); ++s)
        bids[s] = t.lblBid[s].caption;
    return bids;
}
} // namespace

bool auctionOver(const Table& t) {
    return auctionOver(t.dealerSeat, t.bidderSeat, bidCaptions(t));
}

int contractSeat(int dealer, int bidder, const BidCaptions& bids) {
    const auto value = [&](int seat) { return bidValue(bids[static_cast<size_t>(seat & 3)]); };
    return value(bidder) == 0 && value(dealer) != 0 ? dealer : bidder;
}

int contractSeat(const Table& t) {
    return contractSeat(t.dealerSeat, t.bidderSeat, bidCaptions(t));
}

} // namespace corvane
