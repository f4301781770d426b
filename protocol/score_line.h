// The score told to a person who sits down during a game. It travels as an ordinary chat line,
// so a peer that reads only the message catalogue shows it as a line of chat; this program's
// seat also sets its score labels from it. A person cannot forge it: every chat line a seat
// sends reaches the others behind its speaker's name and a colon.
#pragma once

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::protocol {

inline std::string scoreLine(int ours, int theirs) {
    return "The score is " + std::to_string(ours) + " for your side and " + std::to_string(theirs) +
           " for theirs.";
}

// {ours, theirs} when `text` is exactly a score line.
inline std::optional<std::array<int, 2>> readScoreLine(std::string_view text) {
    std::array<int, 2> score{};
    const auto number = [&](std::string_view before, int& out) {
        if (text.substr(0, before.size()) != before)
            return false;
        text.remove_prefix(before.size());
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
        if (ec != std::errc() || end == text.data())
            return false;
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        return true;
    };
    if (!number("The score is ", score[0]) || !number(" for your side and ", score[1]) ||
        text != " for theirs.")
        return std::nullopt;
    return score;
}

} // namespace corvane::protocol
