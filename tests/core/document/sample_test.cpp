#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "document/file_commands.h"
#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "processing/fourier_dialog.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"

namespace tesvar {
namespace {

constexpr const char* kSample = TESVAR_SAMPLES "/ethyl-acetate.TVX";

// The sample a new user opens first must be a proper spectrum: a quadrature FID that
// decays from a strong first point into noise.
TEST(Sample, TheShippedSpectrumOpensAsADecayingQuadratureFid)
{
    const auto read = readNativeFile(kSample, kDataCapacity);
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

// Transformed as the Fourier dialog proposes, the sample shows positive absorption with
// its tallest line, the methyl singlet, at its true shift on the unreferenced axis.
TEST(Sample, TransformsIntoPositiveLinesAtTheirTrueShifts)
{
    auto doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    test::FakeWindow window;
    doc->nothingToSave = 1;
    ui.chooseNext(std::string(kSample));
    openCommand(*doc, ui, window);
    ASSERT_EQ(doc->hasSpectrum, 1);
    runFourierTransform(*doc);
    EXPECT_GT(doc->maxAbsValue, 0.0);
    const double ppm = (doc->referencePoint - doc->maxAbsIndex) * doc->acq.sw /
                       doc->valueCount / doc->acq.sf;
    EXPECT_NEAR(ppm, 2.05, 0.01);
}

}  // namespace
}  // namespace tesvar
