#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <vector>

#include "document/spectrum_document.h"
#include "importers/import_dispatch.h"
#include "processing/fourier_dialog.h"
#include "processing/phase_dialog.h"
#include "processing/processing_commands.h"
#include "support/fake_processing_views.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"

namespace tesvar {
namespace {

const std::string kAspirin = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h";

// The shifts the spectrometer's own peak picking listed.
std::vector<double> listedShifts()
{
    std::ifstream in(kAspirin + "/pdata/1/peaklist.xml");
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    std::vector<double> shifts;
    const std::regex peak("<Peak1D F1=\"([-0-9.]+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), peak);
         it != std::sregex_iterator(); ++it)
        shifts.push_back(std::stod((*it)[1]));
    return shifts;
}

// The real 1H FID of aspirin, recorded behind a digital filter, taken through the
// Fourier dialog (quadrature, zero-filled to 16384 points) and the phase dialog. The
// angles were found by scanning whole degrees for the smallest share of negative real
// parts (p0 over -180..180, p1 over -60..60, pivot at the largest line): 94 and -9.
// Without the removal of the filter's delay no pair of angles within the dialog's
// range phases this spectrum (the best leaves 8% of its energy negative).
class AspirinSpectrum : public ::testing::Test {
protected:
    static constexpr int kPhase0 = 94;
    static constexpr int kPhase1 = -9;

    void SetUp() override
    {
        ASSERT_TRUE(importFile(*doc, FileType::BrukerX32, kAspirin + "/fid", ui, window));
        ASSERT_GT(doc->digitalFilterDelay, 0.0);

        test::FakeFourierView fourierView;
        FourierDialog fourier(*doc, ui, fourierView);
        fourier.open();
        ASSERT_TRUE(fourierView.isChecked(fourier_ids::Quadrature));
        ASSERT_FALSE(fourierView.isChecked(fourier_ids::Real));
        fourier.sizeChosen(8);  // 32768 values
        fourier.accept();

        undoSnapshot(*doc, true);  // as command 42 does
        test::FakePhaseView phaseView;
        PhaseDialog phase(*doc, window, phaseView);
        phase.open();
        phase.sliderMoved(0, kPhase0, 5);
        phase.sliderMoved(1, kPhase1, 5);
        phase.accept();

        n = doc->valueCount;
        points = n / 2;
        height = 0.0;
        for (int k = 0; k < points; ++k)
            height = std::max(height, re(k));
    }

    double re(int k) const { return doc->data[2 * k]; }
    double im(int k) const { return doc->data[2 * k + 1]; }
    // The unreferenced ppm reading of point k, as the scale reads it.
    double ppm(int k) const { return (1.0 - 2.0 * k / n) * doc->acq.sw / doc->acq.sf; }
    int pointAt(double unreferencedPpm) const
    {
        return static_cast<int>(std::lround((1.0 - unreferencedPpm * doc->acq.sf / doc->acq.sw) * n / 2));
    }
    // Points whose real part is the largest within 3 points either side and above
    // `fraction` of the tallest line.
    std::vector<int> lines(double fraction) const
    {
        std::vector<int> found;
        for (int k = 3; k < points - 3; ++k) {
            bool top = re(k) > fraction * height;
            for (int j = k - 3; top && j <= k + 3; ++j)
                top = j == k || re(j) < re(k);
            if (top)
                found.push_back(k);
        }
        return found;
    }

    std::unique_ptr<SpectrumDocument> doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    test::FakeWindow window;
    int n = 0, points = 0;
    double height = 0.0;
};

TEST_F(AspirinSpectrum, IsAbsorptiveWithSmallAngles)
{
    double negative = 0.0, total = 0.0;
    for (int k = 0; k < points; ++k) {
        total += re(k) * re(k);
        if (re(k) < 0)
            negative += re(k) * re(k);
    }
    EXPECT_LT(negative / total, 1e-4);

    // No line of a multiplet has a dispersive dip beside it.
    const auto strong = lines(0.03);
    ASSERT_GE(strong.size(), 10u);
    const int window = pointAt(0.0) - pointAt(0.05);  // 0.05 ppm in points
    for (int k : strong)
        for (int j = std::max(0, k - window); j < std::min(points, k + window); ++j)
            ASSERT_GT(re(j), -0.01 * re(k)) << "line at " << ppm(k) << ", point " << j;

    // The isolated methyl singlet: summed over its width, the dispersion cancels and the
    // complex sum points along the real axis.
    const int methyl = doc->maxAbsIndex / 2;
    std::complex<double> sum = 0.0;
    for (int j = -40; j <= 40; ++j)
        sum += std::complex<double>(re(methyl + j), im(methyl + j));
    EXPECT_LT(std::fabs(std::arg(sum)), 2.0 * M_PI / 180.0);
}

TEST_F(AspirinSpectrum, BaselineIsFlatBetweenTheLines)
{
    // Regions without lines, in unreferenced ppm (the scale reads about 0.48 high).
    for (auto [from, to] : {std::pair{10.0, 15.5}, std::pair{3.8, 6.3}, std::pair{0.6, 1.2}}) {
        double sum = 0.0, largest = 0.0;
        const int a = pointAt(to), b = pointAt(from);
        for (int k = a; k <= b; ++k) {
            sum += re(k);
            largest = std::max(largest, std::fabs(re(k)));
        }
        EXPECT_LT(largest, 1e-3 * height) << from << ".." << to;
        EXPECT_LT(std::fabs(sum / (b - a + 1)), 2e-4 * height) << from << ".." << to;
    }
}

TEST_F(AspirinSpectrum, LinesSitAtTheListedShiftsAfterReferencing)
{
    const auto listed = listedShifts();
    ASSERT_GE(listed.size(), 20u);
    // Reference the tallest line, the acetyl methyl, to the shift listed for it.
    const int methyl = doc->maxAbsIndex / 2;
    ASSERT_GT(re(methyl), 0.0);
    const double offset = 2.2937 - ppm(methyl);
    const auto strong = lines(0.03);
    ASSERT_GE(strong.size(), 10u);
    for (int k : strong) {
        const double shift = ppm(k) + offset;
        double nearest = 1e9;
        for (double s : listed)
            if (std::fabs(s - shift) < std::fabs(nearest - shift))
                nearest = s;
        EXPECT_LT(std::fabs(nearest - shift), 0.01) << "line at " << shift << " ppm";
    }
}

TEST_F(AspirinSpectrum, AutomaticPhaseMatchesThePhaseByHand)
{
    std::vector<double> byHand(points);
    for (int k = 0; k < points; ++k)
        byHand[k] = re(k);
    undoSnapshot(*doc, false);  // the spectrum as transformed, and its pivot
    doc->maxAbsValue = findMaxAbs(*doc);
    ASSERT_TRUE(applyAutoPhase(*doc, ui, window));
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (int k = 0; k < points; ++k) {
        sa += re(k), sb += byHand[k], saa += re(k) * re(k), sbb += byHand[k] * byHand[k];
        sab += re(k) * byHand[k];
    }
    const double correlation = (sab - sa * sb / points) /
                               std::sqrt((saa - sa * sa / points) * (sbb - sb * sb / points));
    EXPECT_GE(correlation, 0.999) << doc->phase0 << " " << doc->phase1;
}

}  // namespace
}  // namespace tesvar
