// The free-seat mark of "P": in the answers to "q" a seat that no person holds shows its
// computer's name behind a grave accent, so that a joining player can tell it from a person.
#pragma once

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

} // namespace corvane::protocol
