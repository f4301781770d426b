// Every message of the catalogue, built to its exact bytes and parsed back, in each direction,
// alone and in one stream split at every byte.
#include "protocol/decoder.h"
#include "protocol/encode.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::protocol {
namespace {

template <class Message> struct Row {
    Message message;
    std::string bytes;
};

template <class Message> std::vector<Message> drain(Decoder<Message>& decoder) {
    std::vector<Message> out;
    while (auto decoded = decoder.next())
        out.push_back(std::move(decoded->message));
    return out;
}

// Feeds the rows' bytes as one stream in two arrivals cut at every position, then one byte at a
// time, and expects the same messages in the same order each time: cut at 0 or at the end the
// stream is one arrival; any other cut leaves a message partly read, to wait for the rest.
template <class Message> void checkEverySplit(const std::vector<Row<Message>>& rows) {
    std::string stream;
    std::vector<Message> messages;
    for (const Row<Message>& row : rows) {
        stream += row.bytes;
        messages.push_back(row.message);
    }
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        Decoder<Message> decoder;
        ASSERT_TRUE(decoder.feed(std::string_view(stream).substr(0, cut)));
        std::vector<Message> got = drain(decoder);
        ASSERT_TRUE(decoder.feed(std::string_view(stream).substr(cut)));
        std::vector<Message> rest = drain(decoder);
        got.insert(got.end(), rest.begin(), rest.end());
        EXPECT_FALSE(decoder.failed()) << decoder.error();
        ASSERT_EQ(got, messages);
        EXPECT_EQ(decoder.buffered(), 0u);
    }
    Decoder<Message> decoder;
    std::vector<Message> got;
    for (char c : stream) {
        ASSERT_TRUE(decoder.feed(std::string_view(&c, 1)));
        std::vector<Message> some = drain(decoder);
        got.insert(got.end(), some.begin(), some.end());
    }
    EXPECT_EQ(got, messages);
}

// Builds each row's message, checks the bytes, and decodes them back to the same message, alone
// and in the stream of all the rows split every way.
template <class Message> void checkRows(const std::vector<Row<Message>>& rows) {
    checkEverySplit(rows);
    for (const Row<Message>& row : rows) {
        SCOPED_TRACE(row.bytes);
        EXPECT_EQ(encode(row.message), row.bytes);
        Decoder<Message> decoder;
        ASSERT_TRUE(decoder.feed(row.bytes));
        auto decoded = decoder.next();
        ASSERT_TRUE(decoded.has_value()) << decoder.error();
        EXPECT_EQ(decoded->message, row.message);
        EXPECT_EQ(decoded->raw, row.bytes);
        EXPECT_EQ(decoder.buffered(), 0u);
        EXPECT_FALSE(decoder.next().has_value());
        EXPECT_FALSE(decoder.failed());
    }
}

TEST(Catalogue, HostAndListChannelsToServer) {
    checkRows<ListUpMessage>({{ListRequest{}, "Q"}});
    checkRows<HostUpMessage>({
        {CreateTable{"secret12", "Kitchen", "10.0.0.7", "Maud"},
         "Hsecret1216Kitchen/10.0.0.704Maud"},
        {CreateTable{"abc", "A/B", "::1", "Jo"}, "Habc     07A/B/::102Jo"},
        {CreateTable{"", "", "", ""}, "H        01/00"},
        {SeatName{2, "`Computer"}, "P209`Computer"},
        {SeatName{0, "Maud"}, "P004Maud"},
        {Addressed{3, BidMade{2, Bid::passed()}}, "3S2Pa"},
        {Addressed{0, YourTurn{1}}, "0W1"},
        {Addressed{1, Cards{{0, 51, 7}}}, "1C006005107"},
    });
}

TEST(Catalogue, PlayerChannelToServer) {
    checkRows<PlayerUpMessage>({
        {JoinTable{"secret12", 3, 2, "Bea"}, "Lsecret1203203Bea"},
        {JoinTable{"k", 20, 1, ""}, "Lk       20100"},
        {HostSeatOpen{}, "Z"},
        {TakeSeat{1, "Bea"}, "s103Bea"},
        {ChatLine{2, "hi there"}, "c208hi there"},
        {ChatLine{3, ""}, "c300"},
        {PlayerBid{1, Bid::passed()}, "b1Pa"},
        {PlayerBid{0, Bid::of(25)}, "b025"},
        {NameTrump{3}, "t3"},
        {Discards{2, {10, 12, 14}}, "r206101214"},
        {Discards{1, {}}, "r100"},
        {NextHand{}, "i"},
        {PlayCard{7}, "p07"},
        {PlayCard{22}, "p22"},
    });
}

TEST(Catalogue, ServerToLobbyAndHost) {
    checkRows<HostDownMessage>({
        {TableEntry{"Kitchen", "17", {"Maud", "Computer", "Bea", "Computer"}},
         "G07Kitchen021704Maud08Computer03Bea08Computer"},
        {TableCreated{}, "H"},
        {KeyRefused{}, "N"},
        {Notice{}, "U"},
        {SeatListRequest{}, "q"},
        {SeatLost{3}, "k3"},
        {TakeSeatWithId{1, "Bea", "42"}, "s103Bea0242"},
        {ChatLine{1, "gg"}, "c102gg"},
        {PlayerBid{3, Bid::of(30)}, "b330"},
        {NameTrump{0}, "t0"},
        {Discards{0, {0, 4}}, "r0040004"},
        {NextHand{}, "i"},
        {PlayCard{19}, "p19"},
    });
}

