// The incremental decoders over streams: several messages in one arrival, every split of a
// stream into two arrivals, one byte at a time, and garbage that stops a connection's input.
#include "protocol/decoder.h"
#include "protocol/encode.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::protocol {
namespace {

template <class Message> std::vector<Message> drain(Decoder<Message>& decoder) {
    std::vector<Message> out;
    while (auto decoded = decoder.next())
        out.push_back(std::move(decoded->message));
    return out;
}

template <class Message> std::string concat(const std::vector<Message>& messages) {
    std::string out;
    for (const Message& m : messages)
        out += encode(m);
    return out;
}

// Feeds the stream as two arrivals cut at every position, then one byte at a time, and expects
// the same messages in the same order each time.
template <class Message> void checkEverySplit(const std::vector<Message>& messages) {
    const std::string stream = concat(messages);
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        Decoder<Message> decoder;
        ASSERT_TRUE(decoder.feed(std::string_view(stream).substr(0, cut)));
        std::vector<Message> got = drain(decoder);
        ASSERT_TRUE(decoder.feed(std::string_view(stream).substr(cut)));
        std::vector<Message> rest = drain(decoder);
        got.insert(got.end(), rest.begin(), rest.end());
        EXPECT_FALSE(decoder.failed()) << decoder.error();
        EXPECT_EQ(got, messages);
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

// Cut at 0 or at the end, the whole stream is one arrival; any other cut leaves a message
// partly read, to wait for the rest.
TEST(DecoderStream, EverySplitOfEachDirection) {
    std::vector<int> deal(23);
    for (int i = 0; i < 23; ++i)
        deal[static_cast<std::size_t>(i)] = i * 2;
    checkEverySplit<PlayerDownMessage>({
        SeatName{0, "Maud"},
        Cards{deal},
        BidMade{2, Bid::passed()},
        YourBid{3, 20},
        DiscardPhase{{3, 4}, 1, 25, 2},
        YourTurn{1},
        CardPlayed{7},
        TrickWon{1},
        HandEnd{false, 25, -25, 0},
        ChatShow{"Bea: 5s"},
        Misdeal{},
        JoinAccepted{},
        HostGone{},
    });
    checkEverySplit<HostUpMessage>({
        CreateTable{"key", "Nook", "127.0.0.1", "Maud"},
        Addressed{0, CardPlayed{12}},
        Addressed{1, CardPlayed{12}},
        Addressed{3, CardPlayed{12}},
        SeatName{0, "Maud"},
        SeatName{1, "`Computer"},
        Addressed{2, ChatShow{"x: y"}},
    });
    checkEverySplit<PlayerUpMessage>({
        JoinTable{"key", 1, 2, "Bea"},
        TakeSeat{2, "Bea"},
        PlayerBid{2, Bid::of(20)},
        NameTrump{1},
        Discards{2, {10, 13}},
        PlayCard{14},
        ChatLine{2, "well"},
        NextHand{},
    });
    checkEverySplit<HostDownMessage>({
        TableEntry{"Nook", "3", {"Maud", "Computer", "Computer", "Computer"}},
        TableCreated{},
        SeatListRequest{},
        TakeSeatWithId{2, "Bea", "9"},
        SeatLost{2},
        PlayCard{3},
    });
}

TEST(DecoderStream, GarbageStopsTheInputAfterTheGoodMessages) {
    struct Case {
        std::string name;
        std::string bytes;
        std::size_t goodBefore;
    };
    const std::vector<Case> cases{
        {"unknown code", "W2?", 1},
        {"seat out of range", "W2W7", 1},
        {"letter in a card", "F1x", 0},
        {"bid neither pass nor digits", "S1Px", 0},
        {"bad result sign", "E*2520400015", 0},
        {"bad score sign digit", "E+2530400015", 0},
        {"odd card list", "C003123", 0},
        {"deck value too high", "C0025299", 0},
        {"length not digits", "M1a", 0},
        {"control byte", std::string("X1\0", 3), 1},
        {"server code on a player channel", "YG", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerDownDecoder decoder;
        decoder.feed(c.bytes);
        EXPECT_EQ(drain(decoder).size(), c.goodBefore);
        EXPECT_TRUE(decoder.failed());
        EXPECT_FALSE(decoder.error().empty());
        EXPECT_EQ(decoder.buffered(), 0u);
        EXPECT_FALSE(decoder.feed("W1"));
        EXPECT_FALSE(decoder.next().has_value());
    }
}

// A value one past its field's range fails a decoder that does not skip such messages; a code
// that no message has fails even one that does.
TEST(DecoderStream, GarbageOnTheServersPorts) {
    enum class Port { List, Host, Player };
    struct Case {
        std::string name;
        Port port;
        std::string bytes;
        bool skips = false;
    };
    for (const Case& c : std::vector<Case>{{"list port wants Q only", Port::List, "QQx"},
                                           {"host seat digit 4", Port::Host, "4W1"},
                                           {"host seat digit 4, skipping", Port::Host, "4W1", true},
                                           {"host sends a player's move", Port::Host, "0p01"},
                                           {"player sends a host's message", Port::Player, "W1"},
                                           {"seat 4", Port::Player, "b4Pa"},
                                           {"suit 4", Port::Player, "t4"},
                                           {"card past the kitty", Port::Player, "p24"},
                                           {"picture past the kitty", Port::Player, "r20224"},
                                           {"odd picture list", Port::Player, "r203101"},
                                           {"odd list before digits", Port::Host, "0D031013251"}}) {
        SCOPED_TRACE(c.name);
        const auto check = [&](auto decoder, std::size_t good) {
            decoder.setSkipsFramedFaults(c.skips);
            decoder.feed(c.bytes);
            EXPECT_EQ(drain(decoder).size(), good);
            EXPECT_TRUE(decoder.failed());
        };
        if (c.port == Port::List)
            check(ListUpDecoder{}, 2);
        else if (c.port == Port::Player)
            check(PlayerUpDecoder{}, 0);
        else
            check(HostUpDecoder{}, 0);
    }
}

TEST(DecoderStream, FeedingWithoutDrainingIsCapped) {
    PlayerDownDecoder decoder;
    const std::string chunk(4096, 'R');
    bool accepted = true;
    for (int i = 0; i < 32 && accepted; ++i)
        accepted = decoder.feed(chunk);
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(decoder.failed());
    EXPECT_EQ(decoder.buffered(), 0u);
}

} // namespace
} // namespace corvane::protocol
