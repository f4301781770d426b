// Fixed places on the table, in twips (15 twips to a pixel): the home of each card picture, the
// trick places, and where dealt and drawn cards start their glide.
#pragma once

#include <array>
#include <cstddef>

namespace corvane {

struct Point {
    int left = 0;
    int top = 0;
    bool operator==(const Point&) const = default;
};

inline constexpr int PictureCount = 24; // 0-19 hands, 20-22 kitty, 23 a fourth kitty place
inline constexpr int CardWidth = 1065;  // 71 pixels
inline constexpr int CardHeight = 1440; // 96 pixels
inline constexpr int HandSpacing = 240;
inline constexpr int LocalHandTop = 4920;
inline constexpr int MarkedCardTop = 4680; // a local card marked for discard is lifted
inline constexpr int GlideStep = 120;
inline constexpr int TableWidth = 8430;
inline constexpr int TableHeight = 6945;

// Home position of picture i as the window lays it out.
constexpr Point homePosition(int picture) {
    if (picture < 0 || picture >= PictureCount)
        return {};
    if (picture >= 20) // the kitty, fanned like a hand, and the place of a fourth kitty card
        return {360 + HandSpacing * (picture - 20), 4920};
    constexpr std::array<Point, 4> first{{{3240, 4920}, {360, 2640}, {3240, 240}, {6120, 2640}}};
    const Point start = first[static_cast<std::size_t>(picture / 5)];
    return {start.left + HandSpacing * (picture % 5), start.top};
}

// Where a seat's card lies in the trick.
constexpr Point trickPosition(int seat) {
    constexpr std::array<Point, 4> places{{{3720, 2960}, {3420, 2640}, {3720, 2320}, {4020, 2640}}};
    return places[static_cast<std::size_t>(seat & 3)];
}

// A dealt card starts on the dealer's side: one coordinate moves there, the other stays home.
constexpr Point dealStart(int dealer, Point home) {
    switch (dealer) {
    case 0:
        return {home.left, 4920};
    case 1:
        return {360, home.top};
    case 2:
        return {home.left, 240};
    default:
        return {7080, home.top};
    }
}

// A drawn card starts a little further out on the dealer's side, as far out as the grid allows
// with the whole card still on the table.
constexpr Point drawStart(int dealer, Point home) {
    constexpr int right = (TableWidth - CardWidth) / GlideStep * GlideStep;
    constexpr int bottom = (TableHeight - CardHeight) / GlideStep * GlideStep;
    switch (dealer) {
    case 0:
        return {home.left, bottom};
    case 1:
        return {0, home.top};
    case 2:
        return {home.left, 0};
    default:
        return {right, home.top};
    }
}

} // namespace corvane
