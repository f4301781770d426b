#!/usr/bin/env python3
"""Plants a fixed list of faults, one at a time, and says which of them the core tests catch.

Each fault is a file, an exact snippet that occurs once in it and its replacement: the kinds of
slip real changes make (an off-by-one, a flipped comparison, a wrong constant, a dropped check,
a swapped seat). The checkout is copied into a scratch tree of its own (MUTANTS_DIR, default
/tmp/corvane-mutants-$USER), built there once without the window and without debug information,
and then each fault is written into the scratch copy, the core test programs are rebuilt (one
file compiles, the tests relink), run with a time limit, and the file is put back. The checkout
itself is never written to.

A snippet that is no longer in its file is reported "stale": the list is out of date there.

    scripts/mutants.py [--list] [--only NAME-SUBSTRING ...] [--jobs N] [--timeout SECONDS]
                       [--tree CHECKOUT] [--matrix FILE]

With --matrix, every core test runs for every fault, not stopping at the first failure, and FILE
gets one JSON line a fault with the tests that failed: which test catches what, and which faults
only one test catches.
"""
import argparse
import getpass
import json
import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

# (name, file, snippet, replacement). Names say what the fault is.
MUTANTS = [
    # --- cards/: the card, its values, legal play
    ("Ace of hearts valued as a plain heart", "cards/card_value.cpp",
     "if (card.isAceOfHearts())\n        return AceOfHeartsValue;\n", ""),
    ("value table without its no-lead row", "cards/card_value.cpp",
     "for (int lead = 0; lead < 5; ++lead)", "for (int lead = 0; lead < 4; ++lead)"),
    ("red trump Jack and Five swapped", "cards/card_value.cpp",
     "redTrump{0, 11, 1, 2, 3, 14, 4, 5, 6, 7, 8, 13, 9, 10}",
     "redTrump{0, 11, 1, 2, 3, 13, 4, 5, 6, 7, 8, 14, 9, 10}"),
    ("black plain Ace ranked lowest", "cards/card_value.cpp",
     "blackPlain{0, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 11, 12, 13}",
     "blackPlain{0, 1, 10, 9, 8, 7, 6, 5, 4, 3, 2, 11, 12, 13}"),
    ("led suit bonus too small", "cards/card_value.cpp",
     "leadSuit == suit) ? 50 : 0;", "leadSuit == suit) ? 5 : 0;"),
    ("Ace of hearts owed as a trump", "cards/legal_play.cpp",
     "return value < AceOfHeartsValue ||", "return value <= AceOfHeartsValue ||"),
    ("a 30 bid released on the first trick", "cards/legal_play.cpp",
     "context.highBid < 30);", "context.highBid <= 30);"),
    ("the obligation released a trick late", "cards/legal_play.cpp",
     "(context.tricksPlayed > 0 ||", "(context.tricksPlayed > 1 ||"),
    ("Ace of hearts counted as a card of hearts to follow", "cards/legal_play.cpp",
     "if (held.suit() == ledSuit && !held.isAceOfHearts()) {",
     "if (held.suit() == ledSuit) {"),
    ("following suit asked of the leader", "cards/legal_play.cpp",
     "context.trickCardCount >= 1 &&", "context.trickCardCount >= 0 &&"),

    # --- table/: the glides the window animates
    ("glide overshoots a home to its left or above", "table/glide.cpp",
     "return value - std::min(GlideStep, value - target);", "return value - GlideStep;"),

    # --- players/: the bids, the standard card choice, the Expert and its sampling
    ("the Ace of hearts thrown away when hearts are not trump", "players/discard.cpp",
     "return card.suit() == trumpSuit || card.isAceOfHearts();",
     "return card.suit() == trumpSuit;"),
    ("a Five with its Ace alone or its King alone bids 25", "players/bid_evaluation.cpp",
     "if (five && (jack || aceHearts || (ace && face)))",
     "if (five && (jack || aceHearts || ace || face))"),
    ("30 bid without a face or ace", "players/bid_evaluation.cpp",
     "if (five && jack && (face || ace || aceHearts))\n        return 30;",
     "if (five && jack)\n        return 30;"),
    ("Queen not counted as a face", "players/bid_evaluation.cpp",
     "faces |= f >= Queen ? bit : 0u;", "faces |= f > Queen ? bit : 0u;"),
    ("dealer opens at 25", "players/bid_evaluation.cpp",
     "highBid = best.level == 30 ? 30 : 20;", "highBid = best.level == 30 ? 30 : 25;"),
    ("dealer passes when level equals the high bid", "players/bid_evaluation.cpp",
     "if (best.level == 0 || best.level < highBid)",
     "if (best.level == 0 || best.level <= highBid)"),
    ("a bid equal to the high bid takes the auction", "players/bid_evaluation.cpp",
     "if (best.level > highBid) {", "if (best.level >= highBid) {"),
    ("bid levels: dealer's allowance for everyone", "table/hand_rules.cpp",
     "bidRaises(Bid::atLevel(i).points(), t.highBid, seat == t.dealerSeat);",
     "bidRaises(Bid::atLevel(i).points(), t.highBid, true);"),
    ("bid dialog reads the five from host pictures", "table/hand_rules.cpp",
     "t.cardAt(t.localPicture(5 * seat + slot)).face() == 5;",
     "t.cardAt(5 * seat + slot).face() == 5;"),
    ("going high after the wrong neighbour of the bidder", "players/card_play.cpp",
     "if (seat == previousSeat(bidder) && beatsHigh && clearOfPartner)",
     "if (seat == nextSeat(bidder) && beatsHigh && clearOfPartner)"),
    ("clear of partner by one", "players/card_play.cpp",
     "const bool clearOfPartner = hbValue - v(partnerCard) >= 2;",
     "const bool clearOfPartner = hbValue - v(partnerCard) >= 1;"),
    ("partner's draw threshold", "players/card_play.cpp",
     "if (table.drawCount[static_cast<size_t>(partner)] >= 4 ||",
     "if (table.drawCount[static_cast<size_t>(partner)] >= 3 ||"),
    ("cheapest card without the led suit's value", "players/card_play.cpp",
     "const int key = legal ? vL[slot] * 8 + k : none;",
     "const int key = legal ? v[slot] * 8 + k : none;"),
    ("playout: trump owed only below the Ace of hearts", "players/playout.cpp",
     "obliged |= v < AceOfHeartsValue || v < ledValue;",
     "obliged |= v < AceOfHeartsValue;"),
    ("playout: the top trump counts once", "players/playout.cpp",
     "(top ? 2 : 1));", "(top ? 1 : 1));"),
    ("playout: partner taken for the opponent on the right", "players/playout.cpp",
     "withLead[s.trick[static_cast<size_t>((seat + 3) & 3)]]",
     "withLead[s.trick[static_cast<size_t>((seat + 2) & 3)]]"),
    ("expert counts its own side's units as the bidder's", "players/expert_play.cpp",
     "playout::partnershipUnits(s, t.bidderSeat & 1) * 5;",
     "playout::partnershipUnits(s, seat & 1) * 5;"),
    ("expert reads the score unturned", "players/expert_play.cpp",
     "t.score[static_cast<size_t>((p + t.localSeat) & 1)];",
     "t.score[static_cast<size_t>(p & 1)];"),
    ("expert tie broken toward the dearer card", "players/expert_play.cpp",
     "cost(slot) < cost(best)))", "cost(slot) > cost(best)))"),
    ("sampling ignores shown voids", "players/seat_knowledge.cpp",
     "CardSet pool = strict ? left & k.mayHold[w] : left;", "CardSet pool = left;"),
    ("sampling: a high trump led binds only below the Ace of hearts", "players/seat_knowledge.cpp",
     "lacks |= trumpsBelow(trump, std::max(AceOfHeartsValue, ledValue));",
     "lacks |= trumpsBelow(trump, AceOfHeartsValue);"),
    ("sharp playout: overtakes a partner's card that nobody after can beat",
     "players/playout_sharp.cpp",
     "if (s.winner == (seat ^ 2) && winning > later)",
     "if (s.winner == (seat ^ 1) && winning > later)"),
    ("sharp playout: a partner still to play taken for an opponent", "players/playout_sharp.cpp",
     "if ((who & 1) != (seat & 1))", "if (who != seat)"),
    ("sharp playout: leads its top trump when the opponents hold none",
     "players/playout_sharp.cpp",
     "isTrumpValue(plain.value(top)) && isTrumpValue(othersTrump))",
     "isTrumpValue(plain.value(top)))"),
    ("record: a hand on the rules counted as off them", "players/hand_record.cpp",
     "if (strays[seat] != 0)", "if (strays[seat] == 0)"),
    ("sampling: a 30 bid's first trick not binding", "players/seat_knowledge.cpp",
     "if (trick == 0 && t.highBid >= 30)", "if (trick == 0 && t.highBid > 30)"),
    ("sampling picks from one card short", "players/seat_knowledge.cpp",
     "const int pick = dealt + random.below(count - dealt);",
     "const int pick = dealt + random.below(count - dealt > 1 ? count - dealt - 1 : 1);"),

    ("sampling: the bidder forgets the kitty", "players/hand_record.cpp",
     "if (seat == t.bidderSeat)", "if (seat == t.dealerSeat)"),
    ("sampling: every seat sees the kitty", "players/hand_record.cpp",
     "if (seat == t.bidderSeat)", "if (true)"),
    ("sampling: the hands before the draw read from host pictures", "players/hand_record.cpp",
     "t.cardAt(t.localPicture(5 * seat + k))", "t.cardAt(5 * seat + k)"),
    ("sampling: what the seat held before the draw forgotten", "players/seat_knowledge.cpp",
     "CardSet seen = record.seenBeforeDraw[static_cast<size_t>(seat)];", "CardSet seen = 0;"),
    ("sampling: the others' played cards unseen", "players/hand_snapshot.cpp",
     "if (played || viewer == EverySeat ||", "if (viewer == EverySeat ||"),
    ("sampling: a void put on the next seat", "players/seat_knowledge.cpp",
     "const auto who = record.playSeats[static_cast<size_t>(i)];",
     "const auto who = (record.playSeats[static_cast<size_t>(i)] + 1) & 3;"),
    ("sampling: the suit not followed takes the Ace of hearts along", "players/seat_knowledge.cpp",
     "lacks |= suitCards(led.suit()) & ~cardBit(AceOfHearts.number());",
     "lacks |= suitCards(led.suit());"),
    ("the kitty's lowest card: a tie takes the later card", "players/discard.cpp",
     "if (lowest == -1 || value < lowestValue) {", "if (lowest == -1 || value <= lowestValue) {"),
    ("expert: half the samples asked for", "players/expert_play.cpp",
     "deals(static_cast<size_t>(std::max(1, effort.samples)));",
     "deals(static_cast<size_t>(std::max(1, (effort.samples + 1) / 2)));"),
    ("expert bid: one sample whatever is asked", "players/expert_bid.cpp",
     "    samples = std::max(1, samples);\n", "    samples = 1;\n"),
    ("hand worth: the other side held to 120", "players/hand_worth.h",
     "after[others] + 30 - counted > 115 ? 115 :", "after[others] + 30 - counted > 120 ? 120 :"),
    ("hand worth: a set bid costs nothing", "players/hand_worth.h",
     "        after[bidders] -= s.bid;\n", ""),
    ("hand worth: the other side counts in a won game", "players/hand_worth.h",
     "    if (!gameOver)\n        after[others] =", "    after[others] ="),

    # --- flow/: the auction, the draw, tricks and scoring
    ("only the Five's trick counts double", "table/hand_rules.h",
     "return CardValue(winner, trumpSuit) == topTrumpOut ? 2 : 1;",
     "return CardValue(winner, trumpSuit) == 114 ? 2 : 1;"),
    ("opponents' count takes one opponent twice", "table/hand_rules.cpp",
     "units(nextSeat(b)) + units(previousSeat(b)), t.score);",
     "units(nextSeat(b)) + units(nextSeat(b)), t.score);"),
    ("bid made only when over the bid", "table/hand_rules.cpp",
     "h.made = h.counted >= bid;", "h.made = h.counted > bid;"),
    ("a 30 bid made counts its tricks, not 60", "table/hand_rules.cpp",
     "h.points = bid < 30 ? h.counted : 60;", "h.points = bid <= 30 ? h.counted : 60;"),
    ("the game won at 115", "table/hand_rules.cpp",
     "if (h.scores[bidders] > 115) {", "if (h.scores[bidders] >= 115) {"),
    ("opponents held to 120", "table/hand_rules.cpp",
     "std::min(h.scores[opponents] + h.opponentsCounted, 115);",
     "std::min(h.scores[opponents] + h.opponentsCounted, 120);"),
    ("the top trump's trick counts once", "table/hand_rules.h",
     "== topTrumpOut ? 2 : 1;", "== topTrumpOut ? 1 : 1;"),
    ("the hand ends a trick early", "flow/engine_finish.cpp",
     "if (m_t.tricksPlayed != 5) {", "if (m_t.tricksPlayed != 4) {"),
    ("the deal passes to the right", "flow/engine_finish.cpp",
     "m_t.dealerSeat = nextSeat(m_t.dealerSeat);\n    m_t.gamePhase = GamePhase::Idle;",
     "m_t.dealerSeat = previousSeat(m_t.dealerSeat);\n    m_t.gamePhase = GamePhase::Idle;"),
    ("auction over when two after the dealer pass", "table/hand_rules.cpp",
     "bid(d + 1).isPass() && bid(d + 2).isPass() && bid(d + 3).isPass();",
     "bid(d + 1).isPass() && bid(d + 2).isPass();"),
    ("auction over when another equals the dealer", "table/hand_rules.cpp",
     "const bool othersBelow = bid(d + 1).points() < dealerValue &&",
     "const bool othersBelow = bid(d + 1).points() <= dealerValue &&"),
    ("host draws from one card too early", "table/hand_rules.h",
     "    return 23 + picture;", "    return 22 + picture;"),
    ("the bidder leads", "table/hand_rules.cpp",
     "t.turnSeat = nextSeat(t.bidderSeat);", "t.turnSeat = t.bidderSeat;"),
    ("host: a person's equal bid takes the auction", "flow/engine_host.cpp",
     "if (bid.points() > m_t.highBid) {",
     "if (bid.points() >= m_t.highBid) {"),
    ("a card played never wins the trick", "table/hand_rules.h",
     "return CardValue(card, trumpSuit, ledSuit) > CardValue(best",
     "return CardValue(card, trumpSuit, ledSuit) < CardValue(best"),
    ("the holding dealer never named bidder", "table/hand_rules.cpp",
     "return points(bidder) == 0 && points(dealer) != 0 ? dealer : bidder;", "return bidder;"),
    ("the bidder keeps six cards", "flow/engine_discard.cpp",
     "CountCards(m_t, bidder) + CountCards(m_t, 4) >= 6", "CountCards(m_t, bidder) + CountCards(m_t, 4) >= 7"),
    ("a hand's first lead answers the last hand's lead", "flow/play_context.cpp",
     "c.ledCard = t.leadForPlay();", "c.ledCard = t.cardAt(t.localPicture(t.ledCard));"),
    ("a set bid's loss stops at zero", "table/hand_rules.cpp",
     "h.scores[bidders] -= bid;", "h.scores[bidders] = std::max(0, h.scores[bidders] - bid);"),
    ("the winners' score kept above 120", "table/hand_rules.cpp",
     "            h.scores[bidders] = 120;\n", ""),
    ("the other side counts in a won game", "table/hand_rules.cpp",
     "            h.gameWon = true;\n",
     "            h.gameWon = true;\n            h.scores[opponents] += h.opponentsCounted;\n"),
    ("the game won only above 120", "table/hand_rules.cpp",
     "if (h.scores[bidders] > 115) {", "if (h.scores[bidders] > 120) {"),
    ("history: a made 30 recorded at its count", "flow/history_recorder.cpp",
     "r.made ? (r.bid < 30 ? r.counted : 60) : r.bid;", "r.made ? (r.bid <= 30 ? r.counted : 60) : r.bid;"),
    ("the top trump sought among nineteen cards", "table/hand_rules.cpp",
     "for (int i = 0; i <= 19; ++i)\n        held[", "for (int i = 0; i <= 18; ++i)\n        held["),
    ("the top trump sought in three hands", "table/hand_rules.cpp",
     "for (int i = 0; i <= 19; ++i)\n        held[", "for (int i = 0; i <= 14; ++i)\n        held["),
    ("auction: the first round one seat short", "table/hand_rules.cpp",
     "if (t.bidsMade < 4) {", "if (t.bidsMade < 3) {"),
    ("auction: the first round one seat long", "table/hand_rules.cpp",
     "if (t.bidsMade < 4) {", "if (t.bidsMade < 5) {"),
    ("auction: the holding dealer asked again, not the bidder", "table/hand_rules.cpp",
     "t.bidTurnSeat = t.bidTurnSeat == t.dealerSeat ? t.bidderSeat : t.dealerSeat;",
     "t.bidTurnSeat = t.dealerSeat;"),
    ("hand worth: the game over at 115", "players/hand_worth.h",
     "gameOver = after[bidders] > 115;", "gameOver = after[bidders] >= 115;"),

    # --- online/: the host's checks on a person's moves, the seat's numbering
    ("host takes a card for the seat whose turn it is, asked or not", "online/host.cpp",
     "    const int seat = m_engine.hostAwaits().cardFrom;\n    if (!m_hosting || t.gamePhase != GamePhase::Play",
     "    const int seat = t.turnSeat;\n    if (!m_hosting || t.gamePhase != GamePhase::Play"),
    ("host takes a bid of any value from 20 to 30", "online/host.cpp",
     "const bool level = value == 20 || value == 25 || value == 30;",
     "const bool level = value >= 20 && value <= 30;"),
    ("bid levels: the level to beat offered", "table/hand_rules.h",
     "return byDealer ? points >= highBid : points > highBid;",
     "return byDealer ? points >= highBid : points >= highBid;"),
    ("bid levels: seat 0 given the dealer's allowance", "table/hand_rules.cpp",
     "bidRaises(Bid::atLevel(i).points(), t.highBid, seat == t.dealerSeat);",
     "bidRaises(Bid::atLevel(i).points(), t.highBid, seat == 0);"),
    ("bid levels: the five looked for in four cards", "table/hand_rules.cpp",
     "for (int slot = 0; slot < 5; ++slot)\n        five = five ||",
     "for (int slot = 0; slot < 4; ++slot)\n        five = five ||"),
    ("bid levels: a 25 without a five", "table/hand_rules.cpp",
     "        enabled[2] = false;\n        enabled[3] = false;", "        enabled[3] = false;"),
    ("host takes a bid it did not ask for", "online/host.cpp",
     "m_engine.hostAwaits().bidFrom != m.seat || ", ""),
    ("host takes a trump it did not ask for", "online/host.cpp",
     "t.gamePhase != GamePhase::Discard || !m_engine.hostAwaits().trump)",
     "t.gamePhase != GamePhase::Discard)"),
    ("host takes a second discard from a seat", "online/host.cpp",
     "!seatLinked(m.seat) ||\n        m_engine.seatReady()[static_cast<size_t>(m.seat)])",
     "!seatLinked(m.seat))"),
    ("host takes the same picture discarded twice", "online/host.cpp",
     "slot > 5 * m.seat + 4 || !seen.insert(slot).second)", "slot > 5 * m.seat + 4)"),
    ("host takes the next seat's first card", "online/host.cpp",
     "if (m.card < 5 * seat || m.card > 5 * seat + 4)",
     "if (m.card < 5 * seat || m.card > 5 * seat + 5)"),
    ("host takes a thrown card", "online/host.cpp",
     "t.CardState(m.card) == TagState::Played || t.CardState(m.card) == TagState::Thrown)",
     "t.CardState(m.card) == TagState::Played)"),
    ("host takes a card from a seat not on turn", "online/host.cpp",
     "seat < 0 || seat != t.turnSeat ||", "seat < 0 ||"),
    ("host leaves a person who sits down mid-hand without the hand so far", "online/host.cpp",
     "    if (midHand)\n        catchUp(m.seat);\n", ""),
    ("host passes chat from an empty seat", "online/host.cpp",
     "if (!m_hosting || !seatLinked(m.seat))\n        return refuse(\"chat",
     "if (!m_hosting)\n        return refuse(\"chat"),
    ("the tricks shown by host seat", "table/presenter.cpp",
     "t.tricksWon[static_cast<size_t>(nextSeat(t.localSeat))] +",
     "t.tricksWon[static_cast<size_t>(partnerOf(t.localSeat))] +"),
    ("seat 3 reads the score as an even seat", "online/seat.cpp",
     "const bool evenSeat = t.localSeat % 2 == 0;", "const bool evenSeat = t.localSeat != 1;"),

    # Seat numbering: the same for seats 0 and 2, wrong for 1 and 3.
    ("seat deals its hand from the wrong host seat", "online/seat.cpp",
     "m.deck[static_cast<size_t>((5 * t.localSeat + i) % 20)]",
     "m.deck[static_cast<size_t>((15 * t.localSeat + i) % 20)]"),
    ("seat's record: the dealer at the auction's right", "online/seat_history.cpp",
     "h->dealer = (seat + 3) % 4;", "h->dealer = (seat + 1) % 4;"),
    ("seat's record reads seat 3's score as an even seat's", "online/seat_history.cpp",
     "const bool even = m_table.localSeat % 2 == 0;", "const bool even = m_table.localSeat != 1;"),
    ("seat turns the other seats round the wrong way", "online/seat.h",
     "return (tableSeat - m_engine.table().localSeat + 4) % 4;",
     "return (tableSeat + m_engine.table().localSeat) % 4;"),
    ("seat deals its hand counting the seats backwards", "online/seat.cpp",
     "m.deck[static_cast<size_t>((5 * t.localSeat + i) % 20)]",
     "m.deck[static_cast<size_t>((20 - 5 * t.localSeat + i) % 20)]"),
    ("the dealer marked at the host's number", "table/presenter.cpp",
     "bid.color = seat == t.dealerSeat ? LabelColor::Red : LabelColor::Black;",
     "bid.color = label == t.dealerSeat ? LabelColor::Red : LabelColor::Black;"),
    ("seat lays a card at the host's number of its seat", "online/seat.cpp",
     "p.position = trickPosition(turned(seat));", "p.position = trickPosition(seat);"),
    ("seat takes a misdeal of seat 0's deal for its own", "online/seat.cpp",
     "Said::Misdeal, t.dealerSeat == t.localSeat", "Said::Misdeal, t.dealerSeat == 0"),
    ("seat shows the kitty to seat 0 as bidder", "online/seat.cpp",
     "if (m.bidder == t.localSeat) {", "if (m.bidder == 0) {"),
    ("seat's record turns the seats round the wrong way", "online/seat_history.h",
     "return (hostSeat - m_table.localSeat + 8) % 4;", "return (hostSeat + m_table.localSeat) % 4;"),
    ("seat's record reads a played card at its host picture", "online/seat_history.cpp",
     "shown(m_table.localPicture(m.card))", "shown(m.card)"),
    ("host takes discards before it asked for them", "online/host.cpp",
     "if (!m_hosting || !m_discardsAsked || !seatLinked(m.seat) ||",
     "if (!m_hosting || !seatLinked(m.seat) ||"),
    ("host asks for discards only once", "online/host.cpp",
     "    else if (std::holds_alternative<Cards>(message))\n        m_discardsAsked = false;\n",
     ""),
    ("host takes the seat before's last picture discarded", "online/host.cpp",
     "if (slot < 5 * m.seat || slot", "if (slot < 5 * m.seat - 1 || slot"),
    ("host refuses a seat's last picture discarded", "online/host.cpp",
     "slot > 5 * m.seat + 4 ||", "slot >= 5 * m.seat + 4 ||"),
    ("host takes the previous seat's last card", "online/host.cpp",
     "if (m.card < 5 * seat || m.card", "if (m.card < 5 * seat - 1 || m.card"),
    ("host asks a refused bid again over no bid", "online/host.cpp",
     "sendToSeat(seat, YourBid{t.dealerSeat, t.highBid});",
     "sendToSeat(seat, YourBid{t.dealerSeat, 0});"),
    ("a bid's level read a step low", "cards/bid.h",
     "points() == 0 ? 0 : (points() - 15) / 5;", "points() == 0 ? 0 : (points() - 20) / 5;"),
    ("host checks a person's bid as its own seat's", "online/host.cpp",
     "!allowedBids(t, m.seat)", "!allowedBids(t, t.localSeat)"),
    ("host asks a refused card again of its own seat", "online/host.cpp",
     "sendToSeat(seat, YourTurn{seat});", "sendToSeat(seat, YourTurn{0});"),
    ("host checks a person's card against its own hand", "online/host.cpp",
     "checkLocalPlay(handOf(t, seat).span()", "checkLocalPlay(handOf(t, 0).span()"),
    ("host takes a bid while the auction waits on another seat", "online/host.cpp",
     " || t.bidTurnSeat != m.seat)", ")"),
    ("host takes a bid outside the auction", "online/host.cpp",
     "t.gamePhase != GamePhase::Bidding ||\n        m_engine", "\n        m_engine"),
    ("host takes a trump outside the discard", "online/host.cpp",
     "if (!m_hosting || t.gamePhase != GamePhase::Discard || !m_engine.hostAwaits().trump)",
     "if (!m_hosting || !m_engine.hostAwaits().trump)"),
    ("host takes a card while a trick closes", "online/host.cpp",
     " ||\n        t.trickCardCount >= 4)", ")"),
    ("host takes a card outside play", "online/host.cpp",
     "t.gamePhase != GamePhase::Play || seat < 0", "seat < 0"),
    ("host deals on an \"i\" during a hand", "online/host.cpp",
     "if (!m_hosting || !m_engine.betweenHands())", "if (!m_hosting)"),

    # --- protocol/: field reading and writing
    ("pair list kept one character longer", "protocol/wire_fields.cpp",
     "list.size(), kMaxShortText - 1));", "list.size(), kMaxShortText));"),
    ("digit range takes its upper bound as out", "protocol/wire_fields.cpp",
     "if (ok() && (value < low || value > high)) {", "if (ok() && (value < low || value >= high)) {"),
    ("odd pair list taken", "protocol/wire_fields.cpp",
     "if (list.size() % 2 != 0) {", "if (list.size() % 2 > 1) {"),
    ("pair one over its limit taken", "protocol/wire_fields.cpp",
     "if (value > high) {", "if (value > high + 1) {"),
    ("long text cut one character late", "protocol/wire_fields.cpp",
     "text = text.substr(0, kMaxLongText);", "text = text.substr(0, kMaxLongText + 1);"),
    ("field limit one over its width", "protocol/wire_fields.cpp",
     "return limit - 1;", "return limit;"),
    ("decoder keeps a partly read message's start after cutting the buffer", "protocol/decoder.h",
     "            m_buffer.erase(0, m_start);\n            m_start = 0;\n",
     "            m_buffer.erase(0, m_start);\n"),
    ("hand end's sign read backwards", "protocol/decode.cpp",
     "m.made = sign == \"+\";", "m.made = sign == \"-\";"),
    ("host messages addressed to a fifth seat", "protocol/decode.cpp",
     "if (code >= '0' && code <= '3') {", "if (code >= '0' && code <= '4') {"),

    # --- faults only one test catches, each the reason that test stays
    ("the dealer's mark at the dealer's seat number, unturned", "table/table.h",
     "int dealerLabel() const { return labelOfSeat(dealerSeat); }",
     "int dealerLabel() const { return dealerSeat; }"),
    ("the dealer marked before any card is dealt", "table/table.cpp",
     "    for (const CardPicture& p : picCard)\n        if (p.visible)\n            return true;\n"
     "    return false;\n}",
     "    return true;\n}"),
    ("a card marked twice stays thrown", "table/table.cpp",
     "    case TagState::Thrown:\n        p.state = TagState::Down;",
     "    case TagState::Thrown:\n        p.state = TagState::Thrown;"),
    ("a thrown card flipped face up", "table/table.cpp",
     "    case TagState::Thrown:\n        return false;",
     "    case TagState::Thrown:\n        p.state = TagState::Up;\n        break;"),
    ("a played card marked to throw", "table/table.cpp",
     "    case TagState::Played:\n        break;\n    }\n}",
     "    case TagState::Played:\n        p.state = TagState::Thrown;\n        break;\n    }\n}"),
    ("the spiral one turn round", "table/glide.cpp",
     "const double t = step * 0.02;", "const double t = step * 0.0133;"),
    ("the spiral too tight", "table/glide.cpp",
     "const double r = 15.0 * step;", "const double r = 10.0 * step;"),
    ("the Players menu open during a hand", "flow/engine.h",
     "bool playersMenuEnabled() const { return !handUnderWay(); }",
     "bool playersMenuEnabled() const { return true; }"),
    ("a bid the dialog disables taken by a click", "flow/engine_auction.cpp",
     "        !allowedBids(m_t, m_t.localSeat)[static_cast<size_t>(index)] ||\n", ""),
    ("a new game leaves the deal's flows running", "flow/engine.cpp",
     "    abandonFlows();\n    resetForNewGame();", "    resetForNewGame();"),
    ("a message loses the buttons it covered", "flow/engine.cpp",
     "    if (previousMode != ButtonMode::Hidden)\n        SetupButtons(previousMode);\n}", "}"),
    ("the trace writes a newline raw", "flow/trace_writer.cpp",
     "            out += \"\\\\n\";", "            out += \"\\n\";"),
    ("the highest card leaves out the Five", "players/card_play.cpp",
     "return picture(cards, cards.highest(false));",
     "return picture(cards, cards.highest(true));"),

    # --- server/: the lobby's claims and limits
    ("lobby passes the next seat's first card", "server/seat_claims.cpp",
     "card->card > 5 * seat + 4)", "card->card > 5 * seat + 5)"),
    ("lobby passes a second trump from the asked seat", "server/seat_claims.cpp",
     "        m_trumpSeat = -1;\n    }\n    return std::nullopt;",
     "    }\n    return std::nullopt;"),
    ("lobby allows one table too many per address", "server/lobby.cpp",
     "if (waitingFrom(host.address()) >= m_maxTablesPerAddress) {",
     "if (waitingFrom(host.address()) > m_maxTablesPerAddress) {"),
    ("lobby lets a player join seat 0", "server/lobby_players.cpp",
     "if (request.seat == 0 || t->seatPeer[seat] != 0) {", "if (t->seatPeer[seat] != 0) {"),
    ("lobby: connections from one address one too many", "server/connection_registry.cpp",
     "counted->second.open >= m_maxPerAddress", "counted->second.open > m_maxPerAddress"),
    ("lobby: every refusal of a kind logged", "server/lobby.cpp",
     "if (!logged) {", "if (true) {"),
    ("lobby: the key file's key kept whole", "server/key_file.cpp",
     "return line.substr(0, 8);", "return line;"),
    ("lobby: a new connection given the idle time-out", "server/session.cpp",
     "m_deadline = Clock::now() + m_options.helloTimeout;",
     "m_deadline = Clock::now() + m_options.idleTimeout;"),
    ("lobby: no backlog cap on a slow reader", "server/session.cpp",
     "if (m_outbox.size() + m_sending.size() + bytes.size() > m_options.maxBacklog) {",
     "if (false) {"),
    ("lobby log: the delete character written raw", "server/log_text.cpp",
     "if (c < 0x20 || c == 0x7F) {", "if (c < 0x20) {"),
]

