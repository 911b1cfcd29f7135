// The view and picture steps: limits FROM TO, units UNIT, and export of the screen
// picture or the printed page.
#include <charconv>
#include <cmath>
#include <string>

#include "batch/batch_ui.h"
#include "batch/batch_window.h"
#include "batch/picture_module.h"
#include "batch/step_table.h"
#include "document/spectrum_document.h"
#include "document/view_settings.h"
#include "importers/jcamp_writer.h"

namespace tesvar::batch {

namespace {

std::optional<int> wholeCount(std::string_view word)
{
    int value = 0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || value <= 0)
        return std::nullopt;
    return value;
}

// "WIDTHxHEIGHT", both positive.
bool readSize(const std::string& word, int& width, int& height)
{
    const auto x = word.find('x');
    if (x == std::string::npos)
        return false;
    const auto w = wholeCount(std::string_view(word).substr(0, x));
    const auto h = wholeCount(std::string_view(word).substr(x + 1));
    if (!w || !h)
        return false;
    width = *w;
    height = *h;
    return true;
}

StepDefinition limitsStep()
{
    StepDefinition step;
    step.name = "limits";
    step.arguments = "FROM TO";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) -> StepParse {
        const auto from = args.next();
        const auto to = args.next();
        const auto a = stepNumber(from.value_or(""));
        const auto b = stepNumber(to.value_or(""));
        if (!a || !b)
            return parseError("limits needs FROM and TO, the left and right edges in the current unit");
        return parsed([a = *a, b = *b](BatchSession& s) {
            if (!applyLimits(s.doc, s.ui, a, b))
                return false;
            limitsChanged(s.doc, s.window);
            return true;
        });
    };
    return step;
}

StepDefinition unitsStep()
{
    StepDefinition step;
    step.name = "units";
    step.arguments = "seconds|ppm|hertz|points";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) -> StepParse {
        const auto unit = args.next();
        const std::string names[4] = {"seconds", "ppm", "hertz", "points"};
        for (int k = 0; k < 4; ++k) {
            if (unit && *unit == names[k]) {
                std::array<std::int32_t, 4> checks{0, 0, 0, 0};
                checks[k] = 1;
                return parsed([checks](BatchSession& s) {
                    applyUnits(s.doc, s.window, checks);
                    return true;
                });
            }
        }
        return parseError("units needs one of seconds, ppm, hertz, points");
    };
    return step;
}

StepDefinition exportStep()
{
    StepDefinition step;
    step.name = "export";
    step.arguments = "screen|page png|svg|pdf PATH [WIDTHxHEIGHT] | export jcamp PATH";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) -> StepParse {
        const auto pictureWord = args.next();
        // The spectrum itself, as a JCAMP-DX file: no picture is drawn.
        if (pictureWord == "jcamp") {
            const auto path = args.next();
            if (!path || path->empty())
                return parseError("export jcamp needs a PATH");
            return parsed([path = *path](BatchSession& s) {
                if (const auto error = exportJcamp(s.doc, s.fullPath(path)))
                    return s.fail(*error);
                return true;
            });
        }
        const auto formatWord = args.next();
        const auto path = args.next();
        const auto picture = exportPictureNamed(pictureWord.value_or(""));
        const auto format = exportFormatNamed(formatWord.value_or(""));
        if (!picture || !format || !path || path->empty())
            return parseError("export needs screen|page, png|svg|pdf and a PATH");
        ExportRequest request;
        request.picture = *picture;
        request.format = *format;
        request.path = *path;
        if (*picture == ExportPicture::Screen) {
            request.width = kDefaultScreenWidth;
            request.height = kDefaultScreenHeight;
        }
        if (const auto size = args.nextUnlessStep()) {
            if (!readSize(*size, request.width, request.height))
                return parseError("the picture size is WIDTHxHEIGHT, for example 1600x900");
        }
        return parsed([request](BatchSession& s) {
            ExportRequest r = request;
            r.path = s.fullPath(request.path);
            if (const auto error = exportThroughModule(s.doc, r))
                return s.fail(*error);
            return true;
        });
    };
    return step;
}

}  // namespace

void addPlotSteps(StepTable& table)
{
    table.add(limitsStep());
    table.add(unitsStep());
    table.add(exportStep());
}

}  // namespace tesvar::batch
