#include <gtest/gtest.h>

#include <cmath>

#include "document/native_file.h"
#include "document/spectrum_document.h"

namespace tesvar {
namespace {

// The sample a new user opens first must be a proper spectrum: a quadrature FID that
// decays from a strong first point into noise.
TEST(Sample, TheShippedSpectrumOpensAsADecayingQuadratureFid)
{
    const auto read = readNativeFile(TESVAR_SAMPLES "/ethyl-acetate.TVX", kDataCapacity);
    ASSERT_EQ(read.status, NativeStatus::Ok);
    EXPECT_EQ(read.acq.td, 16384);
    EXPECT_DOUBLE_EQ(read.acq.sf, 400.13);
    EXPECT_DOUBLE_EQ(read.acq.sw, 6009.6);
    EXPECT_NE(read.acq.acqMode, 0);
    auto rms = [&](int from, int to) {
        double sum = 0.0;
        for (int i = from; i < to; ++i)
            sum += read.values[i] * read.values[i];
        return std::sqrt(sum / (to - from));
    };
    EXPECT_GT(rms(0, 512), 50.0 * rms(15872, 16384));
}

}  // namespace
}  // namespace tesvar
