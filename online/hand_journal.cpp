// The hand's steps as the seats were told them.
#include "online/hand_journal.h"

#include "online/overloaded.h"

namespace corvane::online {

using namespace corvane::protocol;

void HandJournal::note(const PlayerDownMessage& message) {
    const bool kept = std::visit(Overloaded{
                                     [&](const Cards& m) {
                                         if (m.deck.size() == 23)
                                             clear();
                                         return true;
                                     },
                                     [](const BidMade&) { return true; },
                                     [](const Misdeal&) { return true; },
                                     [](const DiscardPhase&) { return true; },
                                     [](const CardPlayed&) { return true; },
                                     [](const TrickWon&) { return true; },
                                     [](const HandEnd&) { return true; },
                                     [](const auto&) { return false; },
                                 },
                                 message);
    if (kept)
        m_told.push_back(message);
}

} // namespace corvane::online
