// The field formats of the lobby protocol: fixed-width decimal fields, length-prefixed text and
// bids, written into a string and read back from a byte range without ever reading past it.
#pragma once

#include "protocol/messages.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::protocol {

// Writers. Values that do not fit their field are clamped and texts cut to what their length
// prefix can describe: a longer text would push a third length digit into the stream and shift
// every later field for the reader.
void putDigits(std::string& out, int value, int width);
void putText2(std::string& out, std::string_view text);
void putText3(std::string& out, std::string_view text);
void putBid(std::string& out, const Bid& bid);
void putPairs(std::string& out, const std::vector<int>& values, int lengthWidth);
// The values of a list as two digits each, without the list's length.
void putPairList(std::string& out, std::span<const int> values);

// Reads the fields of one message from the front of a byte range. The first field that is
// short of bytes makes the read Incomplete; the first malformed byte makes it Bad. After either,
// every further read returns a default value, so a parse can run to its end and check once.
class FieldReader {
public:
    enum class State { Ok, Incomplete, Bad };

    explicit FieldReader(std::string_view input) : m_input(input) {}

    char code();
    std::string_view fixed(std::size_t width);
    int digits(std::size_t width);
    int digitInRange(int low, int high);
    int seat() { return digitInRange(0, 3); }
    int twoDigitsAtMost(int high);
    std::string_view text2() { return lengthPrefixed(2); }
    std::string_view text3() { return lengthPrefixed(3); }
    Bid bid();
    // A list of two-digit values, each at most `high`, from a length-prefixed text.
    std::vector<int> pairs(std::size_t lengthWidth, int high);

    void markBad() { setState(State::Bad); }
    State state() const { return m_state; }
    // A field held digits of the right width but a value out of its range: the message stays
    // framed, and the read goes on to find its end.
    bool outOfRange() const { return m_outOfRange; }
    bool ok() const { return m_state == State::Ok; }
    std::size_t consumed() const { return m_pos; }
    std::size_t remaining() const { return m_input.size() - m_pos; }

private:
    std::string_view lengthPrefixed(std::size_t lengthWidth);
    // The next `width` bytes if they are all there; otherwise marks Incomplete.
    bool take(std::size_t width, std::string_view& out);
    // Checks that the bytes that have arrived of the next `width` are decimal digits.
    bool availableAreDigits(std::size_t width);
    void setState(State state);

    std::string_view m_input;
    std::size_t m_pos = 0;
    State m_state = State::Ok;
    bool m_outOfRange = false;
};

// Largest card-picture index: five per seat, then a kitty of up to four.
inline constexpr int kMaxPicture = 23;
// Largest deck value in a card list.
inline constexpr int kMaxDeckValue = 51;

} // namespace corvane::protocol
