#include "processing/fft.h"

#include <cmath>
#include <utility>

namespace tesvar {

namespace {

bool isPowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

// Puts complex point k where its bit-reversed index j says, keeping a running reversed
// counter instead of reversing every index.
void bitReverse(double* d, int points)
{
    int j = 0;
    for (int k = 0; k < points; ++k) {
        if (j > k) {
            std::swap(d[2 * k], d[2 * j]);
            std::swap(d[2 * k + 1], d[2 * j + 1]);
        }
        int half = points / 2;
        while (half >= 1 && j >= half) {
            j -= half;
            half /= 2;
        }
        j += half;
    }
}

// Merges sub-transforms of length L into length 2L stage by stage. The twiddle factor
// advances by a trigonometric recurrence, so each stage evaluates sines only twice.
void butterflies(double* d, int points, int sign)
{
    for (int length = 2; length <= points; length *= 2) {
        const double theta = sign * 6.28318530717959 / length;
        const double s = std::sin(0.5 * theta);
        const double wpr = -2.0 * s * s;
        const double wpi = std::sin(theta);
        double wr = 1.0;
        double wi = 0.0;
        const int half = length / 2;
        for (int q = 0; q < half; ++q) {
            for (int g = 0; g < points; g += length) {
                double* a = d + 2 * (g + q);
                double* b = d + 2 * (g + q + half);
                const double tr = wr * b[0] - wi * b[1];
                const double ti = wr * b[1] + wi * b[0];
                b[0] = a[0] - tr;
                b[1] = a[1] - ti;
                a[0] += tr;
                a[1] += ti;
            }
            const double oldWr = wr;
            wr = wr * (1.0 + wpr) - wi * wpi;
            wi = wi * (1.0 + wpr) + oldWr * wpi;
        }
    }
}

}  // namespace

bool complexFft(std::span<double> data, int points, int sign)
{
    if (!isPowerOfTwo(points) || static_cast<std::size_t>(points) * 2 > data.size())
        return false;
    double* d = data.data();
    bitReverse(d, points);
    butterflies(d, points, sign);
    const int values = 2 * points;
    for (int i = 0; i < values; ++i)
        d[i] /= values;
    return true;
}

bool realFft(std::span<double> data, int values, int sign)
{
    if (!isPowerOfTwo(values) || values < 8 || static_cast<std::size_t>(values) > data.size())
        return false;
    double* d = data.data();
    const int half = values / 2;
    double theta = 3.141592653589793 / half;
    const double c1 = 0.5;
    double c2;
    if (sign == 1) {
        c2 = -0.5;
        complexFft(data, half, 1);
    } else {
        c2 = 0.5;
        theta = -theta;
    }
    const double s = std::sin(0.5 * theta);
    const double wpr = -2.0 * s * s;
    const double wpi = std::sin(theta);
    double wr = 1.0 + wpr;
    double wi = wpi;
    // Separates the transforms of the even and the odd samples, which the complex
    // transform computed together, into the half spectrum of the real signal.
    for (int j = 1; j < values / 4; ++j) {
        const int i1 = 2 * j, i2 = 2 * j + 1, i3 = values - 2 * j, i4 = values - 2 * j + 1;
        const double h1r = c1 * (d[i1] + d[i3]);
        const double h1i = c1 * (d[i2] - d[i4]);
        const double h2r = -c2 * (d[i2] + d[i4]);
        const double h2i = c2 * (d[i1] - d[i3]);
        d[i1] = h1r + wr * h2r - wi * h2i;
        d[i2] = h1i + wr * h2i + wi * h2r;
        d[i3] = h1r - wr * h2r + wi * h2i;
        d[i4] = -h1i + wr * h2i + wi * h2r;
        const double oldWr = wr;
        wr = wr * (1.0 + wpr) - wi * wpi;
        wi = wi * (1.0 + wpr) + oldWr * wpi;
    }
    const double h = d[0];
    if (sign == 1) {
        d[0] = h + d[1];
        d[1] = h - d[1];
    } else {
        d[0] = 0.5 * (h + d[1]);
        d[1] = 0.5 * (h - d[1]);
        complexFft(data, half, -1);
    }
    return true;
}

}  // namespace tesvar
