#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "processing/fft.h"
#include "processing/fourier.h"
#include "processing/fourier_dialog.h"
#include "support/fake_processing_views.h"
#include "support/fake_ui.h"
#include "processing_fixture.h"

namespace tesvar {
namespace {

using test::FakeFourierView;
using test::FakeUi;
using test::makeLoadedDocument;

// --- The steps before the transform ---------------------------------------------------

TEST(FourierSteps, AlternationNegatesBothPartsOfEveryEvenPoint)
{
    std::vector<double> d = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    alternateSigns(d, 10);
    EXPECT_EQ(d, (std::vector<double>{-1, -2, 3, 4, -5, -6, 7, 8, -9, -10}));
}

TEST(FourierSteps, ConjugationNegatesEveryImaginaryPartInUse)
{
    std::vector<double> d = {1, 2, 3, 4, 5, 6};
    conjugateData(d, 5);
    EXPECT_EQ(d, (std::vector<double>{1, -2, 3, -4, 5, 6}));
}

TEST(FourierSteps, DriftCorrectionRemovesAConstantAddedToADecayedFid)
{
    const int n = 4096;
    std::vector<double> fid(n), shifted(n);
    for (int k = 0; k < n / 2; ++k) {
        const double decay = 1000.0 * std::exp(-k / 60.0);
        fid[2 * k] = decay * std::cos(0.3 * k);
        fid[2 * k + 1] = decay * std::sin(0.3 * k);
    }
    for (int i = 0; i < n; ++i)
        shifted[i] = fid[i] + 37.5;
    EXPECT_NEAR(correctDrift(shifted, n, n), 37.5, 1e-9);
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(shifted[i], fid[i], 1e-9) << i;

    // A FID without offset is left as it is.
    std::vector<double> clean = fid;
    EXPECT_NEAR(correctDrift(clean, n, n), 0.0, 1e-9);
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(clean[i], fid[i], 1e-9) << i;
}

// --- Runs of the transform on a document -----------------------------------------------

class FourierRun : public ::testing::Test {
protected:
    static constexpr int n = 256;
    std::unique_ptr<SpectrumDocument> doc = makeLoadedDocument(n);
};

TEST_F(FourierRun, ImpulseWithoutQuadratureGivesAFlatRealSpectrum)
{
    doc->data[0] = 1.0;
    doc->quadrature = 0;
    runFourierTransform(*doc);
    for (int k = 0; k < n / 2; ++k) {
        ASSERT_NEAR(doc->data[2 * k], 0.5 / n, 1e-17) << k;
        ASSERT_NEAR(doc->data[2 * k + 1], 0.0, 1e-17) << k;
    }
}

TEST_F(FourierRun, ImpulseWithQuadratureGivesTheNegatedFlatSpectrum)
{
    doc->data[0] = 1.0;
    runFourierTransform(*doc);
    for (int k = 0; k < n / 2; ++k) {
        ASSERT_NEAR(doc->data[2 * k], -0.5 / n, 1e-17) << k;
        ASSERT_NEAR(doc->data[2 * k + 1], 0.0, 1e-17) << k;
    }
}

TEST_F(FourierRun, FirstValueIsAveragedWithTheLastInBothDirections)
{
    for (int inverse : {0, 1}) {
        doc->data.fill(0.0);
        doc->data[0] = 2.0;
        doc->data[n - 1] = 6.0;
        doc->quadrature = 0;
        doc->inverseTransform = inverse;
        std::vector<double> expected(doc->data.begin(), doc->data.begin() + n);
        expected[0] = 4.0;
        complexFft(expected, n / 2, inverse ? -1 : 1);
        runFourierTransform(*doc);
        for (int i = 0; i < n; ++i)
            ASSERT_DOUBLE_EQ(doc->data[i], expected[i]) << "inverse " << inverse << " " << i;
    }
}

TEST_F(FourierRun, QuadratureCentresALineAndFrequencyFallsWithTheIndex)
{
    // A line 125 Hz above the carrier at SW 1000 Hz and N = 128 points lands at point
    // N/2 - f N / SW = 48, with the overall sign of the alternation.
    const int points = n / 2;
    const double f = 125.0;
    for (int k = 0; k < points; ++k) {
        doc->data[2 * k] = std::cos(2 * M_PI * f * k / doc->acq.sw);
        doc->data[2 * k + 1] = std::sin(2 * M_PI * f * k / doc->acq.sw);
    }
    doc->data[0] = 2.0 - doc->data[n - 1];  // the first-point averaging then gives 1
    runFourierTransform(*doc);
    EXPECT_EQ(doc->maxAbsIndex, 2 * 48);
    EXPECT_LT(doc->maxAbsValue, 0.0);
    EXPECT_NEAR(doc->maxAbsValue, -0.5, 1e-12);
}

TEST_F(FourierRun, ForwardSetsInverseAndPpmAndTheInverseRunClearsIt)
{
    doc->realAcquisition = 1;
    runFourierTransform(*doc);
    EXPECT_EQ(doc->transformSign, 1);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);
    EXPECT_EQ(doc->unitChecks, (std::array<std::int32_t, 4>{0, 1, 0, 0}));
    EXPECT_EQ(doc->inverseTransform, 1);
    EXPECT_EQ(doc->quadrature, 0);
    EXPECT_EQ(doc->realAcquisition, 0);

