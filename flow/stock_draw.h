// Which stock card a thrown-away hand picture draws: one home for the tables that draw and the
// record reader that checks a draw.
#pragma once

namespace corvane {

// The deck places of the stock follow the 23 dealt cards. A standalone table hands the stock out
// from the left of the local seat, a host in picture order.
constexpr int standaloneStockPlace(int picture) {
    return 23 + (picture + 5) % 20;
}
constexpr int hostStockPlace(int picture) {
    return 23 + picture;
}

} // namespace corvane
