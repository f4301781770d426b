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

namespace {
constexpr int SpiralSteps = 472; // the angle runs from 0 to 9.42 in steps of 0.02
Point spiralPoint(int seat, Point start, int step) {
    const int kx = (seat == 0 || seat == 2) ? 1 : -1;
    const int ky = (seat == 1 || seat == 2) ? 1 : -1;
    const double t = step * 0.02;
    const double r = 15.0 * step;
    return {start.left + static_cast<int>(std::lround(kx * r * std::sin(t))),
            start.top + static_cast<int>(std::lround(ky * r * std::cos(t)))};
}
} // namespace

std::vector<Point> spiralPath(int seat, Point start) {
    std::vector<Point> path;
    path.reserve(SpiralSteps);
    for (int step = 0; step < SpiralSteps; ++step)
        path.push_back(spiralPoint(seat, start, step));
    return path;
}

Point spiralEnd(int seat, Point start) {
    return spiralPoint(seat, start, SpiralSteps - 1);
}

} // namespace corvane