    doc->quadrature = 1;
    doc->realAcquisition = 1;
    runFourierTransform(*doc);
    EXPECT_EQ(doc->transformSign, -1);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds);
    EXPECT_EQ(doc->unitChecks, (std::array<std::int32_t, 4>{1, 0, 0, 0}));
    EXPECT_EQ(doc->inverseTransform, 0);
    EXPECT_EQ(doc->quadrature, 0);
    EXPECT_EQ(doc->realAcquisition, 1);
}

TEST_F(FourierRun, ConjugationIsConsumedOnlyByAComplexRun)
{
    doc->data[3] = 1.0;  // imaginary part of point 1
    doc->conjugateOnTransform = 1;
    doc->realAcquisition = 1;
    runFourierTransform(*doc);
    EXPECT_EQ(doc->conjugateOnTransform, 1);

    auto conjugated = makeLoadedDocument(n);
    auto plain = makeLoadedDocument(n);
    conjugated->data[3] = plain->data[3] = 1.0;
    conjugated->conjugateOnTransform = 1;
    plain->data[3] = -1.0;
    runFourierTransform(*conjugated);
    runFourierTransform(*plain);
    EXPECT_EQ(conjugated->conjugateOnTransform, 0);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(conjugated->data[i], plain->data[i]) << i;
}

TEST_F(FourierRun, RealRunPutsZeroFrequencyAndNyquistInTheFirstTwoValues)
{
    doc->realAcquisition = 1;
    doc->quadrature = 0;
    for (int k = 0; k < n; ++k)
        doc->data[k] = 3.0 + ((k % 2) ? -1.0 : 1.0);  // mean 3, alternating part 1
    doc->data[0] = 4.0 + (4.0 - doc->data[n - 1]);      // survives the averaging as 4
    runFourierTransform(*doc);
    EXPECT_NEAR(doc->data[0], 3.0, 1e-12);
    EXPECT_NEAR(doc->data[1], 1.0, 1e-12);
    for (int i = 2; i < n; ++i)
        ASSERT_NEAR(doc->data[i], 0.0, 1e-12) << i;
}

// --- Digital-filter delay ---------------------------------------------------------------

// Lines at whole multiples of SW / N, so that the FID is periodic in N and a delay by any
// fraction of a point is exact.
struct Line {
    int bin;  // offset in units of SW / N
    std::complex<double> amplitude;
};

void fillDelayedFid(SpectrumDocument& doc, const std::vector<Line>& lines, double delay)
{
    const int points = doc.valueCount / 2;
    for (int k = 0; k < points; ++k) {
        std::complex<double> v = 0;
        for (const Line& l : lines)
            v += l.amplitude * std::polar(1.0, 2 * M_PI * l.bin * (k - delay) / points);
        doc.data[2 * k] = v.real();
        doc.data[2 * k + 1] = v.imag();
    }
}

