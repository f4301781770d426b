#!/usr/bin/env python3
"""Replays a corvane-sim trace and checks that it follows the rules of the game.

It knows only the rules, not the program: the deal from the deck order, the auction's turn and
end rules, the computer discard, the bidder's kitty, the draw from the stock, whose turn it is,
the legality of every card, the trick winner and its units, the scoring and the dealer's moves.

usage: check_trace.py TRACE [--must-follow-suit]
"""
import json
import sys

RED_TRUMP = "02-03-04-06-07-08-09-10-12-13-01-XX-11-05"
BLACK_TRUMP = "10-09-08-07-06-04-03-02-12-13-01-XX-11-05"
RED_PLAIN = "01-02-03-04-05-06-07-08-09-10-11-12-13"
BLACK_PLAIN = "10-09-08-07-06-05-04-03-02-01-11-12-13"


def suit(card):
    return (card - 1) // 13


def face(card):
    return (card - 1) % 13 + 1


def value(card, trump, lead=None):
    if card is None:
        return 0
    if card == 40:
        return 112
    s, two = suit(card), "%02d" % face(card)
    if s == trump:
        order = RED_TRUMP if trump in (1, 3) else BLACK_TRUMP
        return 101 + order.index(two) // 3
    order = RED_PLAIN if s in (1, 3) else BLACK_PLAIN
    return order.index(two) // 3 + 1 + (50 if lead is not None and lead == s else 0)


class Failure(Exception):
    pass


def expect(cond, what):
    if not cond:
        raise Failure(what)


