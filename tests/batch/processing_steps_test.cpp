// The steps apodize, fourier, phase and baseline, run in process on a spectrum opened
// from a hand-written native file; the results are checked against the processing
// routines applied directly.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <complex>
#include <memory>
#include <sstream>
#include <vector>

#include "batch/batch_runner.h"
#include "batch/hand_written_native.h"
#include "core/importers/format_builders.h"
#include "document/spectrum_document.h"
#include "processing/fft.h"
#include "processing/baseline.h"
#include "processing/baseline_dialog.h"
#include "processing/fourier.h"
#include "processing/phase.h"
#include "document/plot_geometry.h"
#include "support/recording_canvas.h"
#include "support/test_files.h"

namespace tesvar::batch {
namespace {

using test::HandWrittenSpectrum;

// A quadrature FID of two decaying lines: 1024 values at SW 4096 Hz.
HandWrittenSpectrum twoLineFid()
{
    HandWrittenSpectrum s;
    s.td = 1024;
    s.aq = s.td / (2.0 * s.sw);
    s.values.resize(s.td);
    for (int k = 0; k < s.td / 2; ++k) {
        const double decay = std::exp(-k / 80.0);
        s.values[2 * k] = decay * (1000.0 * std::cos(0.4 * k) + 300.0 * std::cos(-1.1 * k));
        s.values[2 * k + 1] = decay * (1000.0 * std::sin(0.4 * k) + 300.0 * std::sin(-1.1 * k));
    }
    return s;
}

class ProcessingSteps : public ::testing::Test {
protected:
    ProcessingSteps() : doc(std::make_unique<SpectrumDocument>()) { doc->nothingToSave = 1; }

    int run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        args.insert(args.begin(), {"open", path});
        return runBatch(args, *doc, out, err);
    }
    std::vector<double> values() const
    {
        return {doc->data.begin(), doc->data.begin() + doc->valueCount};
    }

    test::TempDir dir;
    HandWrittenSpectrum fid = twoLineFid();
    std::string path = [this] {
        const std::string p = dir.file("fid.tvx");
        test::writeBytes(p, test::handWrittenNative(fid));
        return p;
    }();
    std::unique_ptr<SpectrumDocument> doc;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ProcessingSteps, FourierWithTheProposedOptionsIsTheQuadratureForwardTransform)
{
    ASSERT_EQ(run({"fourier"}), kExitOk) << err.str();
    std::vector<double> expected = fid.values;
    averageFirstPoint(expected, 1024);
    alternateSigns(expected, 1024);
    complexFft(expected, 512, 1);
    const auto got = values();
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_DOUBLE_EQ(got[i], expected[i]) << i;
    EXPECT_EQ(doc->inverseTransform, 1);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);
    EXPECT_EQ(err.str(), "");
}

TEST_F(ProcessingSteps, FourierOptionsAndSizeAreThoseOfTheDialog)
{
    ASSERT_EQ(run({"fourier", "size=2048", "quadrature=0", "fourier", "inverse=1"}), kExitOk)
        << err.str();
    EXPECT_EQ(doc->valueCount, 2048);
    EXPECT_EQ(doc->referencePoint, 2048);
    EXPECT_EQ(doc->inverseTransform, 0);  // the second run was the inverse
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds);
    // Zero filling, transform and inverse give back the FID over 2n followed by zeros,
    // up to what the inverse run's first-point averaging changes: half the difference
    // of two spectrum values (about 0.5) spread over 2n values.
    double largest = 0.0;
    for (int i = 1; i < 1024; ++i)
        largest = std::max(largest, std::fabs(doc->data[i] - fid.values[i] / (2.0 * 2048)));
    for (int i = 1024; i < 2047; ++i)
        largest = std::max(largest, std::fabs(doc->data[i]));
    EXPECT_LT(largest, 5e-4);  // the values themselves reach about 0.3
}

TEST_F(ProcessingSteps, FourierArgumentsAreChecked)
{
    for (const char* bad : {"size=1000", "size=64", "size=1048576", "real=2", "speed=1", "inverse"})
        EXPECT_EQ(run({"fourier", bad}), kExitUsage) << bad;
}