TEST(Catalogue, HostToSeatedPlayer) {
    std::vector<int> deal;
    for (int i = 0; i < 23; ++i)
        deal.push_back(51 - i * 2);
    const std::string dealText = "51494745434139373533312927252321191715131109070503";
    checkRows<PlayerDownMessage>({
        {SeatName{1, "`Gus"}, "P104`Gus"},
        {Cards{deal}, "C046" + dealText.substr(0, 46)},
        {WaitNextHand{}, "I"},
        {YourBid{3, 20}, "B320"},
        {YourBid{0, 0}, "B000"},
        {BidMade{2, Bid::passed()}, "S2Pa"},
        {BidMade{1, Bid::of(25)}, "S125"},
        {ChooseTrump{}, "T"},
        {DiscardPhase{{20, 21}, 3, 25, 1}, "D0420213251"},
        {Draw{}, "R"},
        {YourTurn{2}, "W2"},
        {CardPlayed{12}, "F12"},
        {TrickWon{3}, "X3"},
        {HandEnd{true, 25, 40, -15}, "E+2520400015"},
        {HandEnd{false, 30, -25, 0}, "E-3000251000"},
        {HandEnd{true, 20, 120, 5}, "E+2021202005"},
        {ChatShow{"Maud: hello"}, "M11Maud: hello"},
        {Misdeal{}, "N"},
        {JoinAccepted{}, "Y"},
        {HostGone{}, "K"},
    });
}

// Each field at its edges: the largest value and the longest text round-trip; one past is
// clamped or cut to what the field and its length prefix can carry.
TEST(Catalogue, FieldsAtTheirEdges) {
    const auto text = [](std::size_t n) { return std::string(n, 'x'); };
    const auto pairs = [](std::size_t n) {
        std::string out;
        for (std::size_t i = 0; i < n; ++i)
            out += "03";
        return out;
    };
    checkRows<PlayerDownMessage>({
        {ChatShow{text(99)}, "M99" + text(99)},
        {YourBid{3, 99}, "B399"},
        {Cards{std::vector<int>(499, 3)}, "C998" + pairs(499)},
        {CardPlayed{23}, "F23"},
        {DiscardPhase{std::vector<int>(49, 3), 3, 30, 3}, "D98" + pairs(49) + "3303"},
    });
    checkRows<PlayerUpMessage>({{PlayCard{23}, "p23"}, {Discards{3, {23, 0}}, "r3042300"}});
    struct Cut {
        std::string bytes;
        std::string expected;
    };
    for (const Cut& c : std::vector<Cut>{
             {encode(ChatShow{text(150)}), "M99" + text(99)},
             {encode(YourBid{0, 100}), "B099"},
             {encode(YourBid{0, -5}), "B000"},
             {encode(Discards{1, std::vector<int>(50, 3)}), "r198" + pairs(49)},
             {encode(JoinTable{"a-much-longer-key", 1, 1, "B"}), "La-much-l01101B"},
             {encode(CreateTable{"k", text(150), "192.168.1.20", "Maud"}).substr(9, 2), "99"}})
        EXPECT_EQ(c.bytes, c.expected);
    // A long card list keeps the length its three digits can say.
    const std::string deck = encode(Cards{std::vector<int>(600, 3)});
    EXPECT_EQ(deck.substr(0, 4), "C999");
    EXPECT_EQ(deck.size(), 4u + 999u);
}

TEST(Catalogue, HostPrefixesASeatDigitAndTheServerAddsThePlayerId) {
    EXPECT_EQ(addressedTo(2, encode(CardPlayed{5})), "2F05");
    EXPECT_EQ(withPlayerId(encode(TakeSeat{2, "Bea"}), "1234"), "s203Bea041234");
    // A broadcast repeats the message for each linked seat.
    struct Case {
        std::array<bool, 4> linked;
        std::string bytes;
    };
    const std::string card = encode(CardPlayed{12});
    for (const Case& c : std::vector<Case>{{{true, false, true, false}, "0F122F12"},
                                           {{true, true, true, true}, "0F121F122F123F12"},
                                           {{true, false, false, false}, "0F12"},
                                           {{false, false, false, false}, ""}})
        EXPECT_EQ(toLinkedSeats(c.linked, card), c.bytes);
}

TEST(Catalogue, AShortKeySentWholeIsStillRead) {
    // A client that sends a key shorter than eight characters without padding.
    struct Case {
        std::string bytes;
        std::string key;
    };
    for (const Case& c : std::vector<Case>{{"Habc16Kitchen/10.0.0.704Maud", "abc"},
                                           {"H16Kitchen/10.0.0.704Maud", ""},
                                           {"Hsecret1216Kitchen/10.0.0.704Maud", "secret12"}}) {
        HostUpDecoder decoder;
        decoder.feed(c.bytes);
        auto decoded = decoder.next();
        ASSERT_TRUE(decoded.has_value()) << c.bytes << ": " << decoder.error();
        EXPECT_EQ(std::get<CreateTable>(decoded->message),
                  (CreateTable{c.key, "Kitchen", "10.0.0.7", "Maud"}));
    }
    PlayerUpDecoder join;
    join.feed("Lxy02003Bea");
    auto decoded = join.next();
    ASSERT_TRUE(decoded.has_value()) << join.error();
    EXPECT_EQ(std::get<JoinTable>(decoded->message), (JoinTable{"xy", 2, 0, "Bea"}));
}

} // namespace
} // namespace corvane::protocol
