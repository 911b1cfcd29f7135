#include "importers/jcamp_writer.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <span>
#include <vector>

#include "document/file_bytes.h"
#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "document/view_dialogs.h"
#include "importers/jcamp_asdf.h"

namespace tesvar {

namespace {

// Ordinates are written as whole numbers up to this size, so that every difference
// fits in 32 bits for the readers that keep them so.
constexpr double kLargestOrdinate = 1e9;

// One page: its ordinates as written and the factor that gives their values.
struct Page {
    std::vector<std::int64_t> ordinates;
    double first = 0.0, last = 0.0, min = 0.0, max = 0.0;
};

Page pageOf(const std::vector<double>& values, double factor)
{
    Page page;
    for (const double v : values)
        page.ordinates.push_back(std::llround(v / factor));
    const auto [lo, hi] = std::minmax_element(page.ordinates.begin(), page.ordinates.end());
    page.first = static_cast<double>(page.ordinates.front()) * factor;
    page.last = static_cast<double>(page.ordinates.back()) * factor;
    page.min = static_cast<double>(*lo) * factor;
    page.max = static_cast<double>(*hi) * factor;
    return page;
}

// Whole numbers that fit are kept exactly; anything else is scaled to the largest
// ordinate.
double ordinateFactor(const std::vector<double>& re, const std::vector<double>& im)
{
    double largest = 0.0;
    bool whole = true;
    for (const auto* part : {&re, &im})
        for (const double v : *part) {
            largest = std::max(largest, std::fabs(v));
            whole = whole && v == std::floor(v);
        }
    if (largest == 0.0 || (whole && largest <= kLargestOrdinate))
        return 1.0;
    return largest / kLargestOrdinate;
}

std::string acquisitionModeWord(int mode)
{
    return mode == 0 ? "SINGLE" : mode == 2 ? "SEQUENTIAL" : "SIMULTANEOUS";
}

std::string row(const std::string& x, double r, double i, const std::string& n)
{
    return x + ", " + exactNumber(r) + ", " + exactNumber(i) + ", " + n;
}

}  // namespace

std::string jcampText(const SpectrumDocument& doc, const std::string& title,
                      const std::string& date)
{
    const int n = valuesInUse(doc);
    const std::size_t points = static_cast<std::size_t>(n / 2);
    const bool spectrum = doc.domain == DataDomain::Frequency;
    const double imaginarySign = !spectrum && doc.conjugateOnTransform ? -1.0 : 1.0;
    std::vector<double> re(points), im(points);
    for (std::size_t p = 0; p < points; ++p) {
        re[p] = doc.data[2 * p];
        im[p] = imaginarySign * doc.data[2 * p + 1];
    }
    const double yFactor = ordinateFactor(re, im);
    const Page real = pageOf(re, yFactor);
    const Page imaginary = pageOf(im, yFactor);

    // The abscissa: seconds from 0 for a FID (one complex point per 1 / sw, the line
    // abscissas counting points), Hz for a spectrum as the axis shows it.
    const double sw = doc.acq.sw;
    double firstX = 0.0, step = 1.0 / sw, xFactor = step, lineFirst = 0.0, lineStep = 1.0;
    if (spectrum) {
        firstX = doc.referencePoint * sw / n + doc.hzOffset;
        step = -2.0 * sw / n;
        xFactor = 1.0;
        lineFirst = firstX;
        lineStep = step;
    }
    const double lastX = firstX + step * static_cast<double>(points - 1);
    const std::string kind = spectrum ? "NMR SPECTRUM" : "NMR FID";
    const std::string part = spectrum ? "SPECTRUM" : "FID";
    const std::string xs[5] = {exactNumber(firstX), exactNumber(lastX),
                               exactNumber(std::min(firstX, lastX)),
                               exactNumber(std::max(firstX, lastX)), exactNumber(xFactor)};

    std::string out;
    const auto put = [&out](const std::string& label, const std::string& value) {
        out += "##" + label + "= " + value + "\n";
    };
    // A label's value ends with its line.
    std::string oneLine = title;
    std::replace_if(oneLine.begin(), oneLine.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    put("TITLE", oneLine);
    put("JCAMP-DX", "5.01");
    put("DATA TYPE", kind);
    put("DATA CLASS", "NTUPLES");
    put("ORIGIN", view_text::kStartupTitle);
    put("OWNER", "");
    put("LONGDATE", date);
    put(".OBSERVE FREQUENCY", exactNumber(doc.acq.sf));
    put(".ACQUISITION MODE", acquisitionModeWord(doc.acq.acqMode));
    put("$SW_h", exactNumber(sw));
    put("$TD", std::to_string(n));
    put("$AQ_mod", std::to_string(doc.acq.acqMode));
    if (spectrum) {
        const std::string ppm = exactNumber(firstX / doc.acq.sf);
        put("$OFFSET", ppm);
        put(".SHIFT REFERENCE", "(INTERNAL, UNKNOWN, 1, " + ppm + ")");
    } else if (doc.digitalFilterDelay != 0.0) {
        put("$GRPDLY", exactNumber(doc.digitalFilterDelay));
    }
    put("NTUPLES", kind);
    put("VAR_NAME", (spectrum ? "FREQUENCY, " : "TIME, ") + part + "/REAL, " + part +
                        "/IMAG, PAGE NUMBER");
    put("SYMBOL", "X, R, I, N");
    put("VAR_TYPE", "INDEPENDENT, DEPENDENT, DEPENDENT, PAGE");
    put("VAR_FORM", "AFFN, ASDF, ASDF, AFFN");
    const std::string count = std::to_string(points);
    put("VAR_DIM", count + ", " + count + ", " + count + ", 2");
    put("UNITS", (spectrum ? "HZ" : "SECONDS") + std::string(", ARBITRARY UNITS, ARBITRARY UNITS,"));
    put("FIRST", row(xs[0], real.first, imaginary.first, "1"));
    put("LAST", row(xs[1], real.last, imaginary.last, "2"));
    put("MIN", row(xs[2], real.min, imaginary.min, "1"));
    put("MAX", row(xs[3], real.max, imaginary.max, "2"));
    put("FACTOR", row(xs[4], yFactor, yFactor, "1"));
    int pageNumber = 1;
    for (const Page* page : {&real, &imaginary}) {
        const char symbol = page == &real ? 'R' : 'I';
        put("PAGE", "N=" + std::to_string(pageNumber++));
        put("NPOINTS", count);
        put("FIRSTX", xs[0]);
        put("LASTX", xs[1]);
        put("XFACTOR", xs[4]);
        put("FIRSTY", exactNumber(page->first));
        put("MAXY", exactNumber(page->max));
        put("MINY", exactNumber(page->min));
        put("YFACTOR", exactNumber(yFactor));
        put("DATA TABLE", std::string("(X++(") + symbol + ".." + symbol + ")), XYDATA");
        out += encodeDifDup(page->ordinates, lineFirst, lineStep);
    }
    put("END NTUPLES", kind);
    put("END", "");
    return out;
}

std::optional<std::string> exportJcamp(const SpectrumDocument& doc, const std::string& path)
{
    const int n = valuesInUse(doc);
    if (doc.hasSpectrum != 1 || n < 2)
        return "There is no spectrum to export";
    if (n % 2 != 0)
        return "A spectrum of an odd number of values cannot be written as real and "
               "imaginary pages";
    if (!allFinite(std::span<const double>(doc.data.data(), static_cast<std::size_t>(n))) ||
        !(std::isfinite(doc.acq.sw) && doc.acq.sw > 0.0) || !std::isfinite(doc.acq.sf))
        return "The spectrum holds values that are not finite numbers";
    if (path.empty())
        return "No file named for the spectrum";
    char date[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local))
        std::strftime(date, sizeof date, "%Y/%m/%d %H:%M:%S", &local);
    const std::string text = jcampText(doc, fileNamePart(path), date);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!writeFileBytes(path, std::span<const std::uint8_t>(bytes, text.size())))
        return "Cannot write " + path;
    return std::nullopt;
}

}  // namespace tesvar