TEST(FilterDelay, ForwardTransformOfADelayedFidMatchesTheUndelayedOne)
{
    const int n = 1024;
    const std::vector<Line> lines = {{-200, 1.0}, {-37, 0.5}, {0, 0.25}, {90, 0.8}, {255, 0.3}};
    auto delayed = makeLoadedDocument(n);
    auto analogue = makeLoadedDocument(n);
    fillDelayedFid(*delayed, lines, 61.020833);
    fillDelayedFid(*analogue, lines, 0.0);
    delayed->digitalFilterDelay = 61.020833;

    auto transform = [](SpectrumDocument& d) {
        alternateSigns(d.data, d.valueCount);
        complexFft(d.data, d.valueCount / 2, 1);
        applyFilterDelay(d.data, d.valueCount / 2, d.digitalFilterDelay, 1,
                         SpectrumLayout::Centred);
    };
    transform(*delayed);
    transform(*analogue);
    for (int i = 0; i < n; ++i)
        ASSERT_NEAR(delayed->data[i], analogue->data[i], 1e-12) << i;
    // Every line is purely real (absorptive): nothing but the sign of the alternation.
    for (const Line& l : lines) {
        const int m = n / 4 - l.bin;
        EXPECT_NEAR(delayed->data[2 * m], -l.amplitude.real() / 2, 1e-12) << l.bin;
        EXPECT_NEAR(delayed->data[2 * m + 1], 0.0, 1e-12) << l.bin;
    }
}

TEST(FilterDelay, WithoutRemovalALineCarriesThePhaseOfTheDelay)
{
    const int n = 1024, points = n / 2;
    auto doc = makeLoadedDocument(n);
    fillDelayedFid(*doc, {{90, 1.0}}, 10.25);
    alternateSigns(doc->data, n);
    complexFft(doc->data, points, 1);
    const int m = points / 2 - 90;
    const std::complex<double> line(doc->data[2 * m], doc->data[2 * m + 1]);
    EXPECT_NEAR(std::arg(-line), std::remainder(-2 * M_PI * 90 * 10.25 / points, 2 * M_PI),
                1e-9);
}

TEST(FilterDelay, TheDialogRunRemovesItAndAnInverseRunPutsItBack)
{
    // The first-point averaging of each run disturbs every value by about 1/(2n) of one
    // FID value, far less than the delay's phase would.
    const int n = 2048;
    auto doc = makeLoadedDocument(n);
    fillDelayedFid(*doc, {{-300, 1.0}, {120, 0.6}}, 46.6458);
    doc->digitalFilterDelay = 46.6458;
    const std::vector<double> fid(doc->data.begin(), doc->data.begin() + n);

    runFourierTransform(*doc);
    for (int m : {n / 4 + 300, n / 4 - 120}) {
        EXPECT_LT(doc->data[2 * m], -0.25) << "line at point " << m;
        EXPECT_NEAR(doc->data[2 * m + 1], 0.0, 1e-3) << "line at point " << m;
    }
    EXPECT_DOUBLE_EQ(doc->digitalFilterDelay, 46.6458);

    // The inverse gives back the alternated FID as acquired, over 2n.
    runFourierTransform(*doc);
    for (int k = 1; k < n / 2; ++k) {
        const double sign = (k % 2 == 0) ? -1.0 : 1.0;
        ASSERT_NEAR(doc->data[2 * k], sign * fid[2 * k] / (2.0 * n), 1e-7) << k;
        ASSERT_NEAR(doc->data[2 * k + 1], sign * fid[2 * k + 1] / (2.0 * n), 1e-7) << k;
    }
}

// Lines on whole bins, each phased so that value 0 equals value n-1 (the first-point
// averaging then changes nothing), give a closed-form spectrum once the delay is gone:
// A/2 at -bin modulo N, or -A/2 at N/2 - bin with the alternation. "Real" keeps it.
TEST(FilterDelay, RemovedInTheLayoutOfTheOptionsOrKeptWithANote)
{
    const int n = 1024, points = n / 2;
    const double d = 61.020833;
    std::vector<Line> lines;
    for (int b : {-255, -37, 0, 90, 255})
        lines.push_back({b, std::polar(1.0, M_PI / 4 + 2 * M_PI * b * (d + 0.5) / points)});
    auto transform = [&](bool quadrature, bool real, double recorded, FakeUi& ui) {
        auto doc = makeLoadedDocument(n);
        fillDelayedFid(*doc, lines, d);
        doc->digitalFilterDelay = recorded;
        FakeFourierView view;
        FourierDialog dialog(*doc, ui, view);
        dialog.open();
        view.setChecked(fourier_ids::Quadrature, quadrature);
        view.setChecked(fourier_ids::Real, real);
        dialog.accept();
        return std::vector<double>(doc->data.begin(), doc->data.begin() + n);
    };
    for (const bool quadrature : {true, false}) {
        std::vector<double> expected(n);
        for (const Line& l : lines) {
            const int m = ((quadrature ? points / 2 : 0) - l.bin + points) % points;
            expected[2 * m] = (quadrature ? -0.5 : 0.5) * l.amplitude.real();
            expected[2 * m + 1] = (quadrature ? -0.5 : 0.5) * l.amplitude.imag();
        }
        FakeUi ui, quiet;
        const auto got = transform(quadrature, false, d, ui);
        for (int i = 0; i < n; ++i)
            ASSERT_NEAR(got[i], expected[i], 1e-12) << quadrature << " " << i;
        EXPECT_EQ(transform(quadrature, true, d, ui), transform(quadrature, true, 0, quiet));
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(quiet.messages.empty());
    }
}

