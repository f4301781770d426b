// The names at a table: the free-seat mark of "P" (in the answers to "q" a seat that no person
// holds shows its computer's name behind a grave accent, so that a joining player can tell it
// from a person), and a user or table name as it may be shown.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace corvane::protocol {

inline constexpr char FreeSeatMark = '`';

inline std::string freeSeatName(std::string_view name) {
    return FreeSeatMark + std::string(name);
}

inline bool marksFreeSeat(std::string_view name) {
    return !name.empty() && name.front() == FreeSeatMark;
}

inline std::string_view withoutFreeSeatMark(std::string_view name) {
    return marksFreeSeat(name) ? name.substr(1) : name;
}

// In the table list ("G") a seat that a computer holds, and a person may take, is named
// "Computer...".
inline bool listsFreeSeat(std::string_view occupant) {
    return occupant.starts_with("Computer");
}

// A name without the spaces and control characters around it; empty when nothing visible is
// left, which is no name at all.
inline std::string visibleName(std::string_view name) {
    const auto visible = [](char c) { return static_cast<unsigned char>(c) > ' ' && c != '\x7f'; };
    const auto first = std::find_if(name.begin(), name.end(), visible);
    const auto last = std::find_if(name.rbegin(), name.rend(), visible).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace corvane::protocol