class Checker:
    def __init__(self, must_follow):
        self.must_follow = must_follow
        self.pics = {}
        self.prev_lead = 0  # the picture that led last, kept across hands
        self.scores = [0, 0]
        self.expected_dealer = None
        self.games = self.hands = 0
        self.top = None  # the hand's top card value, once play has begun
        self.won = False

    def on_game(self, ev):
        self.scores = [0, 0]
        self.games += 1

    def on_deal(self, ev):
        deck = ev["deck"]
        expect(sorted(deck) == list(range(52)), "deck is not a permutation")
        if self.expected_dealer is not None:
            expect(ev["dealer"] == self.expected_dealer, "dealer %d, expected %d" % (ev["dealer"], self.expected_dealer))
        self.dealer = ev["dealer"]
        self.deck = deck
        self.pics = {i: deck[i] + 1 for i in range(23)}
        self.thrown = set()
        self.played = set()
        self.labels = {}
        self.turn = self.dealer
        self.bids_made = 0
        self.high_bid = 0
        self.bidder = None
        self.units = [0, 0, 0, 0]
        self.draws = [0, 0, 0, 0]
        self.discarded_seats = set()
        self.trump = None
        self.hands += 1

    def auction_over(self):
        d = self.dealer
        lab = lambda s: self.labels.get(s % 4, "")
        val = lambda s: int(lab(s)) if lab(s).isdigit() else 0
        others = [d + 1, d + 2, d + 3]
        return (all(lab(s) == "Pass" for s in others) or lab(self.bidder) == "Pass"
                or lab(d) == "Pass" or all(val(s) < val(d) for s in others))

    def next_bidder(self):
        if self.bids_made < 4:
            return (self.turn + 1) % 4
        return self.bidder if self.turn == self.dealer else self.dealer

    def on_bid(self, ev):
        seat, bid = ev["seat"], ev["bid"]
        expect(not (self.bids_made >= 4 and self.high_bid and self.auction_over()), "bid after the auction ended")
        expect(seat == self.next_bidder(), "seat %d bid out of turn" % seat)
        self.turn = seat
        expect(bid in ("Pass", "20", "25", "30"), "bad bid %r" % bid)
        v = 0 if bid == "Pass" else int(bid)
        if v:
            if seat == self.dealer:
                expect(v >= self.high_bid, "dealer bid below the high bid")
            else:
                expect(v > self.high_bid, "bid not above the high bid")
        if v > self.high_bid:
            self.high_bid, self.bidder = v, seat
        self.labels[seat] = bid
        self.bids_made += 1

    def on_misdeal(self, ev):
        expect(self.bids_made == 4 and self.high_bid == 0, "misdeal with a bid on")
        expect(ev["dealer"] == self.dealer, "misdeal by the wrong dealer")
        self.expected_dealer = (self.dealer + 1) % 4

    def on_trump(self, ev):
        expect(self.high_bid > 0 and self.auction_over(), "trump before the auction ended")
        bidder = self.bidder
        if self.labels.get(bidder) == "Pass" and self.labels.get(self.dealer, "Pass") != "Pass":
            bidder = self.dealer  # the dealer held
        expect(ev["bidder"] == bidder, "bidder %d, expected %d" % (ev["bidder"], bidder))
        expect(ev["bid"] == self.high_bid, "contract %d, expected %d" % (ev["bid"], self.high_bid))
        self.bidder, self.trump = bidder, ev["suit"]

    def keeper(self, card):
        return suit(card) == self.trump or card == 40

    def on_discard(self, ev):
        seat, pictures = ev["seat"], ev["pictures"]
        expect(seat not in self.discarded_seats, "seat %d discarded twice" % seat)
        self.discarded_seats.add(seat)
        expect(pictures == sorted(pictures), "discards out of order")
        own = set(range(5 * seat, 5 * seat + 5)) | (set(range(20, 23)) if seat == self.bidder else set())
        expect(set(pictures) <= own, "seat %d threw cards it does not hold" % seat)
        if seat != 0:
            expected = [i for i in sorted(own) if not self.keeper(self.pics[i])]
            expect(pictures == expected, "computer seat %d kept the wrong cards" % seat)
        self.thrown |= set(pictures)

    def on_kitty(self, ev):
        b = self.bidder
        held = [i for i in list(range(5 * b, 5 * b + 5)) + [20, 21, 22] if i not in self.thrown]
        for t in ev["thrown"]:
            expect(len(held) >= 6, "kitty cut below five")
            lowest = min(held, key=lambda i: (value(self.pics[i], self.trump), held.index(i)))
            expect(t == lowest, "kitty threw %d, the lowest is %d" % (t, lowest))
            held.remove(t)
            self.thrown.add(t)
        expect(len(held) <= 5, "bidder keeps more than five")
        empty = [i for i in range(5 * b, 5 * b + 5) if i in self.thrown]
        kitty = [j for j in (20, 21, 22) if j not in self.thrown]
        expected = list(zip(kitty, empty))
        expect([tuple(m) for m in ev["moved"]] == expected, "kitty moves %r, expected %r" % (ev["moved"], expected))
        for j, i in expected:
            self.pics[i] = self.pics[j]
            self.thrown.discard(i)
        self.thrown |= {20, 21, 22}

    def on_draw(self, ev):
        i = ev["picture"]
        expect(i in self.thrown and i < 20, "picture %d drew without a discard" % i)
        expect(ev["card"] == self.deck[23 + (i + 5) % 20] + 1, "picture %d drew the wrong stock card" % i)
        self.pics[i] = ev["card"]
        self.thrown.discard(i)
        self.draws[i // 5] += 1
        hands = [self.pics[k] for k in range(20)]
        expect(len(set(hands)) == 20, "a card in two places")

    def start_play(self):
        expect(not any(i < 20 for i in self.thrown), "a hand place left empty")
        self.top = max(value(self.pics[i], self.trump) for i in range(20))
        self.trick, self.tricks = [], 0
        self.turn = (self.bidder + 1) % 4

    def legal(self, seat, picture, first_trick):
        card = self.pics[picture]
        # A lead answers the last lead, kept across tricks; a hand's first lead answers nothing.
        if self.trick:
            lead_card = self.pics.get(self.trick[0][1])
        else:
            lead_card = None if first_trick else self.pics.get(self.prev_lead)
        led_value = value(lead_card, self.trump)
        hand = [self.pics[i] for i in range(5 * seat, 5 * seat + 5) if i not in self.played or i == picture]
        obliged = any(value(c, self.trump) >= 100 and (value(c, self.trump) < 112 or value(c, self.trump) < led_value) for c in hand)
        released = (led_value < 100 or not self.trick) and (not first_trick or self.high_bid < 30)
        is_trump = value(card, self.trump) >= 100
        if obliged and not released and not is_trump:
            return False
        if self.must_follow and self.trick and led_value < 100 and not is_trump:
            led = suit(lead_card)
            holds = any(suit(c) == led and c != 40 for c in hand)
            if holds and suit(card) != led:
                return False
        return True

    def on_play(self, ev):
        seat, picture = ev["seat"], ev["picture"]
        expect(seat == self.turn, "seat %d played out of turn (expected %d)" % (seat, self.turn))
        expect(picture // 5 == seat and picture not in self.played, "seat %d played picture %d" % (seat, picture))
        expect(ev["card"] == self.pics[picture], "card %d is not on picture %d" % (ev["card"], picture))
        expect(self.legal(seat, picture, self.tricks == 0), "seat %d played card %d illegally" % (seat, ev["card"]))
        if not self.trick:
            self.prev_lead = picture
        self.trick.append((seat, picture))
        self.played.add(picture)
        self.turn = (seat + 1) % 4

    def on_trick(self, ev):
        expect(len(self.trick) == 4, "a trick of %d cards" % len(self.trick))
        led = suit(self.pics[self.trick[0][1]])
        best = None
        for seat, pic in self.trick:
            v = value(self.pics[pic], self.trump, led)
            if best is None or v > best[0]:
                best = (v, seat, pic)
        expect(ev["winner"] == best[1], "trick won by %d, expected %d" % (ev["winner"], best[1]))
        units = 2 if value(self.pics[best[2]], self.trump) == self.top else 1
        expect(ev["units"] == units, "trick worth %d units, expected %d" % (ev["units"], units))
        self.units[best[1]] += units
        self.trick = []
        self.tricks += 1
        self.turn = best[1]

    def on_hand(self, ev):
        expect(self.tricks == 5 and sum(self.units) == 6, "hand ended after %d tricks, %d units" % (self.tricks, sum(self.units)))
        b = self.bidder
        counted = (self.units[b] + self.units[(b + 2) % 4]) * 5
        made = counted >= self.high_bid
        expect(ev["bidder"] == b and ev["bid"] == self.high_bid, "wrong contract in the hand result")
        expect(ev["counted"] == counted and ev["made"] == made, "wrong count")
        s = list(self.scores)
        side, other = b % 2, 1 - b % 2
        won = False
        if made:
            gain = 60 if self.high_bid == 30 else counted
            s[side] += gain
            if s[side] > 115:
                s[side], won = 120, True
                message = "You're not easy!" if side == 0 else "She's gone, b'y."
            else:
                s[other] = min(115, s[other] + 30 - counted)
                message = "Count %d points." % gain
        else:
            s[side] -= self.high_bid
            s[other] = min(115, s[other] + 30 - counted)
            message = "Bidder goes down %d." % self.high_bid
        expect(ev["scores"] == s, "scores %r, expected %r" % (ev["scores"], s))
        expect(ev["message"] == message, "message %r, expected %r" % (ev["message"], message))
        self.scores = s
        self.won = won
        self.top = None
        # A won game starts a new game (the dealer moves on) before the hand's own move.
        self.expected_dealer = (self.dealer + (2 if won else 1)) % 4

    def on_end(self, ev):
        expect(self.won, "game end without a winning hand")
        expect(ev["scores"] == self.scores and self.scores[ev["winner"]] == 120, "wrong game end")

    def on_event(self, ev):
        kind = ev["ev"]
        if kind == "play" and self.top is None:
            self.start_play()
        getattr(self, "on_" + kind)(ev)


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    checker = Checker("--must-follow-suit" in sys.argv)
    with open(args[0]) as trace:
        for number, line in enumerate(trace, 1):
            try:
                checker.on_event(json.loads(line))
            except Failure as failure:
                print("line %d: %s" % (number, failure))
                return 1
    print("%d games, %d hands: the trace follows the rules" % (checker.games, checker.hands))
    return 0


if __name__ == "__main__":
    sys.exit(main())
