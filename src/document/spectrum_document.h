#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "document/acquisition.h"
#include "document/analysis_tables.h"
#include "platform/command_ids.h"

namespace tesvar {

class WindowPort;

// Room for 524,288 complex points, real and imaginary parts interleaved: 8 MiB of
// doubles. The document, its undo snapshot and the baseline buffer each hold this many,
// so the document is never put on the stack.
inline constexpr int kDataCapacity = 1048576;

enum class DisplayUnits : std::int32_t { Seconds = 1, Ppm = 2, Hertz = 3, Points = 4 };

enum class DragStyle : std::int32_t { HorizontalLine = 0, Rectangle = 1, VerticalLine = 2 };

struct PlotRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PlotRect&) const = default;
};

// One-level undo. It does not record valueCount: a restore copies as many doubles as
// valueCount holds at the time of the restore.
struct UndoSnapshot {
    std::array<double, kDataCapacity> data;
    double maxAbsValue = 0.0;
    // What the next transform owes the data, as it was for them: a FID given back by Undo
    // after its transform is conjugated and has its filter delay handled as the first time.
    std::int32_t conjugateOnTransform = 0;
    std::int32_t filterDelayLayout = 0;
    DataDomain domain = DataDomain::Unknown;
};

// The one spectrum the application holds, with everything the views, the processing
// dialogs and the analysis tools keep about it. About 28 MiB, most of it unused until a
// long spectrum arrives: the application keeps one instance of static storage, the runner
// and the tests make theirs on the heap. The large arrays (the data, the undo copy, the
// baseline, the peak table) have no initialisers, and a document on the heap comes
// zeroed from the system (calloc), so that a page is only mapped once it is written:
// `new SpectrumDocument` (std::make_unique_for_overwrite) starts all zero without
// touching them, `new SpectrumDocument()` zeroes them by hand.
struct SpectrumDocument {
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

    // Data and acquisition.
    std::array<double, kDataCapacity> data;  // element 2k real, 2k+1 imaginary
    std::int32_t valueCount = kDataCapacity;   // doubles in use
    AcquisitionParameters acq;
    std::int32_t realAcquisition = 0;
    std::int32_t conjugateOnTransform = 0;  // negate the imaginary parts once before the next transform
    // Group delay of a spectrometer's digital filter, in complex points, as the importer
    // found it; 0 for data without one. The forward transform removes its linear phase.
    double digitalFilterDelay = 0.0;
    // How the last forward transform laid out the spectrum it removed that delay from
    // (1 centred, 2 zero offset first), so that an inverse run puts it back the same way;
    // 0 when the data carry the delay as acquired.
    std::int32_t filterDelayLayout = 0;
    std::int32_t referencePoint = 0;        // element index of the frequency axis origin
    DataDomain domain = DataDomain::Unknown;
    double maxAbsValue = 0.0;
    std::int32_t maxAbsIndex = 0;
    UndoSnapshot undo;

    // View.
    double viewLeft = 0.0;  // the visible window in acquisition seconds, 0..acq.aq
    double viewRight = 0.0;
    double zoomFactor = 0.0;
    std::int32_t fullView = 1;
    double verticalScale = 75.0;  // carries over from one spectrum to the next
    double verticalStep = 1.33;
    double integralScale = 1.0;
    double integralStep = 1.33;
    std::int32_t baselineY = 0;
    std::int32_t integralBaseY = 0;
    std::int32_t integralsShown = 0;
    DisplayUnits displayUnits = DisplayUnits::Seconds;
    std::array<std::int32_t, 4> unitChecks{1, 0, 0, 0};  // Seconds, ppm, Hertz, Points
    std::int32_t hasSpectrum = 0;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    PlotRect plotRect;

    // Application flags and the current file.
    std::int32_t nothingToSave = 0;
    std::int32_t documentLoaded = 1;  // 0 while an import after a failed native open is pending
    std::int32_t pathPreset = 0;      // 1 from a file drop until the next open
    std::string filePath;
    std::string fileTitle;

    // Fourier transform options, remembered between runs.
    std::int32_t driftCorrection = 0;
    std::int32_t quadrature = 0;
    std::int32_t inverseTransform = 0;
    std::int32_t transformSign = 0;

    // Window functions: radio states (exponential, Gaussian, Lorentzian/Gaussian, sine
    // bell, sine squared) and the remembered values of the apodization dialog.
    std::array<std::int32_t, 5> windowChoice{1, 0, 0, 0, 0};
    double expLB = 0.0;
    double gaussLB = 0.0;
    double lgLB = 0.0;
    double lgGB = 0.0;
    double sineBellShift = 0.0;
    double sineSquaredShift = 0.0;

    // Phase correction in degrees: whole ones from the dialog's sliders, fractional from
    // the automatic phase.
    double phase0 = 0.0;
    double phase1 = 0.0;

    // Manual baseline: slider positions, steps per data unit, and the correction
    // polynomial evaluated at every value index.
    std::array<std::int32_t, 4> baselineCoeff{};
    double baselineScale = 1.0;
    std::array<double, kDataCapacity> baselineCorrection;
    std::int32_t baselineFirstDraw = 0;
    // The smooth baseline's strength, remembered between openings of its dialog (its
    // default is kDefaultBaselineStrength).
    double smoothBaselineStrength = 3.0;

    // Analysis.
    IntegralTable integrals;
    PeakTable peaks;
    double ppmOffset = 0.0;
    double hzOffset = 0.0;
    double referenceTime = 0.0;
    std::int32_t referenceIndex = 0;
    double referenceBase = 0.0;
    std::array<double, kMaxJMarkers> jMarkers{};
    std::int32_t jMarkerCount = 0;
    std::int32_t jChainBreak = 0;
    std::int32_t measureJActive = 0;

    // Mouse tools and scrolling.
    std::int32_t interactionMode = 0;
    DragStyle dragStyle = DragStyle::HorizontalLine;
    std::int32_t dragToolArmed = 0;
    std::int32_t moveArmed = 0;
    std::int32_t referenceArmed = 0;
    std::int32_t hScrollMax = 0;
    std::int32_t hScrollPos = 0;
    std::int32_t clickX = 0;
    std::int32_t clickY = 0;
};

static_assert(4 * kMaxPeaks == kDataCapacity, "room for a peak at every other complex point");

// The number of values in use, never below zero nor beyond the buffer, whatever a file
// or a dialog put into valueCount: every loop over the data runs to it.
int valuesInUse(const SpectrumDocument& doc);

// With take true: copies the first valueCount doubles of data and maxAbsValue into the
// snapshot. Otherwise copies them back into data. Returns the snapshot's maxAbsValue.
double undoSnapshot(SpectrumDocument& doc, bool take);

// The signed real value of largest magnitude among the real parts; ties go to the later
// element. Sets maxAbsIndex.
double findMaxAbs(SpectrumDocument& doc);

// zoomFactor = acq.aq / (viewRight - viewLeft); an empty window keeps the old factor
// rather than becoming infinite.
void updateZoomFactor(SpectrumDocument& doc);

// True when acq can describe a spectrum (acquisitionProblem finds nothing): at least one
// value, a sweep width giving a finite acquisition time and a spectrometer frequency.
bool acquisitionIsUsable(const AcquisitionParameters& acq);

// The reset after every successful native open or import: enables the spectrum
// commands, titles the window and brings every view and analysis field back to its
// start state for the new spectrum.
void resetDocument(SpectrumDocument& doc, WindowPort& window);

}  // namespace tesvar
