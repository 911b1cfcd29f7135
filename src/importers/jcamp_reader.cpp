#include "importers/jcamp_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "importers/bruker_x32.h"
#include "importers/jcamp_asdf.h"

namespace tesvar {

namespace {

std::string atLine(int line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}


std::optional<double> number(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string> listItems(std::string_view value)
{
    std::vector<std::string> items;
    while (true) {
        const std::size_t comma = value.find(',');
        items.emplace_back(trimmed(value.substr(0, comma)));
        if (comma == std::string_view::npos)
            return items;
        value.remove_prefix(comma + 1);
    }
}

struct Value {
    std::string text;
    int line = 0;
};
using Labels = std::map<std::string, Value, std::less<>>;

// One decoded table: its ordinates in true units and what describes its abscissa.
struct Table {
    char part = 'R';  // 'R' real (also Y), 'I' imaginary
    std::vector<double> values;
    std::optional<double> firstX, lastX;
    std::string xUnits;
    int line = 0;
};

// The description of one column of NTUPLES.
struct Columns {
    std::vector<std::string> symbols, units, first, last, factor, dimension;
};

// The lines of a file, each checked for length and for bytes that are no text.
std::optional<std::string> splitLines(std::string_view text, std::vector<NumberedLine>& lines)
{
    std::size_t start = 0;
    int number = 1;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > kJcampLongestLine)
            return atLine(number, "the line is longer than " +
                                      std::to_string(kJcampLongestLine) + " characters.");
        for (const char c : line) {
            const auto u = static_cast<unsigned char>(c);
            if ((u < 0x20 && c != '\t' && c != '\f' && c != '\r') || u == 0x7F)
                return atLine(number, "the line holds bytes that are not text.");
        }
        lines.push_back({line, number});
        start = end + 1;
        ++number;
    }
    return std::nullopt;
}

std::string_view withoutComment(std::string_view line)
{
    return line.substr(0, line.find("$$"));
}

bool isLabelLine(std::string_view line)
{
    return trimmed(line).starts_with("##");
}

// The symbol of a table's ordinates: "(X++(R..R))" gives "R".
std::optional<std::string> ordinateSymbol(std::string_view form)
{
    const std::size_t open = form.find("++(");
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t dots = form.find("..", open);
    if (dots == std::string_view::npos)
        return std::nullopt;
    return jcampLabel(form.substr(open + 3, dots - open - 3));
}

class JcampParser {
public:
    JcampParser(std::vector<NumberedLine> lines, int capacity)
        : lines(std::move(lines)), capacity(static_cast<std::size_t>(std::max(capacity, 0)))
    {
    }
    ImportResult parse();

private:
    std::optional<std::string> readLabels();
    std::optional<std::string> readTable(std::size_t& index, const std::string& form, int line,
                                         bool inNtuples);
    std::optional<std::string> describeFromNtuples(Table& table, const std::string& symbol,
                                                   int line, std::optional<double>& count,
                                                   double& factor);
    std::optional<double> label(const char* name) const;
    ImportResult assemble();

