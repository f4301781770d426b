// Which of a seated person's messages the lobby passes on.
#include "server/seat_claims.h"

namespace corvane::lobby {

using namespace corvane::protocol;

void SeatClaims::hostSent(int seat, const PlayerDownMessage& message) {
    if (std::holds_alternative<ChooseTrump>(message))
        m_trumpSeat = seat;
    else if (std::holds_alternative<DiscardPhase>(message) ||
             std::holds_alternative<Cards>(message))
        m_trumpSeat = -1;
}

std::optional<ClaimRefused> SeatClaims::refusal(int seat, const PlayerUpMessage& message) {
    if (const auto* card = std::get_if<PlayCard>(&message)) {
        if (card->card < 5 * seat || card->card > 5 * seat + 4)
            return ClaimRefused{Ignored::CardNotHeld,
                                "played picture " + std::to_string(card->card) + ", not in seat " +
                                    std::to_string(seat) + "'s hand"};
    } else if (std::holds_alternative<NameTrump>(message)) {
        if (seat != m_trumpSeat)
            return ClaimRefused{Ignored::TrumpNotAsked, "named trump from seat " +
                                                            std::to_string(seat) +
                                                            ", which was not asked"};
        m_trumpSeat = -1;
    }
    return std::nullopt;
}

} // namespace corvane::lobby