// 400,000 values, read whole and zero filled to the largest transform: each line lands
// on its own frequency (the axis reads SW / 2 at zero offset) within one point, SW / N.
TEST_F(ProcessingSteps, ALongFidIsReadWholeAndItsLinesLandOnTheirFrequencies)
{
    const double sw = 10000.0, offsets[] = {4100.9, 1500.25, -3210.7};  // Hz, ppm falling
    std::vector<std::int32_t> ints(400000);
    for (int k = 0; k < 200000; ++k) {
        std::complex<double> v;
        for (const double f : offsets)
            v += std::polar(1e6 * std::exp(-k / 20000.0), 2 * M_PI * f * k / sw);
        ints[2 * k] = static_cast<std::int32_t>(std::lround(v.real()));
        ints[2 * k + 1] = static_cast<std::int32_t>(std::lround(v.imag()));
    }
    test::writeBytes(dir.file("fid"), test::x32Ints(ints));
    const std::string acqus = test::acqusText(400000, sw, 400.0, 3);
    test::writeBytes(dir.file("acqus"), {acqus.begin(), acqus.end()});
    ASSERT_EQ(runBatch({"import", "x32", dir.file("fid"), "fourier", "size=524288", "peaks",
                        "24.99", "0.01", "2000", "report", "peaks", "json"}, *doc, out, err),
              kExitOk) << err.str();
    EXPECT_EQ(err.str(), "") << "no note of values left out";
    const QJsonArray peaks = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()))
                                 .object()["regions"][0]["peaks"].toArray();
    ASSERT_EQ(peaks.size(), 3) << out.str();
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(peaks[i]["hz"].toDouble(), sw / 2 + offsets[i], sw / 262144) << i;
}

// Reopened by a later run, a spectrum saved before or after its transform gives the same values.
TEST_F(ProcessingSteps, WhatASaveKeepsAReopeningGivesBack)
{
    HandWrittenSpectrum longFid = fid;
    longFid.td = 80000;
    longFid.values.resize(80000, 0.25);
    test::writeBytes(dir.file("long.tvx"), test::handWrittenNative(longFid));
    test::writeBytes(dir.file("fid"), test::varianFile(0, test::be32Values(
        {1000, 0, 600, 600, 0, 800, -500, 500, -600, 0, -300, -300, 0, -200, 100, -100})));
    const std::string procpar = test::procparText(299.9, 4000.0, 16, "\"y\"");
    test::writeBytes(dir.file("procpar"), {procpar.begin(), procpar.end()});
    const std::string aspirin = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid";
    const std::string saved = dir.file("saved.tvx");
    const std::string varian = dir.file("fid");
    // Each pair of runs gives the same values; Undo after a transform, too, gives back a
    // FID that transforms as the first time.
    for (const auto& [first, later] : std::vector<std::pair<std::vector<std::string>,
                                                             std::vector<std::string>>>{
             {{"open", path, "fourier", "size=4096", "save", saved}, {"open", saved}},
             {{"open", path, "fourier", "size=256", "save", saved}, {"open", saved}},
             {{"open", dir.file("long.tvx"), "fourier", "save", saved}, {"open", saved}},
             {{"import", "varian", varian, "save", saved, "fourier"}, {"open", saved, "fourier"}},
             {{"import", "x32", aspirin, "save", saved, "fourier"}, {"open", saved, "fourier"}},
             {{"import", "varian", varian, "fourier"},
              {"import", "varian", varian, "fourier", "undo", "fourier", "inverse=0",
               "quadrature=1"}}}) {
        std::vector<double> results[2];
        for (int run = 0; run < 2; ++run) {
            doc = std::make_unique<SpectrumDocument>();  // each run of the program starts afresh
            ASSERT_EQ(runBatch(run ? later : first, *doc, out, err), kExitOk) << err.str();
            results[run] = values();
        }
        EXPECT_EQ(results[0], results[1]) << ::testing::PrintToString(later);
    }
}

TEST_F(ProcessingSteps, EachApodizeStepAppliesTheWindowItNamesAndOnlyThatOne)
{
    ASSERT_EQ(run({"apodize", "sine2", "90", "apodize", "exp", "2"}), kExitOk) << err.str();
    for (int j : {0, 1, 500, 1023})
        EXPECT_NEAR(doc->data[j], fid.values[j] * std::exp(-M_PI * 2.0 * j / (2.0 * fid.sw)) *
                                      std::pow(std::cos(M_PI * j / 2048), 2), 1e-9)
            << j;
    EXPECT_EQ(doc->expLB, 2.0);
}

TEST_F(ProcessingSteps, ApodizeShowsTheDialogsMessages)
{
    EXPECT_EQ(run({"apodize", "lg", "2", "0.5"}), kExitOk);
    EXPECT_EQ(err.str(), "Error: LB must be negative for the Lorentzian/Gaussian function\n"
                         "Tesvar will use the negative of that value.\n");
    EXPECT_EQ(doc->lgLB, -2.0);

    EXPECT_EQ(run({"apodize", "lg", "-1", "1.5", "invert"}), kExitStepFailed);
    EXPECT_NE(err.str().find("Error: GB must be a number between 0 and 1\n"), std::string::npos);
    EXPECT_EQ(values(), fid.values) << "nothing applied, the later step not run";

    EXPECT_EQ(run({"apodize", "sine", "abc"}), kExitUsage);
    EXPECT_EQ(run({"apodize", "cosine", "1"}), kExitUsage);
}

