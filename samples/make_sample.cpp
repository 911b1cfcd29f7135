// Writes the sample spectrum shipped in samples/: a synthetic 400 MHz proton FID of a
// few decaying lines (an ethyl group's quartet and triplet and a methyl singlet) with a
// little noise, written by the application's own writer. The carrier sits in the middle
// of the window, so that the unreferenced axis, whose right edge is 0 ppm, reads the
// true shifts; the lines come out as positive absorption without phase correction.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <vector>

#include "document/native_file.h"

namespace {

struct Line {
    double ppm;
    double amplitude;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tesvar-make-sample OUTPUT.TVX\n");
        return 2;
    }
    const double sf = 400.13;         // MHz
    const double sw = 6009.6;         // Hz, about 15 ppm
    const double carrierPpm = sw / (2.0 * sf);  // the middle of the window
    const int points = 8192;          // complex points
    const double t2 = 0.35;           // s, decay of every line
    const double j = 7.1;             // Hz, the ethyl coupling

    std::vector<Line> lines;
    // CH2 quartet at 4.12 ppm (1:3:3:1), CH3 triplet at 1.26 ppm (1:2:1), CH3 singlet
    // at 2.05 ppm.
    for (int k = 0; k < 4; ++k) {
        static const double weight[] = {1, 3, 3, 1};
        lines.push_back({4.12 + (k - 1.5) * j / sf, 2.0 * weight[k] / 8.0});
    }
    for (int k = 0; k < 3; ++k) {
        static const double weight[] = {1, 2, 1};
        lines.push_back({1.26 + (k - 1) * j / sf, 3.0 * weight[k] / 4.0});
    }
    lines.push_back({2.05, 3.0});

    std::mt19937 random(1971);
    std::normal_distribution<double> noise(0.0, 0.004);
    std::vector<double> values(2 * points);
    const double dt = 1.0 / sw;
    for (int p = 0; p < points; ++p) {
        const double t = p * dt;
        double re = 0.0, im = 0.0;
        for (const Line& line : lines) {
            const double hz = (line.ppm - carrierPpm) * sf;
            const double decay = line.amplitude * std::exp(-t / t2);
            re += decay * std::cos(2.0 * std::numbers::pi * hz * t);
            im += decay * std::sin(2.0 * std::numbers::pi * hz * t);
        }
        // The transform's sign convention turns this phase into positive absorption.
        values[2 * p] = -1000.0 * (re + noise(random));
        values[2 * p + 1] = -1000.0 * (im + noise(random));
    }

    tesvar::AcquisitionParameters acq;
    acq.acqMode = 1;  // quadrature
    acq.sw = sw;
    acq.sf = sf;
    acq.td = 2 * points;
    acq.aq = acq.td / (2.0 * sw);
    if (!tesvar::writeNativeFile(argv[1], acq, values)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
