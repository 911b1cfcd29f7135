#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "analysis/analysis_host.h"
#include "analysis/coupling.h"
#include "analysis/edits_view.h"
#include "analysis/report_printer.h"
#include "support/recording_canvas.h"

namespace tesvar::test {

// Stand-ins for the analysis dialogs' windows: the edits' texts and the list's lines as
// the controllers left them, for a test to read and to type into.
class FakeEditsView : public EditsView, public ListView {
public:
    void setText(int id, const std::string& t) override { texts[id] = t; }
    std::string text(int id) const override
    {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    void appendLine(const std::string& line) override { lines.push_back(line); }
    void clearLines() override { lines.clear(); }

    std::map<int, std::string> texts;
    std::vector<std::string> lines;
};

class FakeMeasureJView : public MeasureJView {
public:
    void appendLine(const std::string& line) override { lines.push_back(line); }
    void clearLines() override { lines.clear(); }
    void closeDialog() override { closed = true; }

    std::vector<std::string> lines;
    bool closed = false;
};

// A printer whose dialog answers with `copies` (0: cancelled) and whose pages are
// recorded on a RecordingCanvas.
class FakeReportPrinter : public ReportPrinter {
public:
    int choosePrinter() override
    {
        ++dialogs;
        return copies;
    }
    Canvas* beginDocument(const std::string& name) override
    {
        documentNames.push_back(name);
        return canStart ? &canvas : nullptr;
    }
    int pageHeight() override { return height; }
    void startPage() override { pageStarts.push_back(canvas.ops.size()); }
    void endPage() override { ++pagesEnded; }
    bool endDocument() override
    {
        ++documentsEnded;
        return jobSucceeds;
    }

    // The texts of page p (from 0), with their positions.
    std::vector<RecordingCanvas::Op> page(std::size_t p) const
    {
        const std::size_t from = pageStarts.at(p);
        const std::size_t to = p + 1 < pageStarts.size() ? pageStarts[p + 1] : canvas.ops.size();
        return {canvas.ops.begin() + static_cast<long>(from), canvas.ops.begin() + static_cast<long>(to)};
    }

    int copies = 1;
    int height = 1 << 20;
    bool canStart = true;
    bool jobSucceeds = true;
    RecordingCanvas canvas;
    int dialogs = 0;
    std::vector<std::string> documentNames;
    std::vector<std::size_t> pageStarts;
    int pagesEnded = 0;
    int documentsEnded = 0;
};

// Records what the analysis asks of the main window. Each dialog runs the action a
// test installs for it (playing the user), or none.
class FakeAnalysisHost : public AnalysisHost {
public:
    void runHydrogensDialog() override { run("hydrogens", onHydrogens); }
    void runIntegralFactorDialog() override { run("factor", onFactor); }
    void runPeakDialog() override { run("peaks", onPeaks); }
    void runReferenceDialog() override { run("reference", onReference); }
    void runDataPointsDialog() override { run("data points", nullptr); }
    void openMeasureJDialog() override { run("measure j", nullptr); }
    void addMeasureJLine(const std::string& line) override { jLines.push_back(line); }

    void setHorizontalScrollRange(int maximum) override { hRange = maximum; }
    void setHorizontalScrollPosition(int position) override { hPositions.push_back(position); }
    void setVerticalScroll(int maximum, int position) override
    {
        vRange = maximum;
        vPositions.push_back(position);
    }
    void drawFeedback(const std::function<void(Canvas&)>& draw) override
    {
        ++feedbackDraws;
        draw(screen);
    }
    void setToolCursor(ToolCursor c) override { cursors.push_back(c); }
    void showReadout(const std::string& text) override { readouts.push_back(text); }
    void copyRegion(int x0, int y0, int x1, int y1) override { copies.push_back({x0, y0, x1, y1}); }

    std::function<void()> onHydrogens, onFactor, onPeaks, onReference;

    std::vector<std::string> dialogs;
    std::vector<std::string> jLines;
    int hRange = -1;
    std::vector<int> hPositions;
    int vRange = -1;
    std::vector<int> vPositions;
    RecordingCanvas screen;  // where the feedback goes
    int feedbackDraws = 0;
    std::vector<ToolCursor> cursors;
    std::vector<std::string> readouts;
    std::vector<std::vector<int>> copies;

private:
    void run(const char* name, const std::function<void()>& action)
    {
        dialogs.emplace_back(name);
        if (action)
            action();
    }
};

}  // namespace tesvar::test