TEST(FilterDelay, DataWithoutADelayAreLeftAsTheTransformMadeThem)
{
    std::vector<double> d = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto copy = d;
    applyFilterDelay(d, 4, 0.0, 1, SpectrumLayout::Centred);
    EXPECT_EQ(d, copy);
    applyFilterDelay(d, 4, std::nan(""), 1, SpectrumLayout::ZeroFirst);
    EXPECT_EQ(d, copy);
}

// --- The dialog -------------------------------------------------------------------------

class FourierDialogTest : public ::testing::Test {
protected:
    void openWith(int values)
    {
        doc = makeLoadedDocument(values);
        dialog = std::make_unique<FourierDialog>(*doc, ui, view);
        doc->hScrollMax = values;
        dialog->open();
    }
    std::unique_ptr<SpectrumDocument> doc;
    FakeUi ui;
    FakeFourierView view;
    std::unique_ptr<FourierDialog> dialog;
};

TEST_F(FourierDialogTest, OpeningShowsTheOptionsAndTheSizeList)
{
    openWith(1024);
    EXPECT_FALSE(view.isChecked(fourier_ids::Real));
    EXPECT_FALSE(view.isChecked(fourier_ids::DriftCorrection));
    EXPECT_TRUE(view.isChecked(fourier_ids::Quadrature));
    EXPECT_FALSE(view.isChecked(fourier_ids::Inverse));
    EXPECT_EQ(view.list, (std::vector<std::string>{"128", "256", "512", "1024", "2048", "4096",
                                                   "8192", "16384", "32768", "65536", "131072",
                                                   "262144", "524288"}));
    EXPECT_EQ(view.shownSize, 1024);
}

TEST_F(FourierDialogTest, OpeningRoundsTheSizeUpToAPowerOfTwo)
{
    openWith(1048576);
    EXPECT_EQ(doc->valueCount, 524288);
    EXPECT_EQ(view.shownSize, 524288);
    EXPECT_EQ(doc->acq.td, 1048576);

    openWith(100);
    EXPECT_EQ(doc->valueCount, 128);
    EXPECT_EQ(view.shownSize, 128);
    EXPECT_EQ(doc->acq.td, 128);

    openWith(262145);
    EXPECT_EQ(view.shownSize, 524288);
    EXPECT_EQ(doc->acq.td, 262145);

    openWith(32768);
    EXPECT_EQ(view.shownSize, 32768);
}

TEST_F(FourierDialogTest, CancelRestoresTheSizeFieldsAndLeavesTheData)
{
    doc = makeLoadedDocument(1000);
    for (int i = 0; i < 1000; ++i)
        doc->data[i] = i + 1.0;
    doc->hScrollMax = 1000;
    doc->data[2] = 555.0;
    FourierDialog d(*doc, ui, view);
    d.open();
    doc->undo.data[2] = 0.0;  // to see that the opening took the snapshot
    d.sizeChosen(9);
    d.sizeChosen(0);
    d.cancel();
    EXPECT_EQ(doc->valueCount, 1000);
    EXPECT_EQ(doc->acq.td, 1000);
    EXPECT_EQ(doc->referencePoint, 1000);
    EXPECT_EQ(doc->hScrollMax, 1000);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(doc->data[i], i == 2 ? 555.0 : i + 1.0) << i;

    auto again = makeLoadedDocument(1000);
    again->data[2] = 555.0;
    FourierDialog d2(*again, ui, view);
    d2.open();
    EXPECT_EQ(again->undo.data[2], 555.0);
}

TEST_F(FourierDialogTest, DoubleClickChoosesTheSizeAtOnce)
{
    openWith(4096);
    dialog->sizeChosen(3);
    EXPECT_EQ(doc->valueCount, 1024);
    EXPECT_EQ(doc->referencePoint, 1024);
    EXPECT_EQ(view.shownSize, 1024);
    EXPECT_TRUE(view.scrollRanges.empty());
    dialog->sizeChosen(13);  // no such entry
    EXPECT_EQ(doc->valueCount, 1024);
}

