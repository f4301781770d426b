#include "table/glide.h"

#include <cmath>
#include <cstdlib>

namespace corvane {

namespace {
int stepTowards(int value, int target) {
    if (value > target)
        return value - std::min(GlideStep, value - target);
    if (value < target)
        return value + std::min(GlideStep, target - value);
    return value;
}
} // namespace

std::vector<Point> glidePath(Point from, Point home) {
    std::vector<Point> path;
    Point p = from;
    while (!(p == home)) {
        p = {stepTowards(p.left, home.left), stepTowards(p.top, home.top)};
        path.push_back(p);
    }
    if (path.empty())
        path.push_back(home);
    return path;
}

std::vector<Point> spiralPath(int seat, Point start) {
    const int kx = (seat == 0 || seat == 2) ? 1 : -1;
    const int ky = (seat == 1 || seat == 2) ? 1 : -1;
    std::vector<Point> path;
    path.reserve(472);
    double r = 0;
    for (int step = 0; step < 472; ++step) {
        const double t = step * 0.02;
        path.push_back({start.left + static_cast<int>(std::lround(kx * r * std::sin(t))),
                        start.top + static_cast<int>(std::lround(ky * r * std::cos(t)))});
        r += 15;
    }
    return path;
}

} // namespace corvane
