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
    seats[0].name = LocalPlayerName;
}

void Table::seatLocalPlayerAt(int seat) {
    std::array<SeatHolder, 4> turned;
    for (int label = 0; label < SeatCount; ++label)
        turned[static_cast<size_t>((label + seat) % 4)] =
            seats[static_cast<size_t>(seatOfLabel(label))];
    seats = turned;
    localSeat = seat;
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
    if (dealerSeat == NoSeat)
        return false;
    if (gamePhase != GamePhase::Idle)
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

} // namespace corvane