# The core test programs, cheapest first; the server's run only for faults where the lobby is.
FAST_TESTS = ["cards", "protocol", "table", "players", "flow", "online", "tools"]
LOBBY_FOLDERS = ("server/", "protocol/")
BUILD_TARGETS = [f"corvane_{t}_tests" for t in FAST_TESTS] + [
    "corvane-sim", "corvane-lobby", "corvane-load", "corvane_server_tests"]


def run(cmd, cwd, timeout=None, env=None):
    try:
        p = subprocess.run(cmd, cwd=cwd, env=env, timeout=timeout, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, text=True)
        return p.returncode, p.stdout
    except subprocess.TimeoutExpired:
        return None, ""


def sync_scratch(repo: Path, src: Path):
    """Copies the checkout's tracked files into the scratch tree, touching only those that differ,
    so that the scratch build stays incremental."""
    files = subprocess.run(["git", "ls-files", "-z"], cwd=repo, check=True,
                           stdout=subprocess.PIPE).stdout.decode().split("\0")
    for name in filter(None, files):
        a, b = repo / name, src / name
        if not a.is_file():
            continue
        data = a.read_bytes()
        if b.is_file() and b.read_bytes() == data:
            continue
        b.parent.mkdir(parents=True, exist_ok=True)
        b.write_bytes(data)
        shutil.copymode(a, b)


