// The lists sent to each peer address, so that the row of an "L" can be read in them. "L"
// carries no session token and several people may share one address (behind one router), each
// reading the list of their own list connection. A row is taken when every list still being
// read at that address (its connection open, sent lately) that reaches that row puts the same
// table there; with none open, the row is read in the last list sent to that address.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace corvane::lobby {

class ListMemory {
public:
    using Clock = std::chrono::steady_clock;
    // How long an open connection's list counts as one someone may still be reading.
    static constexpr std::chrono::seconds Recent{30};
    static constexpr std::size_t MaxListsPerAddress = 16;
    static constexpr std::size_t MaxAddresses = 65536;

    struct NoTable {
        friend bool operator==(const NoTable&, const NoTable&) = default;
    };
    struct Ambiguous {
        friend bool operator==(const Ambiguous&, const Ambiguous&) = default;
    };
    using Row = std::variant<std::uint64_t, NoTable, Ambiguous>;

    // A list sent on the list connection `peer`; it replaces that connection's last one.
    void remember(const std::string& address, std::uint64_t peer, std::vector<std::uint64_t> tables,
                  Clock::time_point now = Clock::now());
    // The list connection closed: its list is no longer being read.
    void closed(const std::string& address, std::uint64_t peer);
    // The table a row means for that address; with no list sent there, the row of `current`.
    Row resolve(const std::string& address, std::size_t row,
                const std::vector<std::uint64_t>& current, Clock::time_point now = Clock::now());

private:
    struct Sent {
        std::uint64_t peer = 0;
        Clock::time_point at;
        std::vector<std::uint64_t> tables;
        bool open = true;
    };

    std::unordered_map<std::string, std::deque<Sent>> m_lists;
};

} // namespace corvane::lobby
