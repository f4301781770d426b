// The paths the window animates: the 120-twip glide of a dealt card and the spiral of a won game.
#include "table/glide.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace corvane {
namespace {

TEST(Glide, StepsOf120TwipsEndingAtHome) {
    const Point home = homePosition(12);
    const Point start = dealStart(3, home);
    const auto path = glidePath(start, home);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), home);
    Point previous = start;
    for (const Point& p : path) {
        EXPECT_LE(std::abs(p.left - previous.left), GlideStep);
        EXPECT_LE(std::abs(p.top - previous.top), GlideStep);
        previous = p;
    }
    EXPECT_EQ(path.size(), static_cast<size_t>((7080 - home.left) / GlideStep));
    // Off the grid, the last step is shorter, towards the right and down or the left and up.
    EXPECT_EQ(glidePath({0, 0}, {250, 0}), (std::vector<Point>{{120, 0}, {240, 0}, {250, 0}}));
    EXPECT_EQ(glidePath({250, 300}, {0, 0}), (std::vector<Point>{{130, 180}, {10, 60}, {0, 0}}));
    EXPECT_EQ(glidePath({5, 5}, {5, 5}).size(), 1u);
}

TEST(Spiral, OneAndAHalfTurnsOutwards) {
    const Point start{3720, 2960};
    const auto path = spiralPath(0, start);
    ASSERT_EQ(path.size(), 472u);
    EXPECT_EQ(path.front(), start);
    EXPECT_EQ(path.back(), spiralEnd(0, start));
    // At the last step the radius is 7065 twips: the card is far outside the table.
    const double dx = path.back().left - start.left;
    const double dy = path.back().top - start.top;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 7065.0, 1.0);
    // Its sideways offset changes sides every half turn: twice in one and a half turns.
    int halfTurns = 0, side = 0;
    for (const Point& p : path) {
        const int now = (p.left > start.left) - (p.left < start.left);
        halfTurns += side != 0 && now != 0 && now != side;
        side = now != 0 ? now : side;
    }
    EXPECT_EQ(halfTurns, 2);
}

} // namespace
} // namespace corvane
