#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "document/spectrum_document.h"
#include "support/fake_window.h"

namespace tesvar {
namespace {

std::unique_ptr<SpectrumDocument> makeDocument(int valueCount)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->valueCount = valueCount;
    doc->acq.td = valueCount;
    doc->acq.sw = 1000.0;
    doc->acq.sf = 400.0;
    for (int i = 0; i < valueCount; ++i)
        doc->data[i] = std::sin(0.1 * i);
    return doc;
}

TEST(FindMaxAbs, TiesGoToTheLaterRealElementWithItsSign)
{
    auto doc = makeDocument(8);
    doc->data.fill(0.0);
    doc->data[2] = 5.0;
    doc->data[6] = -5.0;
    EXPECT_EQ(findMaxAbs(*doc), -5.0);
    EXPECT_EQ(doc->maxAbsIndex, 6);

    doc->data[6] = 4.0;
    EXPECT_EQ(findMaxAbs(*doc), 5.0);
    EXPECT_EQ(doc->maxAbsIndex, 2);
}

TEST(FindMaxAbs, ImaginaryPartsNeverTakePart)
{
    auto doc = makeDocument(8);
    doc->data.fill(0.0);
    doc->data[0] = -1.0;
    doc->data[3] = 1000.0;
    doc->data[7] = -1000.0;
    EXPECT_EQ(findMaxAbs(*doc), -1.0);
    EXPECT_EQ(doc->maxAbsIndex, 0);
}

TEST(FindMaxAbs, OneValueOrNoneReturnsElementZero)
{
    auto doc = makeDocument(1);
    doc->data[0] = -3.0;
    doc->data[2] = 99.0;  // beyond valueCount
    doc->maxAbsIndex = 17;
    EXPECT_EQ(findMaxAbs(*doc), -3.0);
    EXPECT_EQ(doc->maxAbsIndex, 0);
    doc->valueCount = 0;
    EXPECT_EQ(findMaxAbs(*doc), -3.0);
}

TEST(FindMaxAbs, StaysWithinTheBufferWhateverTheCount)
{
    auto doc = makeDocument(16);
    doc->valueCount = kDataCapacity + 1000;
    doc->data[kDataCapacity - 2] = 1e9;
    EXPECT_EQ(findMaxAbs(*doc), 1e9);
    EXPECT_EQ(doc->maxAbsIndex, kDataCapacity - 2);
}

TEST(UndoSnapshot, TakeAndRestoreRoundTripDataAndMaximum)
{
    auto doc = makeDocument(64);
    doc->maxAbsValue = 0.75;
    EXPECT_EQ(undoSnapshot(*doc, true), 0.75);
    const std::vector<double> loaded(doc->data.begin(), doc->data.end());
    for (int i = 0; i < 64; ++i)
        doc->data[i] = -7.0;
    doc->maxAbsValue = 7.0;
    EXPECT_EQ(undoSnapshot(*doc, false), 0.75);
    EXPECT_TRUE(std::ranges::equal(doc->data, loaded));
}

TEST(UndoSnapshot, RestoreCopiesOnlyTheCurrentCount)
{
    auto doc = makeDocument(64);
    undoSnapshot(*doc, true);
    for (int i = 0; i < 128; ++i)
        doc->data[i] = 42.0;
    doc->valueCount = 32;  // a transform made the spectrum shorter
    undoSnapshot(*doc, false);
    EXPECT_EQ(doc->data[31], std::sin(0.1 * 31));
    EXPECT_EQ(doc->data[32], 42.0);
    EXPECT_EQ(doc->data[100], 42.0);
}

TEST(UpdateZoomFactor, IsAcquisitionTimeOverTheVisibleWidth)
{
    auto doc = makeDocument(64);
    doc->acq.aq = 2.0;
    doc->viewLeft = 0.5;
    doc->viewRight = 1.0;
    updateZoomFactor(*doc);
    EXPECT_DOUBLE_EQ(doc->zoomFactor, 4.0);
    // An empty window keeps the factor finite.
    doc->viewRight = 0.5;
    updateZoomFactor(*doc);
    EXPECT_DOUBLE_EQ(doc->zoomFactor, 4.0);
}

// Every field the reset owns is set to something else first, so a field the reset
// forgets shows up here.
TEST(ResetDocument, BringsEveryViewAndAnalysisFieldBackToItsStartState)
{
    auto doc = makeDocument(4096);
    test::FakeWindow window;
    doc->fileTitle = "ethyl.TVX";
    doc->acq.acqMode = 2;
    doc->acq.td = 4096;
    doc->acq.sw = 2048.0;
    doc->clientWidth = 1200;
    doc->clientHeight = 801;
    doc->documentLoaded = 0;
    doc->viewLeft = 0.3;
    doc->viewRight = 0.4;
    doc->zoomFactor = 9.0;
    doc->fullView = 0;
    doc->integralsShown = 1;
    doc->integrals.present = 1;
    doc->integrals.last = 7;
    doc->integrals.count = 8;
    doc->integrals.startNew = 0;
    doc->integrals.reference = 3;
    doc->integrals.referenceHydrogens = 6.0;
    doc->peaks.peakCount = 12;
    doc->peaks.regionCount = 2;
    doc->moveArmed = 1;
    doc->ppmOffset = 1.5;
    doc->hzOffset = 600.0;
    doc->referenceTime = 0.2;
    doc->unitChecks = {0, 1, 0, 0};
    doc->windowChoice = {0, 0, 1, 0, 0};
    doc->driftCorrection = 1;
    doc->quadrature = 0;
    doc->inverseTransform = 1;
    doc->displayUnits = DisplayUnits::Ppm;
    doc->referencePoint = 17;
    doc->measureJActive = 1;
    doc->jMarkerCount = 5;
    doc->jChainBreak = 1;
    doc->nothingToSave = 1;
    doc->verticalScale = 75.0 * 1.33;
    doc->verticalStep = 2.0;
    doc->integralScale = 3.0;
    doc->integralStep = 4.0;
    doc->data[10] = -9.5;

    resetDocument(*doc, window);

    EXPECT_EQ(window.enableCalls, 1);
    EXPECT_EQ(window.title, "Tesvar  ethyl.TVX");
    EXPECT_EQ(doc->realAcquisition, 1);
    EXPECT_EQ(doc->documentLoaded, 1);
    EXPECT_EQ(doc->valueCount, 4096);
    EXPECT_DOUBLE_EQ(doc->acq.aq, 1.0);
    EXPECT_EQ(doc->viewLeft, 0.0);
    EXPECT_EQ(doc->viewRight, 1.0);
    EXPECT_EQ(doc->zoomFactor, 1.0);
    EXPECT_EQ(doc->hasSpectrum, 1);
    EXPECT_EQ(doc->fullView, 1);
    EXPECT_EQ(doc->integralsShown, 0);
    EXPECT_EQ(doc->integrals.present, 0);
    EXPECT_EQ(doc->integralBaseY, 400);
    EXPECT_EQ(doc->baselineY, 400);
    EXPECT_EQ(doc->integrals.last, 0);
    EXPECT_EQ(doc->integrals.count, 8) << "the count is left; startNew empties the table";
    EXPECT_EQ(doc->integrals.startNew, 1);
    EXPECT_EQ(doc->integrals.reference, 0);
    EXPECT_EQ(doc->integrals.referenceHydrogens, 1.0);
    EXPECT_EQ(doc->peaks.peakCount, 0);
    EXPECT_EQ(doc->peaks.regionCount, 0);
    EXPECT_EQ(doc->moveArmed, 0);
    EXPECT_EQ(doc->ppmOffset, 0.0);
    EXPECT_EQ(doc->hzOffset, 0.0);
    EXPECT_EQ(doc->referenceTime, 0.0);
    EXPECT_EQ(doc->unitChecks, (std::array<std::int32_t, 4>{1, 0, 0, 0}));
    EXPECT_EQ(doc->windowChoice, (std::array<std::int32_t, 5>{1, 0, 0, 0, 0}));
    EXPECT_EQ(doc->driftCorrection, 0);
    EXPECT_EQ(doc->quadrature, 1);
    EXPECT_EQ(doc->inverseTransform, 0);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds);
    EXPECT_EQ(doc->maxAbsValue, -9.5);
    EXPECT_EQ(doc->maxAbsIndex, 10);
    EXPECT_EQ(doc->undo.maxAbsValue, -9.5);
    EXPECT_EQ(doc->undo.data[10], -9.5);
    EXPECT_EQ(doc->referencePoint, 4096);
    EXPECT_EQ(doc->measureJActive, 0);
    EXPECT_EQ(doc->jMarkerCount, 0);
    EXPECT_EQ(doc->jChainBreak, 0);
    EXPECT_EQ(doc->nothingToSave, 0);

