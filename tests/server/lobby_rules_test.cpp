// The lobby's rules in process, with no sockets: connections are fake peers, and each row is a
// script of what connections send, what each must have received, and who is closed. The real
// binary's sockets, limits and operator's commands are tested in the other files here.
#include "protocol/decoder.h"
#include "protocol/encode.h"
#include "server/event_log.h"
#include "server/lobby.h"
#include "tests/server/fake_peer.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace corvane::testing {
namespace {

using namespace corvane::protocol;
using lobby::Channel;

// A script's steps: "h1>BYTES" h1 sends, "h1<BYTES" h1 has received exactly that since its last
// check, "h1!" h1 closes, "h1#" the lobby has closed h1. A name is the channel's letter (l, h,
// p) and the connection's number, which is also its player id; "p3@10.0.0.2" comes from another
// address (127.0.0.1 without).
struct World {
    explicit World(std::optional<std::string> key = std::nullopt, unsigned maxTables = 4)
        : lobby(std::move(key), maxTables) {
        lobby::setLogEnabled(false);
    }

    FakePeer& peer(const std::string& name) {
        const auto at = name.find('@');
        const std::string key = name.substr(0, at);
        if (gone.contains(key))
            return *gone[key];
        auto& p = peers[key];
        if (!p) {
            const Channel channel = key[0] == 'l'   ? Channel::List
                                    : key[0] == 'h' ? Channel::Host
                                                    : Channel::Player;
            p = std::make_unique<FakePeer>(std::stoull(key.substr(1)), channel,
                                           at == std::string::npos ? "127.0.0.1"
                                                                   : name.substr(at + 1));
            lobby.opened(*p);
        }
        return *p;
    }

    void run(const std::vector<std::string>& steps) {
        for (const std::string& step : steps) {
            SCOPED_TRACE(step);
            const auto op = step.find_first_of("<>!#");
            ASSERT_NE(op, std::string::npos);
            const std::string name = step.substr(0, op);
            if (step[op] == '#') {
                EXPECT_TRUE(gone.contains(name));
                continue;
            }
            FakePeer& p = peer(name);
            if (step[op] == '>')
                arrive(lobby, p, step.substr(op + 1));
            else if (step[op] == '<')
                EXPECT_EQ(std::exchange(p.got, {}), step.substr(op + 1));
            else
                p.closing = true;
            const auto broken = settle(lobby, peers, &gone);
            EXPECT_FALSE(broken.has_value()) << *broken;
        }
    }

