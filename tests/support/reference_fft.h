#pragma once

// Reference transforms for the tests of complexFft and realFft, with their conventions
// (exponent sign, division by 2 x points, packed half spectrum of real samples).

#include <cmath>
#include <complex>
#include <utility>
#include <vector>

namespace tesvar::test {

// The radix-2 transform the program ran before it used FFTW: bit reversal, then
// butterflies whose twiddle advances by a trigonometric recurrence.
inline void radix2ComplexFft(double* d, int points, int sign)
{
    for (int k = 0, j = 0; k < points; ++k) {
        if (j > k) {
            std::swap(d[2 * k], d[2 * j]);
            std::swap(d[2 * k + 1], d[2 * j + 1]);
        }
        int half = points / 2;
        for (; half >= 1 && j >= half; half /= 2)
            j -= half;
        j += half;
    }
    for (int length = 2; length <= points; length *= 2) {
        const double theta = sign * 6.28318530717959 / length;
        const double s = std::sin(0.5 * theta), wpr = -2.0 * s * s, wpi = std::sin(theta);
        double wr = 1.0, wi = 0.0;
        for (int q = 0; q < length / 2; ++q) {
            for (int g = 0; g < points; g += length) {
                double* a = d + 2 * (g + q);
                double* b = d + 2 * (g + q + length / 2);
                const double tr = wr * b[0] - wi * b[1], ti = wr * b[1] + wi * b[0];
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
    for (int i = 0; i < 2 * points; ++i)
        d[i] /= 2 * points;
}

// Its real transform: the complex one on values/2 points, and the separation of the
// even and odd samples' transforms.
inline void radix2RealFft(double* d, int values, int sign)
{
    const double c1 = 0.5, c2 = sign == 1 ? -0.5 : 0.5;
    const double theta = sign * 3.141592653589793 / (values / 2);
    if (sign == 1)
        radix2ComplexFft(d, values / 2, 1);
    const double s = std::sin(0.5 * theta), wpr = -2.0 * s * s, wpi = std::sin(theta);
    double wr = 1.0 + wpr, wi = wpi;
    for (int j = 1; j < values / 4; ++j) {
        const int i1 = 2 * j, i2 = 2 * j + 1, i3 = values - 2 * j, i4 = values - 2 * j + 1;
        const double h1r = c1 * (d[i1] + d[i3]), h1i = c1 * (d[i2] - d[i4]);
        const double h2r = -c2 * (d[i2] + d[i4]), h2i = c2 * (d[i1] - d[i3]);
        d[i1] = h1r + wr * h2r - wi * h2i;
        d[i2] = h1i + wr * h2i + wi * h2r;
        d[i3] = h1r - wr * h2r + wi * h2i;
        d[i4] = -h1i + wr * h2i + wi * h2r;
        const double oldWr = wr;
        wr = wr * (1.0 + wpr) - wi * wpi;
        wi = wi * (1.0 + wpr) + oldWr * wpi;
    }
    const double h = d[0];
    d[0] = (sign == 1 ? 1.0 : 0.5) * (h + d[1]);
    d[1] = (sign == 1 ? 1.0 : 0.5) * (h - d[1]);
    if (sign == -1)
        radix2ComplexFft(d, values / 2, -1);
}

// Radix 2 in long double with every twiddle computed from its own angle, which stays
// accurate at any size: sum_k z_k exp(+sign 2 pi i m k / N), undivided.
inline std::vector<std::complex<long double>> exactDft(std::vector<std::complex<long double>> z,
                                                       int sign)
{
    const int n = static_cast<int>(z.size());
    for (int k = 0, j = 0; k < n; ++k) {
        if (j > k)
            std::swap(z[k], z[j]);
        int bit = n / 2;
        for (; bit >= 1 && (j & bit); bit /= 2)
            j ^= bit;
        j |= bit;
    }
    std::vector<std::complex<long double>> w(n / 2);
    for (int r = 0; r < n / 2; ++r)
        w[r] = std::polar(1.0L, sign * 6.283185307179586476925286766559L * r / n);
    for (int length = 2; length <= n; length *= 2)
        for (int g = 0; g < n; g += length)
            for (int q = 0; q < length / 2; ++q) {
                // Written out: the library's product checks for infinities each time.
                const auto a = w[q * (n / length)], b = z[g + q + length / 2];
                const std::complex<long double> t(a.real() * b.real() - a.imag() * b.imag(),
                                                  a.real() * b.imag() + a.imag() * b.real());
                z[g + q + length / 2] = z[g + q] - t;
                z[g + q] += t;
            }
    return z;
}

}  // namespace tesvar::test