def configure(src: Path, build: Path, env):
    if (build / "CMakeCache.txt").exists():
        return
    cmd = ["cmake", "-S", str(src), "-B", str(build), "-DCORVANE_UI=OFF",
           "-DCMAKE_BUILD_TYPE=Mutants", "-DCMAKE_CXX_FLAGS_MUTANTS=-O1"]
    if shutil.which("ninja"):
        cmd += ["-G", "Ninja"]
    if shutil.which("ccache"):
        cmd += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    rc, out = run(cmd, src, env=env)
    if rc != 0:
        sys.exit("configure failed:\n" + out)


def build(build_dir: Path, jobs: int, env):
    return run(["cmake", "--build", str(build_dir), "-j", str(jobs), "--target", *BUILD_TARGETS],
               build_dir, env=env)


def tests_catch(build_dir: Path, folder: str, deadline: float, env) -> str:
    """Runs the core tests until one fails: the name of what caught the fault, or ''."""
    for t in FAST_TESTS:
        left = deadline - time.monotonic()
        if left <= 0:
            return "time-out"
        rc, _ = run([str(build_dir / "tests" / t / f"corvane_{t}_tests"), "--gtest_fail_fast",
                     "--gtest_brief=1"], build_dir, timeout=left, env=env)
        if rc is None:
            return f"{t} (time-out)"
        if rc != 0:
            return t
    left = deadline - time.monotonic()
    rc, _ = run(["ctest", "-R", "SimTraceFollowsTheRules", "--stop-on-failure"], build_dir,
                timeout=max(left, 1), env=env)
    if rc is None:
        return "trace check (time-out)"
    if rc != 0:
        return "trace check"
    if folder.startswith(LOBBY_FOLDERS):
        left = deadline - time.monotonic()
        rc, _ = run([str(build_dir / "tests" / "server" / "corvane_server_tests"),
                     "--gtest_fail_fast", "--gtest_brief=1"], build_dir, timeout=max(left, 1),
                    env=env)
        if rc is None:
            return "server (time-out)"
        if rc != 0:
            return "server"
    return ""


