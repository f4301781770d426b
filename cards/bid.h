// A bid of the auction as a value: no bid yet, a pass, or 20, 25 or 30 points. The words a
// person reads and the record files keep are "Pass" and the number.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class Bid {
public:
    constexpr Bid() = default; // no bid yet
    static constexpr Bid pass() { return Bid(PassPoints); }
    static constexpr Bid of(int points) { return Bid(points); }
    // The bid dialog's buttons in order: 0 Pass, 1 "20", 2 "25", 3 "30".
    static constexpr Bid atLevel(int index) { return index == 0 ? pass() : of(15 + 5 * index); }

    constexpr bool made() const { return m_points != NoPoints; }
    constexpr bool isPass() const { return m_points == PassPoints; }
    // What the bid counts in the auction: 0 for a pass and for no bid.
    constexpr int points() const { return m_points > 0 ? m_points : 0; }
    constexpr int level() const { return points() == 0 ? 0 : (points() - 15) / 5; }
    friend constexpr bool operator==(Bid, Bid) = default;

    // "Pass", "20", ...; empty for no bid.
    std::string word() const {
        return !made() ? std::string() : isPass() ? "Pass" : std::to_string(m_points);
    }
    // The word read back; anything but a number is a pass, as the record files mean it.
    static Bid fromWord(std::string_view word) {
        int value = 0;
        for (char c : word) {
            if (c < '0' || c > '9')
                break;
            value = value * 10 + (c - '0');
        }
        return value == 0 ? pass() : of(value);
    }

private:
    static constexpr int NoPoints = -1;
    static constexpr int PassPoints = 0;
    explicit constexpr Bid(int points) : m_points(points) {}
    int m_points = NoPoints;
};

} // namespace corvane
