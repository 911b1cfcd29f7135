#pragma once

// Reference transforms for the tests of complexFft and realFft, with their conventions
// (exponent sign, division by 2 x points, packed half spectrum of real samples): the
// radix-2 algorithm the program ran before it used FFTW, whose twiddles advance by a
// trigonometric recurrence. With `exact` every twiddle is computed from its own angle
// instead, which in long double stays accurate at any size.

#include <cmath>
#include <utility>

namespace tesvar::test {

template <typename T>
void radix2ComplexFft(T* d, int points, int sign, bool exact)
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
        const T theta = sign * (exact ? 6.283185307179586476925286766559L : 6.28318530717959) /
                        length;
        const T s = std::sin(0.5 * theta), wpr = -2.0 * s * s, wpi = std::sin(theta);
        T wr = 1.0, wi = 0.0;
        for (int q = 0; q < length / 2; ++q) {
            if (exact)
                wr = std::cos(theta * q), wi = std::sin(theta * q);
            for (int g = 0; g < points; g += length) {
                T* a = d + 2 * (g + q);
                T* b = d + 2 * (g + q + length / 2);
                const T tr = wr * b[0] - wi * b[1], ti = wr * b[1] + wi * b[0];
                b[0] = a[0] - tr;
                b[1] = a[1] - ti;
                a[0] += tr;
                a[1] += ti;
            }
            const T oldWr = wr;
            wr = wr * (1.0 + wpr) - wi * wpi;
            wi = wi * (1.0 + wpr) + oldWr * wpi;
        }
    }
    for (int i = 0; i < 2 * points; ++i)
        d[i] /= 2 * points;
}

// The real transform: the complex one on values/2 points, and the separation of the
// even and the odd samples' transforms.
template <typename T>
void radix2RealFft(T* d, int values, int sign, bool exact)
{
    const T c1 = 0.5, c2 = sign == 1 ? -0.5 : 0.5;
    const T theta = sign * (exact ? 3.141592653589793238462643383279L : 3.141592653589793) /
                    (values / 2);
    if (sign == 1)
        radix2ComplexFft(d, values / 2, 1, exact);
    const T s = std::sin(0.5 * theta), wpr = -2.0 * s * s, wpi = std::sin(theta);
    T wr = 1.0 + wpr, wi = wpi;
    for (int j = 1; j < values / 4; ++j) {
        if (exact)
            wr = std::cos(theta * j), wi = std::sin(theta * j);
        const int i1 = 2 * j, i2 = 2 * j + 1, i3 = values - 2 * j, i4 = values - 2 * j + 1;
        const T h1r = c1 * (d[i1] + d[i3]), h1i = c1 * (d[i2] - d[i4]);
        const T h2r = -c2 * (d[i2] + d[i4]), h2i = c2 * (d[i1] - d[i3]);
        d[i1] = h1r + wr * h2r - wi * h2i;
        d[i2] = h1i + wr * h2i + wi * h2r;
        d[i3] = h1r - wr * h2r + wi * h2i;
        d[i4] = -h1i + wr * h2i + wi * h2r;
        const T oldWr = wr;
        wr = wr * (1.0 + wpr) - wi * wpi;
        wi = wi * (1.0 + wpr) + oldWr * wpi;
    }
    const T h = d[0];
    d[0] = (sign == 1 ? 1.0 : 0.5) * (h + d[1]);
    d[1] = (sign == 1 ? 1.0 : 0.5) * (h - d[1]);
    if (sign == -1)
        radix2ComplexFft(d, values / 2, -1, exact);
}

}  // namespace tesvar::test