    std::vector<NumberedLine> lines;
    std::size_t capacity;
    Labels labels;      // of the block being read
    Labels pageLabels;  // of the NTUPLES page being read
    Columns columns;
    std::vector<Table> tables;
    std::string dataType;
    bool ended = false;
};

std::optional<double> JcampParser::label(const char* name) const
{
    const auto found = labels.find(name);
    return found == labels.end() ? std::nullopt : number(found->second.text);
}

// The abscissa, count and factor of a page, from the page's own labels or else its
// column of the NTUPLES description.
std::optional<std::string> JcampParser::describeFromNtuples(Table& table,
                                                            const std::string& symbol, int line,
                                                            std::optional<double>& count,
                                                            double& factor)
{
    const auto column = [&](const std::string& s) -> std::optional<std::size_t> {
        const auto at = std::find(columns.symbols.begin(), columns.symbols.end(), s);
        if (at == columns.symbols.end())
            return std::nullopt;
        return static_cast<std::size_t>(at - columns.symbols.begin());
    };
    const auto item = [](const std::vector<std::string>& list, std::optional<std::size_t> at)
        -> std::optional<double> {
        if (!at || *at >= list.size())
            return std::nullopt;
        return number(list[*at]);
    };
    const auto y = column(symbol);
    const auto x = column("X");
    if (!y)
        return atLine(line, "the page's variable " + symbol + " is not among the SYMBOLs.");
    const auto page = [&](const char* name) -> std::optional<double> {
        const auto found = pageLabels.find(name);
        return found == pageLabels.end() ? std::nullopt : number(found->second.text);
    };
    count = page("NPOINTS") ? page("NPOINTS") : item(columns.dimension, y);
    factor = page("YFACTOR").value_or(item(columns.factor, y).value_or(1.0));
    table.firstX = page("FIRSTX") ? page("FIRSTX") : item(columns.first, x);
    table.lastX = page("LASTX") ? page("LASTX") : item(columns.last, x);
    if (x && *x < columns.units.size())
        table.xUnits = jcampLabel(columns.units[*x]);
    return std::nullopt;
}

// Decodes the table whose label is at lines[index]; index moves to its last line.
std::optional<std::string> JcampParser::readTable(std::size_t& index, const std::string& form,
                                                  int line, bool inNtuples)
{
    const auto symbol = ordinateSymbol(form);
    if (!symbol || !form.starts_with("(X++"))
        return atLine(line, "only tables of the form (X++(Y..Y)) can be read.");
    Table table;
    table.part = *symbol == "I" ? 'I' : 'R';
    table.line = line;
    std::optional<double> count;
    double factor = 1.0;
    if (inNtuples) {
        if (auto error = describeFromNtuples(table, *symbol, line, count, factor))
            return error;
    } else {
        count = label("NPOINTS");
        factor = label("YFACTOR").value_or(1.0);
        table.firstX = label("FIRSTX");
        table.lastX = label("LASTX");
        if (const auto units = labels.find("XUNITS"); units != labels.end())
            table.xUnits = jcampLabel(units->second.text);
    }
    if (count && (*count < 1 || *count != std::floor(*count)))
        return atLine(line, "the number of points is not a positive whole number.");
    if (count && *count > static_cast<double>(capacity))
        return atLine(line, "the table counts " + exactNumber(*count) + " points; at most " +
                                std::to_string(capacity) + " fit.");
    if (!std::isfinite(factor) || factor == 0.0)
        return atLine(line, "the YFACTOR is not a usable number.");

    std::vector<NumberedLine> data;
    std::size_t next = index + 1;
    for (; next < lines.size() && !isLabelLine(lines[next].text); ++next)
        data.push_back({withoutComment(lines[next].text), lines[next].number});
    const int lastDataLine = data.empty() ? line : data.back().number;
    const std::size_t limit = count ? static_cast<std::size_t>(*count) : capacity;
    if (auto error = decodeOrdinateLines(data, limit, table.values))
        return error;
    if (count && table.values.size() != limit)
        return atLine(lastDataLine, "the table ends after " +
                                        std::to_string(table.values.size()) + " of its " +
                                        std::to_string(limit) + " points.");
    if (table.values.empty())
        return atLine(line, "the table holds no values.");
    for (double& v : table.values)
        v *= factor;
    index = next - 1;
    tables.push_back(std::move(table));
    return std::nullopt;
}

// Reads labels and tables up to the end of the first block that holds data.
std::optional<std::string> JcampParser::readLabels()
{
    bool inNtuples = false;
    for (std::size_t i = 0; i < lines.size() && !ended; ++i) {
        const std::string_view text = trimmed(withoutComment(lines[i].text));
        const int line = lines[i].number;
        if (!text.starts_with("##"))
            continue;  // the rest of a text value, or text between blocks
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            return atLine(line, "the label has no '='.");
        const std::string name = jcampLabel(text.substr(2, equals - 2));
        const std::string value(trimmed(text.substr(equals + 1)));
        if (name == "TITLE") {
            if (!tables.empty())
                return atLine(line, "a new block starts before ##END= closed the data.");
            labels.clear();
            inNtuples = false;
        } else if (name == "END") {
            ended = !tables.empty();
        } else if (name == "NTUPLES") {
            inNtuples = true;
            dataType = value;
            columns = {};
        } else if (name == "ENDNTUPLES") {
            inNtuples = false;
        } else if (name == "PAGE") {
            pageLabels.clear();
        } else if (name == "XYDATA" || (name == "DATATABLE" && inNtuples)) {
            if (auto error = readTable(i, jcampLabel(value), line, inNtuples))
                return error;
        } else if (name == "XYPOINTS" || name == "PEAKTABLE" || name == "DATATABLE") {
            return atLine(line, "only tables of the form (X++(Y..Y)) can be read.");
        } else if (inNtuples) {
            const Value v{value, line};
            if (name == "SYMBOL") {
                columns.symbols.clear();
                for (const auto& s : listItems(value))
                    columns.symbols.push_back(jcampLabel(s));
            } else if (name == "UNITS") {
                columns.units = listItems(value);
            } else if (name == "FIRST") {
                columns.first = listItems(value);
            } else if (name == "LAST") {
                columns.last = listItems(value);
            } else if (name == "FACTOR") {
                columns.factor = listItems(value);
            } else if (name == "VARDIM") {
                columns.dimension = listItems(value);
            }
            pageLabels[name] = v;
            labels.try_emplace(name, v);
        } else {
            labels[name] = {value, line};
        }
    }
    const int lastLine = lines.back().number;
    if (tables.empty())
        return atLine(lastLine, "the file ends without a data table (##XYDATA= or ##NTUPLES=).");
    if (!ended)
        return atLine(lastLine, "the file ends before the ##END= of its data.");
    return std::nullopt;
}

bool isSeconds(const std::string& units)
{
    return units == "SECONDS" || units == "SECOND" || units == "SEC" || units == "S";
}

ImportResult JcampParser::parse()
{
    if (lines.empty() || !trimmed(lines.front().text).starts_with("##"))
        return ImportResult::refused(atLine(1, "a JCAMP-DX file starts with ##TITLE=."));
    if (auto error = readLabels())
        return ImportResult::refused(*error);
    return assemble();
}

ImportResult JcampParser::assemble()
{
    const Table* real = nullptr;
    const Table* imaginary = nullptr;
    for (const Table& t : tables) {
        const Table*& slot = t.part == 'I' ? imaginary : real;
        if (slot)
            return ImportResult::refused(
                atLine(t.line, "a second table of the same part (data of more than one "
                               "dimension are not read)."));
        slot = &t;
    }
    if (!real)
        return ImportResult::refused(atLine(tables.front().line, "the real part is missing."));
    const int line = real->line;
    if (imaginary && imaginary->values.size() != real->values.size())
        return ImportResult::refused(atLine(
            imaginary->line, "the imaginary part holds " +
                                 std::to_string(imaginary->values.size()) +
                                 " points and the real part " +
                                 std::to_string(real->values.size()) + "."));

    if (const auto type = labels.find("DATATYPE"); dataType.empty() && type != labels.end())
        dataType = type->second.text;
    const std::string type = jcampLabel(dataType);
    std::string units = real->xUnits;
    bool spectrum = units == "HZ" || units == "PPM";
    if (type.find("FID") != std::string::npos)
        spectrum = false;
    else if (type.find("SPECTRUM") != std::string::npos)
        spectrum = true;
    else if (!spectrum && !isSeconds(units))
        return ImportResult::refused(
            atLine(line, "the data are neither an NMR FID nor an NMR SPECTRUM."));
    if (units.empty())
        units = spectrum ? "HZ" : "SECONDS";
    if (spectrum ? !(units == "HZ" || units == "PPM") : !isSeconds(units))
        return ImportResult::refused(
            atLine(line, "the X units do not suit an NMR " +
                             std::string(spectrum ? "SPECTRUM (Hz or ppm)." : "FID (seconds).")));

    ImportedSpectrum staged;
    AcquisitionParameters& acq = staged.acq;
    for (const char* name : {".OBSERVEFREQUENCY", "$SFO1", "$BF1", "$SF"}) {
        if (const auto sf = label(name); sf && *sf > 0.0) {
            acq.sf = *sf;
            break;
        }
    }
    if (!(acq.sf > 0.0))
        return ImportResult::refused(atLine(
            line, "the spectrometer frequency (.OBSERVE FREQUENCY, $SFO1 or $BF1) is missing."));

    const std::size_t n = real->values.size();
    const bool complex = imaginary != nullptr;
    const double toUnits = units == "PPM" ? acq.sf : 1.0;
    double step = 0.0;
    if (real->firstX && real->lastX && n > 1)
        step = (*real->lastX - *real->firstX) * toUnits / static_cast<double>(n - 1);
    else if (const auto swH = label("$SWH"))
        step = spectrum ? -*swH / static_cast<double>(n) : (complex ? 1.0 : 0.5) / *swH;
    if (!std::isfinite(step) || step == 0.0 || (!spectrum && step < 0.0))
        return ImportResult::refused(atLine(
            line, "the sweep width cannot be found (FIRSTX and LASTX, or $SW_h, are missing "
                  "or not valid)."));

    std::vector<double> re = real->values;
    std::vector<double> im = complex ? imaginary->values : std::vector<double>(n, 0.0);
    if (spectrum) {
        double firstHz = real->firstX.value_or(0.0) * toUnits;
        // The ppm of one point, when the file gives it, places the axis.
        if (const auto shift = labels.find(".SHIFTREFERENCE"); shift != labels.end()) {
            const auto parts = listItems(std::string_view(shift->second.text).substr(
                shift->second.text.find('(') + 1));
            const auto point = parts.size() > 3 ? number(parts[2]) : std::nullopt;
            const auto ppm = parts.size() > 3 ? number(parts[3]) : std::nullopt;
            if (point && ppm)
                firstHz = *ppm * acq.sf - (*point - 1.0) * step;
        } else if (const auto offset = label("$OFFSET")) {
            firstHz = *offset * acq.sf;
        }
        if (step > 0.0) {
            // The points go from the highest frequency down.
            std::reverse(re.begin(), re.end());
            std::reverse(im.begin(), im.end());
            firstHz += step * static_cast<double>(n - 1);
            step = -step;
        }
        acq.sw = -step * static_cast<double>(n);
        staged.hzOffset = firstHz - acq.sw;
        if (!std::isfinite(staged.hzOffset))
            return ImportResult::refused(atLine(line, "the frequency axis is out of range."));
        staged.domain = DataDomain::Frequency;
    } else {
        acq.sw = (complex ? 1.0 : 0.5) / step;
        AcqusValues filter;
        filter.groupDelay = label("$GRPDLY");
        filter.decimation = label("$DECIM");
        if (const auto firmware = label("$DSPFVS"))
            filter.dspFirmware = static_cast<std::int64_t>(std::clamp(*firmware, -1e9, 1e9));
        staged.digitalFilterDelay = brukerGroupDelay(filter);
    }

    // A real FID is a run of single-channel values; everything else pairs real and
    // imaginary parts.
    const bool single = !spectrum && !complex;
    const std::size_t held = single ? n : 2 * n;
    if (held > capacity)
        return ImportResult::refused(atLine(line, "the data hold " + std::to_string(held) +
                                                      " values; at most " +
                                                      std::to_string(capacity) + " fit."));
    std::int64_t mode = single ? 0 : 1;
    if (const auto aqMod = label("$AQMOD"))
        mode = static_cast<std::int64_t>(std::clamp(*aqMod, -32768.0, 32767.0));
    else if (const auto how = labels.find(".ACQUISITIONMODE"); how != labels.end()) {
        const std::string word = jcampLabel(how->second.text);
        mode = word == "SINGLE" ? 0 : word == "SEQUENTIAL" ? 2 : 1;
    }
    acq.acqMode = static_cast<std::int16_t>(std::clamp<std::int64_t>(mode, -32768, 32767));
    acq.acqModeFlag = acq.acqMode != 0 ? 1 : 0;
    stageValues(staged, static_cast<std::int64_t>(held), held, static_cast<int>(capacity));
    for (std::size_t k = 0; k < n; ++k) {
        if (single) {
            staged.values[k] = re[k];
        } else {
            staged.values[2 * k] = re[k];
            staged.values[2 * k + 1] = im[k];
        }
    }
    staged.conjugateOnTransform = 0;
    return finishImport(std::move(staged), held);
}

}  // namespace

std::string jcampLabel(std::string_view name)
{
    std::string out;
    for (const char c : name)
        if (c != ' ' && c != '-' && c != '/' && c != '_' && c != '\t')
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

ImportResult parseJcamp(std::string_view text, int capacity)
{
    std::vector<NumberedLine> lines;
    if (auto error = splitLines(text, lines))
        return ImportResult::refused(*error);
    return JcampParser(std::move(lines), capacity).parse();
}

ImportResult readJcamp(const std::string& path, int capacity)
{
    // A value takes a few characters in DIF form and rarely more than 25 in AFFN; a
    // file beyond that for the capacity is refused rather than read in part.
    const std::size_t limit =
        (std::size_t{1} << 20) + 40 * static_cast<std::size_t>(std::max(capacity, 0));
    const auto bytes = readFileBytes(path, limit + 1);
    if (!bytes)
        return ImportStatus::NotRead;
    if (bytes->size() > limit)
        return ImportResult::refused("the file is larger than " + std::to_string(limit) +
                                     " bytes, more than its values can take.");
    return parseJcamp(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                      capacity);
}

}  // namespace tesvar