TEST_F(ProcessingSteps, PhaseIsTheDialogsOkWithThoseSliderPositions)
{
    ASSERT_EQ(run({"fourier"}), kExitOk);
    const auto spectrum = values();
    const int pivot = doc->maxAbsIndex;
    ASSERT_EQ(run({"fourier", "phase", "30", "-45"}), kExitOk) << err.str();
    auto expected = spectrum;
    applyPhase(expected, 1024, pivot, 30, -45, true);
    const auto got = values();
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_NEAR(got[i], expected[i], 1e-9) << i;

    EXPECT_EQ(run({"phase", "181", "0"}), kExitUsage);
    EXPECT_EQ(run({"phase", "10"}), kExitUsage);
    EXPECT_EQ(run({"phase", "1.5", "0"}), kExitUsage);
}

TEST_F(ProcessingSteps, AutomaticPhaseAndSmoothBaselineAreTheirCommands)
{
    ASSERT_EQ(run({"fourier"}), kExitOk);
    auto expected = values();
    const int pivot = doc->maxAbsIndex;
    ASSERT_EQ(run({"fourier", "phase", "auto", "report", "params", "json"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\"phase1\":"), std::string::npos) << out.str();
    applyPhase(expected, 1024, pivot, doc->phase0, doc->phase1, true);
    const auto got = values();
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_NEAR(got[i], expected[i], 1e-9) << i;

    ASSERT_EQ(run({"fourier", "baseline", "smooth", "2"}), kExitOk) << err.str();
    EXPECT_EQ(doc->smoothBaselineStrength, 2.0);
    EXPECT_EQ(run({"baseline", "smooth", "7"}), kExitUsage);
    EXPECT_EQ(run({"baseline", "smooth", "x"}), kExitUsage);
    // Transformed back, the data are a FID again.
    EXPECT_EQ(run({"fourier", "fourier", "phase", "auto"}), kExitStepFailed);
    EXPECT_NE(err.str().find("Automatic Phase: These data are a FID: run the Fourier transform first.\n"),
              std::string::npos) << err.str();
}

TEST_F(ProcessingSteps, UndoAfterPhaseGoesBackToTheSpectrumBeforeIt)
{
    ASSERT_EQ(run({"fourier"}), kExitOk);
    const auto spectrum = values();
    ASSERT_EQ(run({"fourier", "phase", "90", "0", "undo"}), kExitOk) << err.str();
    EXPECT_EQ(values(), spectrum);
}

TEST_F(ProcessingSteps, AutomaticBaselineIsTheCommandsCorrection)
{
    ASSERT_EQ(run({"fourier"}), kExitOk);
    auto expected = values();
    autoBaseline(expected, 1024);
    ASSERT_EQ(run({"fourier", "baseline", "auto"}), kExitOk) << err.str();
    EXPECT_EQ(values(), expected);
}

TEST_F(ProcessingSteps, ManualBaselineAddsThePolynomialOfTheSliderPositions)
{
    fid.values.assign(1024, 0.0);
    fid.values[0] = 40.0;  // maxAbsValue 40: 5 steps per data unit, -100 .. 100
    test::writeBytes(path, test::handWrittenNative(fid));
    ASSERT_EQ(run({"baseline", "manual", "50", "0", "0", "0"}), kExitOk) << err.str();
    EXPECT_EQ(doc->data[0], 50.0);
    for (int i = 1; i < 1024; ++i)
        ASSERT_EQ(doc->data[i], 10.0) << i;

    EXPECT_EQ(run({"baseline", "manual", "101", "0", "0", "0"}), kExitStepFailed);
    EXPECT_NE(err.str().find("run from -100 to 100"), std::string::npos) << err.str();
    EXPECT_EQ(run({"baseline", "manual", "1", "2"}), kExitUsage);
    EXPECT_EQ(run({"baseline", "sideways"}), kExitUsage);

    // With the largest value negative, the curve laid on the drawn baseline removes it.
    fid.values.assign(1024, -10.0);
    fid.values[100] = -40.0;
    test::writeBytes(path, test::handWrittenNative(fid));
    ASSERT_EQ(run({"invert"}), kExitOk) << err.str();
    doc->clientWidth = 512;
    doc->baselineScale = 5.0;
    doc->baselineCoeff = {-50, 0, 0, 0};  // a correction of -10
    doc->baselineFirstDraw = 1;
    test::RecordingCanvas screen;
    drawBaselinePreview(*doc, screen);
    ASSERT_EQ(screen.lines().size(), 511u);
    for (const auto& op : screen.lines())
        ASSERT_EQ(op.y1, valueToY(*doc, doc->data[2]));  // on the trace's baseline
    ASSERT_EQ(run({"invert", "baseline", "manual", "-50", "0", "0", "0"}), kExitOk);
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(doc->data[i], i == 100 ? 30.0 : 0.0) << i;
}

}  // namespace
}  // namespace tesvar::batch
