// Each label, the button window and the dialogs, from the facts of the hand.
#include "table/presenter.h"

#include "table/hand_rules.h"

namespace corvane {

namespace {

// The bids of the auction stay on the table until trump is shown.
bool bidsShown(const Table& t) {
    return t.gamePhase == GamePhase::Bidding ||
           (t.gamePhase == GamePhase::Discard && !t.trumpNamed);
}

void presentSeats(const Table& t, Picture& p) {
    for (int label = 0; label < SeatCount; ++label) {
        const int seat = t.seatOfLabel(label);
        const auto s = static_cast<size_t>(seat);
        Label& name = p.lblPlayerName[static_cast<size_t>(label)];
        name.caption = t.seats[s].name;
        name.word = seat == t.localSeat && name.caption == LocalPlayerName ? LabelWord::You
                                                                           : LabelWord::None;
        name.underline = seat == t.awaitedSeat;
        name.color = t.trumpNamed && seat == t.bidderSeat ? LabelColor::White : LabelColor::Black;
        Label& bid = p.lblBid[static_cast<size_t>(label)];
        bid.caption = t.seatBid[s].word();
        bid.word = t.seatBid[s].isPass() ? LabelWord::Pass : LabelWord::None;
        bid.visible = t.seatBid[s].made() && bidsShown(t);
        bid.color = seat == t.dealerSeat ? LabelColor::Red : LabelColor::Black;
    }
    p.lblPlayerName[4] = {"We", LabelWord::We};
    p.lblPlayerName[5] = {"They", LabelWord::They};
    p.lblBid[4].caption = std::to_string(t.highBid);
    p.lblBid[4].visible = t.trumpNamed;
}

void presentScores(const Table& t, Picture& p) {
    const int own = t.tricksWon[static_cast<size_t>(t.localSeat)] +
                    t.tricksWon[static_cast<size_t>(partnerOf(t.localSeat))];
    const int other = t.tricksWon[static_cast<size_t>(nextSeat(t.localSeat))] +
                      t.tricksWon[static_cast<size_t>(previousSeat(t.localSeat))];
    p.lblTricks = {std::string(static_cast<size_t>(own), 'J'),
                   std::string(static_cast<size_t>(other), 'J')};
    p.lblScore = {std::to_string(t.score[0]), std::to_string(t.score[1])};
    p.imgTrumpVisible = t.trumpNamed;
    p.lblTimeout.caption = (t.timeoutLeft < 10 ? "0" : "") + std::to_string(t.timeoutLeft);
    p.lblTimeout.visible = t.timeoutRunning;
}

void presentAsks(const Table& t, Picture& p) {
    ButtonMenu& menu = p.buttonMenu;
    menu.modeX = t.buttonMode;
    menu.visible = t.buttonMode != ButtonMode::Hidden;
    menu.autoDiscardEnabled = t.buttonMode == ButtonMode::Discard;
    p.buttonMessage = t.message;
    p.bidDialog.visible = t.localChoice == LocalChoice::Bid;
    if (p.bidDialog.visible)
        p.bidDialog.enabled = allowedBids(t, t.localSeat);
    p.trumpDialogVisible = t.localChoice == LocalChoice::Trump;
}

} // namespace

Picture present(const Table& t) {
    Picture p;
    presentSeats(t, p);
    presentScores(t, p);
    presentAsks(t, p);
    return p;
}

} // namespace corvane
