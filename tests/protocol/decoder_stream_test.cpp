// Garbage that stops a connection's input, and a decoder fed without being drained. Every split
// of each direction's stream is the catalogue's (catalogue_test.cpp).
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