def gtest_failures(report: Path) -> list:
    try:
        data = json.loads(report.read_text())
    except (OSError, ValueError):
        return []
    return [f"{suite['name']}.{case['name']}" for suite in data.get("testsuites", [])
            for case in suite.get("testsuite", []) if case.get("failures")]


def failing_tests(build_dir: Path, folder: str, deadline: float, env) -> list:
    """Runs every core test: the names of those that fail. A program that crashes is named
    with the test it was running, and run again without it."""
    programs = FAST_TESTS + (["server"] if folder.startswith(LOBBY_FOLDERS) else [])
    failed = []
    for t in programs:
        skipped = []
        while True:
            report = build_dir / f"matrix-{t}.json"
            report.unlink(missing_ok=True)
            cmd = [str(build_dir / "tests" / t / f"corvane_{t}_tests"), f"--gtest_output=json:{report}"]
            if skipped:
                cmd.append("--gtest_filter=-" + ":".join(skipped))
            # A program that hangs on a fault is cut short on its own, and the rest still run.
            alone = 45 if t == "server" else 10
            rc, out = run(cmd, build_dir, env=env,
                          timeout=max(min(deadline - time.monotonic(), alone), 1))
            if rc is None:
                failed.append(f"{t} (time-out)")
                break
            if rc == 0 or report.exists():
                failed += gtest_failures(report)
                break
            running = [line[12:].strip() for line in out.splitlines() if line.startswith("[ RUN      ]")]
            if not running or running[-1] in skipped or len(skipped) >= 8:
                failed.append(f"{t} (crashed)")
                break
            skipped.append(running[-1])
            failed.append(running[-1] + " (crashed)")
    rc, _ = run(["ctest", "-R", "SimTraceFollowsTheRules"], build_dir,
                timeout=max(deadline - time.monotonic(), 1), env=env)
    if rc != 0:
        failed.append("trace check" + (" (time-out)" if rc is None else ""))
    return failed


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--list", action="store_true", help="print the faults and stop")
    ap.add_argument("--only", nargs="*", default=[], help="faults whose name holds one of these")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=float, default=180, help="seconds of tests per fault")
    ap.add_argument("--tree", help="the checkout whose files are tested (default: this one)")
    ap.add_argument("--matrix", help="run every test for every fault and write what failed here")
    args = ap.parse_args()

    # A stopped run still puts the planted file back (the finally below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    chosen = [m for m in MUTANTS if not args.only or any(o in m[0] for o in args.only)]
    if args.list:
        for name, path, *_ in chosen:
            print(f"{path}: {name}")
        print(f"{len(chosen)} faults")
        return 0

    repo = Path(args.tree).resolve() if args.tree else Path(__file__).resolve().parent.parent
    root = Path(os.environ.get("MUTANTS_DIR", f"/tmp/corvane-mutants-{getpass.getuser()}"))
    src, build_dir = root / "src", root / "build"
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    env.setdefault("CCACHE_DIR", str(root / "ccache"))
    env.setdefault("CCACHE_BASEDIR", str(root))

    sync_scratch(repo, src)
    configure(src, build_dir, env)
    rc, out = build(build_dir, args.jobs, env)
    if rc != 0:
        sys.exit("the unchanged tree does not build:\n" + out[-4000:])
    if tests_catch(build_dir, "server/", time.monotonic() + 600, env):
        sys.exit("the core tests fail on the unchanged tree")

    matrix = open(args.matrix, "w") if args.matrix else None
    killed = counted = 0
    for name, path, snippet, replacement in chosen:
        target = src / path
        original = target.read_text()
        if original.count(snippet) != 1:
            print(f"stale     {path}: {name} (snippet found {original.count(snippet)} times)",
                  flush=True)
            continue
        counted += 1
        started = time.monotonic()
        try:
            target.write_text(original.replace(snippet, replacement))
            rc, out = build(build_dir, args.jobs, env)
            if rc != 0:
                verdict, by = "broken", "does not compile: fix the list"
            elif matrix:
                failed = failing_tests(build_dir, path, time.monotonic() + args.timeout, env)
                matrix.write(json.dumps({"fault": name, "file": path, "failed": failed}) + "\n")
                matrix.flush()
                by = f"{len(failed)} tests" if failed else ""
                verdict = "killed" if failed else "survived"
            else:
                by = tests_catch(build_dir, path, time.monotonic() + args.timeout, env)
                verdict = "killed" if by else "survived"
        finally:
            target.write_text(original)
        killed += verdict == "killed"
        counted -= verdict == "broken"
        took = time.monotonic() - started
        print(f"{verdict:9} {path}: {name}" + (f" (by {by})" if by else "") + f" [{took:.0f} s]",
              flush=True)
    # The scratch tree is left as the checkout has it, ready for the next run.
    build(build_dir, args.jobs, env)
    print(f"mutants: {killed} of {counted} killed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
