// The blocked ramps against the closed form at every point.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "processing/ramp_rotation.h"

namespace tesvar {
namespace {

TEST(Ramps, FollowTheClosedFormAndHitTheOriginExactly)
{
    const struct {
        int first, last;
        double origin, angle, step;
        bool realOnly;
    } cases[] = {
        {0, 40000, 0, 0.3, 2e-4, false},        // long range, origin at its start
        {100, 5000, 2077, -1.2, -3e-3, false},  // origin inside a block
        {0, 300, 150.5, 2.5, 0.05, true},       // origin between points, real parts only
        {10, 20, 500, 0.0, 0.1, false},         // origin beyond the range
    };
    for (const auto& c : cases) {
        std::vector<double> data(2 * static_cast<std::size_t>(c.last) + 2);
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = std::sin(0.37 * static_cast<double>(i)) + 0.5;
        const std::vector<double> before = data;
        rotateRamp(data, c.first, c.last, c.origin, c.angle, c.step, c.realOnly);
        for (int k = 0; k < c.last + 1; ++k) {
            const double a = c.angle + c.step * (k - c.origin);
            const bool inside = k >= c.first && k < c.last;
            const double re = before[2 * k], im = before[2 * k + 1];
            EXPECT_NEAR(data[2 * k], inside ? re * std::cos(a) - im * std::sin(a) : re, 1e-13)
                << k;
            EXPECT_NEAR(data[2 * k + 1],
                        inside && !c.realOnly ? re * std::sin(a) + im * std::cos(a) : im, 1e-13)
                << k;
            if (k == c.origin && inside) {
                EXPECT_EQ(data[2 * k], re * std::cos(c.angle) - im * std::sin(c.angle));
            }
        }
    }
    std::vector<double> values(1000, 2.0);
    scaleByExponentialRamp(values, 1, 999, -0.5, -1e-3);
    for (int j = 0; j < 1000; ++j)
        EXPECT_NEAR(values[j], j == 0 || j == 999 ? 2.0 : 2.0 * std::exp(-0.5 - 1e-3 * (j - 1)),
                    1e-15)
            << j;
}

}  // namespace
}  // namespace tesvar
