// libFuzzer target for the lobby's state machine: the input is a script of connections
// opening on the three ports from a few addresses, sending messages (well-formed ones built
// from the input, and raw bytes), and closing. After every step the lobby's own rules must
// hold, every closed connection must be forgotten, and nothing may be sent to a closed one
// (a closed connection's object is freed at once, so a later use is a sanitizer error).
#include "protocol/decoder.h"
#include "protocol/encode.h"
#include "server/event_log.h"
#include "server/lobby.h"
#include "tests/server/fake_peer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace {

using namespace corvane::protocol;
using corvane::lobby::Channel;
using corvane::lobby::Lobby;
using corvane::testing::FakePeer;

// Reads bytes of the script; past its end, zeros.
class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool done() const { return m_at >= m_size; }
    unsigned byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    int below(int n) { return static_cast<int>(byte() % static_cast<unsigned>(n)); }
    std::string text(int maxLength) {
        std::string out;
        const int length = below(maxLength + 1);
        for (int i = 0; i < length; ++i)
            out += static_cast<char>(byte());
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void fail(const std::string& why) {
    std::fprintf(stderr, "broken: %s\n", why.c_str());
    std::abort();
}

// A message for the connection's port, well formed, with fields from the script.
std::string message(Script& in, Channel channel) {
    switch (channel) {
    case Channel::List:
        return "Q";
    case Channel::Host:
        switch (in.below(4)) {
        case 0:
            return encode(CreateTable{in.text(3), in.text(6), "1.2.3.4", in.text(6)});
        case 1:
            return encode(SeatName{in.below(4), in.text(5)});
        case 2:
            return addressedTo(in.below(4), encode(CardPlayed{in.below(23)}));
        default:
            return addressedTo(in.below(4), encode(ChooseTrump{}));
        }
    case Channel::Player:
        switch (in.below(9)) {
        case 0:
            return encode(JoinTable{in.text(3), in.below(25), in.below(4), in.text(6)});
        case 1:
            return encode(HostSeatOpen{});
        case 2:
            return encode(TakeSeat{in.below(4), in.text(6)});
        case 3:
            return encode(ChatLine{in.below(4), in.text(10)});
        case 4:
            return encode(PlayerBid{in.below(4), Bid::of(15 + 5 * in.below(4))});
        case 5:
            return encode(NameTrump{in.below(4)});
        case 6:
            return encode(Discards{in.below(4), {in.below(23)}});
        case 7:
            return encode(NextHand{});
        default:
            return encode(PlayCard{in.below(23)});
        }
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    corvane::lobby::setLogEnabled(std::getenv("CORVANE_FUZZ_LOG") != nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const addresses[] = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
    Script in(data, size);
    Lobby lobby{std::nullopt, 3};
    std::map<std::uint64_t, std::unique_ptr<FakePeer>> peers;
    std::uint64_t nextId = 1;
    const auto settle = [&] {
        if (auto broken = corvane::testing::settle(lobby, peers))
            fail(*broken);
    };
    for (int step = 0; step < 400 && !in.done(); ++step) {
        // Two in eight open a connection, four send a message, one closes, one sends bytes.
        const int what = in.below(8);
        if (what < 2) {
            const auto channel = static_cast<Channel>(in.below(3));
            auto& peer = peers[nextId];
            peer = std::make_unique<FakePeer>(nextId++, channel, addresses[in.below(3)]);
            lobby.opened(*peer);
        } else if (!peers.empty()) {
            FakePeer& peer =
                *std::next(peers.begin(), in.below(static_cast<int>(peers.size())))->second;
            if (what == 6)
                peer.closing = true;
            else
                corvane::testing::arrive(lobby, peer,
                                         what < 6 ? message(in, peer.channel()) : in.text(12));
        }
        settle();
    }
    // Everyone leaves: nothing may be left behind.
    for (auto& [id, peer] : peers)
        peer->closing = true;
    settle();
    if (lobby.tableCount() != 0)
        fail("tables outlive every connection");
    return 0;
}