TEST_F(FourierDialogTest, ChoosingTheLargestSizeSetsTheScrollRangeAndReportsAFailure)
{
    openWith(4096);
    dialog->sizeChosen(12);
    EXPECT_EQ(doc->hScrollMax, 524287);
    EXPECT_EQ(view.scrollRanges, (std::vector<std::pair<int, int>>{{0, 524287}}));
    EXPECT_TRUE(ui.messages.empty());

    view.scrollRangeWorks = false;
    dialog->sizeChosen(12);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ERROR");
    EXPECT_EQ(ui.messages[0].caption, "");
    EXPECT_EQ(doc->valueCount, 524288);
}

TEST_F(FourierDialogTest, GrowingTheSizeZeroFillsInsteadOfShowingAnEarlierSpectrum)
{
    doc = makeLoadedDocument(1000);
    for (int i = 0; i < kDataCapacity; ++i)
        doc->data[i] = doc->undo.data[i] = 9.0;  // leftovers of a longer spectrum
    FourierDialog d(*doc, ui, view);
    d.open();  // 1000 -> 1024
    for (int i = 1000; i < 1024; ++i)
        ASSERT_EQ(doc->data[i], 0.0) << i;
    d.sizeChosen(4);  // 2048
    for (int i = 1000; i < 2048; ++i) {
        ASSERT_EQ(doc->data[i], 0.0) << i;
        ASSERT_EQ(doc->undo.data[i], 0.0) << i;  // Undo after the run: FID then zeros
    }
    EXPECT_EQ(doc->data[999], 9.0);
    EXPECT_EQ(doc->data[2048], 9.0);
}

TEST_F(FourierDialogTest, ShrinkingThenGrowingGivesBackTheValuesOfTheSpectrum)
{
    doc = makeLoadedDocument(4096);
    for (int i = 0; i < 4096; ++i)
        doc->data[i] = i;
    FourierDialog d(*doc, ui, view);
    d.open();
    d.sizeChosen(0);  // 128
    d.sizeChosen(5);  // 4096
    for (int i = 0; i < 4096; ++i)
        ASSERT_EQ(doc->data[i], i) << i;
}

TEST_F(FourierDialogTest, OkReadsTheOptionsTransformsAndProposesTheInverseNext)
{
    openWith(256);
    doc->data[0] = 1.0;
    view.setChecked(fourier_ids::Quadrature, false);
    view.setChecked(fourier_ids::DriftCorrection, true);
    dialog->accept();
    EXPECT_EQ(doc->driftCorrection, 1);
    EXPECT_EQ(doc->inverseTransform, 1);
    EXPECT_EQ(doc->quadrature, 0);

    FakeFourierView next;
    FourierDialog reopened(*doc, ui, next);
    reopened.open();
    EXPECT_TRUE(next.isChecked(fourier_ids::Inverse));
    EXPECT_TRUE(next.isChecked(fourier_ids::DriftCorrection));
    EXPECT_FALSE(next.isChecked(fourier_ids::Quadrature));
}

TEST_F(FourierDialogTest, DriftCorrectionMeasuresTheAcquiredValuesNotTheAddedZeros)
{
    // Nothing but an offset c on the 1024 acquired values, the size doubled, "Quadrature"
    // off: the correction leaves only value 0, (c + 0) / 2 - c after the averaging with
    // an added zero, so every real part of the spectrum is -c / 2 / 2048.
    openWith(1024);
    std::fill_n(doc->data.begin(), 1024, 37.5);
    dialog->sizeChosen(4);  // 2048
    view.setChecked(fourier_ids::Quadrature, false);
    view.setChecked(fourier_ids::DriftCorrection, true);
    dialog->accept();
    for (int i = 0; i < 2048; ++i)
        ASSERT_NEAR(doc->data[i], i % 2 ? 0.0 : -37.5 / 2 / 2048, 1e-12) << i;
}

TEST_F(FourierDialogTest, OkRecomputesTheLargestValue)
{
    openWith(256);
    doc->data[0] = 1.0;
    doc->maxAbsValue = 123.0;
    dialog->accept();
    EXPECT_NEAR(doc->maxAbsValue, -0.5 / 256, 1e-18);
    EXPECT_EQ(doc->maxAbsIndex, 254);  // ties go to the later element
}

}  // namespace
}  // namespace tesvar