    // The vertical scales carry over from one spectrum to the next.
    EXPECT_DOUBLE_EQ(doc->verticalScale, 75.0 * 1.33);
    EXPECT_EQ(doc->verticalStep, 2.0);
    EXPECT_EQ(doc->integralScale, 3.0);
    EXPECT_EQ(doc->integralStep, 4.0);
}

TEST(ResetDocument, QuadratureModesAreNotRealAcquisitions)
{
    auto doc = makeDocument(64);
    test::FakeWindow window;
    for (int mode : {0, 1, 2, 3}) {
        doc->acq.acqMode = static_cast<std::int16_t>(mode);
        resetDocument(*doc, window);
        EXPECT_EQ(doc->realAcquisition, (mode == 0 || mode == 2) ? 1 : 0) << mode;
    }
}

TEST(ResetDocument, KeepsAnOversizedCountWithinTheBuffer)
{
    auto doc = makeDocument(64);
    test::FakeWindow window;
    doc->acq.td = 1 << 24;
    resetDocument(*doc, window);
    EXPECT_EQ(doc->valueCount, kDataCapacity);
    EXPECT_EQ(doc->acq.td, kDataCapacity);
    EXPECT_DOUBLE_EQ(doc->acq.aq, kDataCapacity / 2000.0);
}

}  // namespace
}  // namespace tesvar
