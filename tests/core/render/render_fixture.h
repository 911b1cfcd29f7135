#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/spectrum_document.h"
#include "support/fake_window.h"
#include "support/recording_canvas.h"

namespace tesvar::test {

// A loaded spectrum of `valueCount` values in a window of width x height pixels, as
// after a load: whole view, zero line at half the height, maxAbsValue found.
inline std::unique_ptr<SpectrumDocument> loadedSpectrum(
    int valueCount, double sw, double sf, int width, int height,
    const std::function<double(int)>& value = [](int) { return 0.0; })
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->clientWidth = width;
    doc->clientHeight = height;
    doc->acq.td = valueCount;
    doc->acq.sw = sw;
    doc->acq.sf = sf;
    for (int i = 0; i < valueCount; ++i)
        doc->data[i] = value(i);
    FakeWindow window;
    resetDocument(*doc, window);
    return doc;
}

// Shows the element range [first, last) of the spectrum, as a zoom would.
inline void showElements(SpectrumDocument& doc, double first, double last)
{
    doc.viewLeft = first * doc.acq.aq / doc.valueCount;
    doc.viewRight = last * doc.acq.aq / doc.valueCount;
    updateZoomFactor(doc);
    doc.fullView = 0;
}

inline std::vector<RecordingCanvas::Op> linesInPen(const RecordingCanvas& canvas, const Pen& pen)
{
    std::vector<RecordingCanvas::Op> out;
    for (const auto& op : canvas.lines())
        if (op.pen == pen)
            out.push_back(op);
    return out;
}

inline std::vector<std::string> textsOf(const std::vector<RecordingCanvas::Op>& ops)
{
    std::vector<std::string> out;
    for (const auto& op : ops)
        out.push_back(op.text);
    return out;
}

}  // namespace tesvar::test
