#pragma once

#include <map>
#include <string>
#include <vector>

#include "processing/apodization_dialog.h"
#include "processing/fourier_dialog.h"
#include "processing/phase_dialog.h"
#include "processing/processing_commands.h"

namespace tesvar::test {

// Stand-ins for the processing dialogs' windows: they hold what the controllers show
// and let a test play the user.
class FakeFourierView : public FourierView {
public:
    void setChecked(int id, bool checked) override { checks[id] = checked; }
    bool isChecked(int id) const override
    {
        auto it = checks.find(id);
        return it != checks.end() && it->second;
    }
    void fillSizeList(const std::vector<std::string>& entries) override { list = entries; }
    void showSize(int values) override { shownSize = values; }
    bool setMainScrollRange(int minimum, int maximum) override
    {
        scrollRanges.push_back({minimum, maximum});
        return scrollRangeWorks;
    }

    std::map<int, bool> checks;
    std::vector<std::string> list;
    int shownSize = -1;
    std::vector<std::pair<int, int>> scrollRanges;
    bool scrollRangeWorks = true;
};

class FakeApodizationView : public ApodizationView {
public:
    bool setText(int id, const std::string& t) override
    {
        if (id == failingEdit)
            return false;
        texts[id] = t;
        return true;
    }
    std::string text(int id) const override
    {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    // Radio buttons 1038, 1039, 1040 and 1069 exclude one another, as in the dialog.
    void setChecked(int id, bool checked) override
    {
        if (checked && id != apodization_ids::SineSquared)
            for (int r : apodization_ids::kRadios)
                if (r != apodization_ids::SineSquared)
                    radios[r] = false;
        radios[id] = checked;
    }
    bool isChecked(int id) const override
    {
        auto it = radios.find(id);
        return it != radios.end() && it->second;
    }

    std::map<int, std::string> texts;
    std::map<int, bool> radios;
    int failingEdit = 0;
};

class FakePhaseView : public PhaseView {
public:
    void setEditValue(int id, int value) override { edits[id] = std::to_string(value); }
    int editValue(int id) const override;
    void setSliderPosition(int slider, int position) override { sliders[slider] = position; }

    std::map<int, std::string> edits;
    int sliders[2] = {-999, -999};
};

inline int FakePhaseView::editValue(int id) const
{
    auto it = edits.find(id);
    if (it == edits.end())
        return 0;
    try {
        return std::stoi(it->second);
    } catch (...) {
        return 0;
    }
}

// Records which processing dialogs the commands asked for.
class FakeProcessingDialogs : public ProcessingDialogs {
public:
    void runApodizationDialog() override { calls.push_back("apodization"); }
    void runFourierDialog() override { calls.push_back("fourier"); }
    bool phaseDialogOpen() const override { return phaseOpen; }
    void openPhaseDialog() override
    {
        calls.push_back("open phase");
        phaseOpen = true;
    }
    void raisePhaseDialog() override { calls.push_back("raise phase"); }
    void autoPhaseInDialog() override { calls.push_back("auto phase"); }

    std::vector<std::string> calls;
    bool phaseOpen = false;
};

}  // namespace tesvar::test
