// The host against a seat that misbehaves: a second "s", a borrowed name, a chat flood, and a
// well-framed message with a field out of range. Each is ignored or limited and the table goes
// on.
#include "host_fixture.h"

namespace corvane::testing {
namespace {

TEST_F(HostFixture, ASecondTakeSeatKeepsTheNameAndABorrowedNameIsMadeDistinct) {
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    channel.takeSent();
    arrive(encode(TakeSeatWithId{2, "Hosty", "9"}));
    EXPECT_EQ(t().lblPlayerName[2].caption, "Bob");
    EXPECT_EQ(channel.takeSent(), "");

    arrive(encode(TakeSeatWithId{3, "Hosty", "8"}));
    EXPECT_EQ(t().lblPlayerName[3].caption, "Hosty 2");
    arrive(encode(TakeSeatWithId{1, "Hosty", "7"}));
    EXPECT_EQ(t().lblPlayerName[1].caption, "Hosty 3");
    EXPECT_EQ(t().lblPlayerName[0].caption, "Hosty");
}

TEST_F(HostFixture, ChatFromOneSeatPassesABurstThenAFewLinesASecond) {
    host.setClock([this] { return clock.now(); });
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    channel.takeSent();
    const auto say = [&] {
        arrive(encode(ChatLine{2, "hi"}));
        std::string shown;
        for (const Addressed& a : sent())
            shown += std::to_string(a.seat) + std::get<ChatShow>(a.message).text + "|";
        return shown;
    };
    for (int i = 0; i < online::ChatLimit::Burst; ++i)
        EXPECT_EQ(say(), "0Bob: hi|2Bob: hi|") << "line " << i;
    const std::string told = std::string("2") + online::ChatLimit::DroppedMessage + "|";
    EXPECT_EQ(say(), told);
    EXPECT_EQ(say(), "");
    EXPECT_EQ(say(), "");
    // Another seat still speaks.
    arrive(encode(ChatLine{0, "go on"}));
    EXPECT_EQ(sent().size(), 2u);
    clock.advance(500);
    EXPECT_EQ(say(), "0Bob: hi|2Bob: hi|");
    EXPECT_EQ(say(), told);
}

TEST_F(HostFixture, AMessageWithAFieldOutOfRangeIsDroppedAndTheTableGoesOn) {
    arrive("i");
    ASSERT_EQ(t().gamePhase, PhaseBidding);
    const std::string before = snapshot();
    log.clear();
    // A suit 5, then a chat line from seat 7 split across two arrivals.
    arrive("t5c7");
    arrive("02hi");
    EXPECT_TRUE(host.hosting());
    EXPECT_TRUE(channel.isOpen());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(log.size(), 2u) << ::testing::PrintToString(log);
    // What follows is read as before.
    channel.takeSent();
    arrive(encode(TakeSeatWithId{2, "Bob", "9"}));
    EXPECT_TRUE(host.seatLinked(2));
}

} // namespace
} // namespace corvane::testing