    lobby::Lobby lobby;
    std::map<std::string, std::unique_ptr<FakePeer>> peers;
    std::map<std::string, std::unique_ptr<FakePeer>> gone;
};

using Steps = std::vector<std::string>;

Steps operator+(Steps a, const Steps& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string names(const std::array<std::string, 4>& n) {
    std::string out;
    for (int s = 0; s < 4; ++s)
        out += encode(SeatName{s, n[static_cast<size_t>(s)]});
    return out;
}

std::string listRow(const std::string& table, int id, const std::array<std::string, 4>& seats) {
    return encode(TableEntry{table, std::to_string(id), seats});
}

// Host `h` (from `from`) creates `table` as `user`, and its own seat channel `seat` takes seat 0.
Steps hosted(const std::string& h, const std::string& seat, const std::string& table,
             const std::string& user) {
    const std::string id = seat.substr(1, seat.find('@') - 1);
    return {h + ">" + encode(CreateTable{"", table, "", user}), h + "<H",
            seat + ">Z" + encode(TakeSeat{0, user}),
            h + "<" + withPlayerId(encode(TakeSeat{0, user}), id)};
}

// `p` joins row `row` at `seat` as `name`, the host answering "q" with these names.
Steps joined(const std::string& h, const std::string& p, int row, int seat, const std::string& name,
             const std::string& answers) {
    return {p + ">" + encode(JoinTable{"", row, seat, name}),
            h + "<q",
            p + "<Y",
            h + ">" + answers,
            p + "<" + answers,
            p + ">" + encode(TakeSeat{seat, name}),
            h + "<" + withPlayerId(encode(TakeSeat{seat, name}), p.substr(1))};
}

// The seats a list shows for a table where only its host sits.
std::array<std::string, 4> alone(const std::string& host) {
    return {host, "Computer", "Computer", "Computer"};
}

const std::string bea1 = names({"Maud", "Bea", "`Gus", "`Flora"});
// Maud's Kitchen (h1, her seat p2), Bea at seat 1 (p3) and Cy at seat 2 (p5).
const Steps kitchen = hosted("h1", "p2", "Kitchen", "Maud") +
                      Steps{"l4>Q", "l4<" + listRow("Kitchen", 1, alone("Maud"))} +
                      joined("h1", "p3", 0, 1, "Bea", bea1);
const Steps withCy =
    kitchen + Steps{"l4>Q"} + joined("h1", "p5", 0, 2, "Cy", names({"Maud", "Bea", "Cy", "`F"}));

struct Row {
    const char* name;
    Steps steps;
};

const Row rows[] = {
    // An empty list is answered too, so that a lobby with no table waiting is told from one
    // that does not answer.
    {"ListsEachWaitingTableWithItsSeats",
     Steps{"l9>Q", "l9<U"} + hosted("h1", "p2", "Kitchen", "Maud") +
         hosted("h3", "p4", "Porch", "Gus") +
         Steps{"l5>Q",
               "l5<" + listRow("Kitchen", 1, alone("Maud")) + listRow("Porch", 2, alone("Gus"))}},
    // Names are listed without the spaces around them; one with nothing visible is refused.
    {"ABlankNameIsRefusedAndNamesAreTrimmed",
     Steps{"h1>" + encode(CreateTable{"", "Den", "", "   "}), "h1#",
           "h2>" + encode(CreateTable{"", "  ", "", " Maud "}), "h2<H", "l3>Q",
           "l3<" + listRow("Maud", 1, alone("Maud")), "p4>" + encode(JoinTable{"", 0, 1, " \t"}),
           "p4#"}},
    {"JoinRunsTheSeatListExchangeAndListsThePerson",
     kitchen +
         Steps{"l4>Q", "l4<" + listRow("Kitchen", 1, {"Maud", "Bea", "Computer", "Computer"})}},
    // A broadcast to the linked seats (and one to a computer seat, dropped), a message for one
    // seat, a deal split over two sends; every move of a person goes to the host.
    {"RelaysBroadcastsAndPlayersMoves",
     withCy + Steps{"h1>0S2Pa1S2Pa2S2Pa3S2Pa1B3202C0460102030405060708091011121314151",
                    "h1>617181920212223", "p2<S2Pa", "p3<S2PaB320",
                    "p5<S2PaC0460102030405060708091011121314151617181920212223", "h1>1T", "p3<T",
                    "p3>b1Pac105hellot3r1040506ip07", "h1<b1Pac105hellot3r1040506ip07", "p2>b0Pa",
                    "h1<b0Pa"}},
    {"APlayerSpeaksOnlyForItsOwnSeat", kitchen + Steps{"p3>b2Pac202hib1Pa", "h1<b1Pa"}},
    // "p" and "t" carry no seat digit: a card outside the sender's hand pictures, and a trump
    // from any seat but the one asked, are dropped; one answer per question.
    {"APlayerPlaysAndNamesTrumpOnlyForItsOwnSeat",
     withCy + Steps{"p3>p10p02p04p07", "h1<p07",      "p3>p20p05",       "h1<p05",
                    "p5>p09p15p10",    "h1<p10",      "p2>p05p04",       "h1<p04",
                    "h1>2T",           "p5<T",        "p3>b1Pat2c102hi", "h1<b1Pac102hi",
                    "p5>t3",           "h1<t3",       "p5>t0c202ok",     "h1<c202ok",
                    "h1>2T2D001202",   "p5<TD001202", "p5>t1c203end",    "h1<c203end"}},
    {"ATakenSeatIsRefusedWithTheSeatList",
     kitchen + Steps{"l4>Q", "p6>" + encode(JoinTable{"", 0, 1, "Cy"}),
                     "p6<" + names({"Maud", "Bea", "`Computer", "`Computer"}), "h1<",
                     "p6>" + encode(JoinTable{"", 0, 3, "Cy"}), "p6<Y", "h1<q"}},
    // Seat 0 is the host's, even before its own seat channel has come.
    {"NobodyJoinsTheHostsSeat",
     Steps{"h1>" + encode(CreateTable{"", "Kitchen", "", "Maud"}), "h1<H", "l4>Q",
           "p6>" + encode(JoinTable{"", 0, 0, "Cy"}),
           "p6<" + names({"Maud", "`Computer", "`Computer", "`Computer"}), "h1<"}},
    {"AJoinToARowThatNamesNoTableIsClosed",
     kitchen + Steps{"l4>Q", "p6>" + encode(JoinTable{"", 5, 1, "Cy"}), "p6#", "h1<"}},
    {"APlayersLossIsToldToTheHostAndFreesTheSeat",
     kitchen + Steps{"p3!", "h1<k1", "l4>Q", "l4<" + listRow("Kitchen", 1, alone("Maud"))}},
    {"TheHostsLossEndsTheTable",
     kitchen + hosted("h6", "p7", "Porch", "Gus") +
         Steps{"h1!", "p3<K", "p2<K", "l4>Q", "l4<" + listRow("Porch", 2, alone("Gus"))}},
    // Each seat channel is paired with the oldest table still waiting for its host's seat.
    {"TwoHostsFromOneAddressEachGetTheirOwnSeat",
     Steps{"h1>" + encode(CreateTable{"", "Kitchen", "", "Ann"}), "h1<H",
           "h2>" + encode(CreateTable{"", "Porch", "", "Bo"}), "h2<H",
           "p3>Z" + encode(TakeSeat{0, "Ann"}), "h1<s003Ann013", "p4>Z" + encode(TakeSeat{0, "Bo"}),
           "h2<s002Bo014", "h1>0W0", "h2>0W1", "p3<W0", "p4<W1"}},
    {"AHostSeatOpenedBeforeItsTableWaitsForIt",
     Steps{"p2>Z" + encode(TakeSeat{0, "Maud"}), "h1>" + encode(CreateTable{"", "K", "", "Maud"}),
           "h1<Hs004Maud012", "h1>0W0", "p2<W0"}},
    // A seat channel that asked for its host's seat is spoken for: its join is ignored, and the
    // seat it named stays free.
    {"AChannelWaitingForItsHostsSeatCannotJoinAnotherTable",
     kitchen + Steps{"l6@10.0.0.2>Q", "p7@10.0.0.2>Z" + encode(JoinTable{"", 0, 2, "Bo"}), "h1<",
                     "h8@10.0.0.2>" + encode(CreateTable{"", "Porch", "", "Bo"}), "h8<H",
                     "p7>" + encode(TakeSeat{0, "Bo"}), "h8<s002Bo017"}},
    // A channel that waited for a table and then found its host's seat free is bound once.
    {"AHostSeatIsBoundOnce",
     kitchen + Steps{"p6>Z", "p2!", "h1<k0", "p6>Z" + encode(TakeSeat{0, "Ann"}), "h1<s003Ann016",
                     "h7>" + encode(CreateTable{"", "Porch", "", "Bo"}), "h7<H",
                     "p6>" + encode(ChatLine{0, "hi"}), "h1<c002hi", "h7<"}},
    // Two people behind one address read the list apart: a row is taken where their lists
    // agree or only one reaches it, a join is closed where they differ, and a closed list no
    // longer counts.
    {"ARowIsTakenOnlyWhereTheListsBeingReadAgree",
     hosted("h1", "p2", "Kitchen", "Ann") + hosted("h3", "p4", "Porch", "Bo") +
         Steps{"l5>Q",
               "l5<" + listRow("Kitchen", 1, alone("Ann")) + listRow("Porch", 2, alone("Bo"))} +
         hosted("h6", "p7", "Shed", "Cy") +
         Steps{"l8>Q",
               "l8<" + listRow("Kitchen", 1, alone("Ann")) + listRow("Porch", 2, alone("Bo")) +
                   listRow("Shed", 3, alone("Cy")),
               "p9>" + encode(JoinTable{"", 1, 2, "Di"}), "p9<Y", "h3<q",
               "p10>" + encode(JoinTable{"", 2, 1, "Di"}), "p10<Y", "h6<q", "h1!", "p2<K", "l8>Q",
               "l8<" + listRow("Porch", 2, {"Bo", "Computer", "Di", "Computer"}) +
                   listRow("Shed", 3, {"Cy", "Di", "Computer", "Computer"}),
               "p11>" + encode(JoinTable{"", 0, 3, "Di"}), "p11#", "l5!", "l8>Q",
               "p12>" + encode(JoinTable{"", 0, 3, "Di"}), "p12<Y", "h3<q"}},
};

class LobbyRules : public ::testing::TestWithParam<Row> {};

TEST_P(LobbyRules, AsTheScriptSays) {
    World world;
    world.run(GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(Scripts, LobbyRules, ::testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LobbyRules, TheKeyIsCheckedForHostsAndPlayers) {
    World world(std::string("opensesa"));
    world.run({"h1>" + encode(CreateTable{"opensesa", "T", "", "Maud"}), "h1<H",
               "h2>" + encode(CreateTable{"wrong", "T", "", "Maud"}), "h2<N",
               "h3>" + encode(CreateTable{"", "T", "", "Maud"}), "h3<N", "l4>Q",
               "p5>" + encode(JoinTable{"nope", 0, 1, "Bea"}), "p5<N"});
}

// One table from each of 23 homes: the 21 newest homes are listed, in creation order.
TEST(LobbyRules, ListsAtMostTwentyOneTables) {
    World world;
    Steps steps;
    std::string listed;
    for (int i = 0; i < 23; ++i) {
        const std::string h = "h" + std::to_string(i + 1) + "@10.0.1." + std::to_string(i + 1);
        steps.push_back(h + ">" + encode(CreateTable{"", "T" + std::to_string(i), "", "H"}));
        if (i >= 2)
            listed += listRow("T" + std::to_string(i), i + 1, alone("H"));
    }
    world.run(steps + Steps{"l99>QQ", "l99<" + listed + listed});
}

// Three addresses hold 24 tables, older than a new one from a fourth: each home gets its share
// of the 21 rows, and the new table is listed.
TEST(LobbyRules, SquattersCannotHideANewTable) {
    World world(std::nullopt, 8);
    Steps steps;
    for (int i = 0; i < 24; ++i)
        steps.push_back("h" + std::to_string(i + 1) + "@127.0.3." + std::to_string(i % 3 + 1) +
                        ">" + encode(CreateTable{"", "Squat" + std::to_string(i), "", "x"}));
    world.run(steps + Steps{"h30@127.0.0.7>" + encode(CreateTable{"", "Fresh", "", "x"}), "l31>Q"});
    HostDownDecoder decoder;
    decoder.feed(world.peer("l31").got);
    std::vector<std::string> listed;
    while (auto row = decoder.next())
        listed.push_back(std::get<TableEntry>(row->message).name);
    ASSERT_EQ(listed.size(), 21u);
    EXPECT_EQ(listed.front(), "Squat0");
    EXPECT_EQ(listed.back(), "Fresh");
}

} // namespace
} // namespace corvane::testing
