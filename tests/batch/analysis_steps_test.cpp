// The steps integrate, peaks, reference and jmark and the reports integrals, peaks and
// j: in process on spectra written here, and through the built program on the aspirin
// FID, whose integrals and peak list the spectrometer's own software found.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "analysis/peak_picking.h"
#include "batch/batch_runner.h"
#include "batch/hand_written_native.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "document/plot_geometry.h"
#include "support/test_files.h"

namespace tesvar::batch {
namespace {

using test::HandWrittenSpectrum;

// 1024 points, SW 4096 Hz at 400 MHz: point k reads 4096 (1 - k / 1024) Hz. A flat
// baseline of 2, a line of area 300 at point 256 and one of area 100 at point 768.
HandWrittenSpectrum twoLineSpectrum()
{
    HandWrittenSpectrum s;
    s.sf = 400.0;
    s.td = 2048;
    s.aq = s.td / (2.0 * s.sw);
    s.values.assign(s.td, 0.0);
    for (int k = 0; k < 1024; ++k) {
        double v = 2.0;
        for (auto [centre, area] : {std::pair{256.0, 300.0}, std::pair{768.0, 100.0}})
            v += std::fabs(k - centre) <= 30 ? area / (3.0 * std::sqrt(2 * M_PI)) *
                                                   std::exp(-0.5 * std::pow((k - centre) / 3.0, 2))
                                             : 0.0;
        s.values[2 * k] = v;
    }
    return s;
}

double ppmOfPoint(double k) { return 4096.0 * (1.0 - k / 1024.0) / 400.0; }

class AnalysisSteps : public ::testing::Test {
protected:
    AnalysisSteps() : doc(std::make_unique<SpectrumDocument>()) { doc->nothingToSave = 1; }

    // Opens the spectrum and shows it in ppm, then runs the steps.
    int run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        args.insert(args.begin(), {"open", path, "units", "ppm"});
        return runBatch(args, *doc, out, err);
    }
    QJsonObject json() const
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
    }
    static std::string num(double v)
    {
        std::ostringstream s;
        s.precision(17);
        s << v;
        return s.str();
    }

    test::TempDir dir;
    HandWrittenSpectrum spectrum = twoLineSpectrum();
    std::string path = [this] {
        const std::string p = dir.file("lines.tvx");
        test::writeBytes(p, test::handWrittenNative(spectrum));
        return p;
    }();
    std::unique_ptr<SpectrumDocument> doc;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(AnalysisSteps, IntegrateTakesPositionsInTheCurrentUnit)
{
    // Both lines, 40 points either side, given from high to low ppm and back.
    ASSERT_EQ(run({"integrate", num(ppmOfPoint(216)), num(ppmOfPoint(296)), "integrate",
                   num(ppmOfPoint(808)), num(ppmOfPoint(728)), "report", "integrals", "json"}),
              kExitOk)
        << err.str();
    const QJsonObject report = json();
    const QJsonArray integrals = report.value("integrals").toArray();
    ASSERT_EQ(integrals.size(), 2);
    // Each integral is the line's area plus one baseline level.
    EXPECT_NEAR(integrals[0].toObject().value("value").toDouble(), 302.0, 1e-6);
    EXPECT_NEAR(integrals[1].toObject().value("value").toDouble(), 102.0, 1e-6);
    EXPECT_NEAR(integrals[0].toObject().value("start").toDouble(), 216.0, 1e-9);
    EXPECT_NEAR(integrals[0].toObject().value("end").toDouble(), 296.0, 1e-9);
    EXPECT_EQ(integrals[0].toObject().value("label").toDouble(), 1.0);
    EXPECT_NEAR(integrals[1].toObject().value("label").toDouble(), 102.0 / 302.0, 1e-9);
    EXPECT_EQ(report.value("reference").toInt(), 0);
    EXPECT_EQ(report.value("referenceHydrogens").toDouble(), 1.0);
    EXPECT_EQ(doc->fullView, 1);

    ASSERT_EQ(run({"integrate", num(ppmOfPoint(216)), num(ppmOfPoint(296)), "integrate",
                   num(ppmOfPoint(728)), num(ppmOfPoint(808)), "report", "integrals", "text"}),
              kExitOk);
    EXPECT_EQ(out.str(), "1.00\n0.34\n");
}

TEST_F(AnalysisSteps, TheHundredAndFirstIntegralFailsTheStep)
{
    std::vector<std::string> args;
    for (int i = 0; i < 101; ++i)
        args.insert(args.end(), {"integrate", num(ppmOfPoint(5 * i)), num(ppmOfPoint(5 * i + 4))});
    args.insert(args.end(), {"report", "integrals", "text"});
    EXPECT_EQ(run(args), kExitStepFailed);
    EXPECT_EQ(err.str().rfind("Too many integrals: Error\n", 0), 0u) << err.str();
    EXPECT_EQ(out.str(), "") << "the run stops at the failed step";
    EXPECT_EQ(doc->integrals.count, 100);
}

TEST_F(AnalysisSteps, PeaksListTheLinesAboveTheThreshold)
{
    // From 10 ppm to beyond the end of the data, which cuts the region at its last value.
    ASSERT_EQ(run({"peaks", "10", "-1", "5", "report", "peaks", "text"}), kExitOk) << err.str();
    const std::string top = formatFixed(doc->data[512], 3);
    EXPECT_EQ(out.str(), " \n"
                         "FROM:  10.00 ppm   TO:   0.01 ppm\n"
                         " \n"
                         "     1       3072.00         7.68         " + top + "\n"
                         "     2       1024.00         2.56         " +
                             formatFixed(doc->data[1536], 3) + "\n");
    ASSERT_EQ(run({"peaks", "8", "6", "5", "peaks", "3", "2", "5", "report", "peaks", "json"}),
              kExitOk);
    const QJsonObject report = json();
    EXPECT_EQ(report.value("threshold").toDouble(), 5.0);
    const QJsonArray regions = report.value("regions").toArray();
    ASSERT_EQ(regions.size(), 2);
    const QJsonObject second = regions[1].toObject();
    EXPECT_NEAR(second.value("fromPpm").toDouble(), 3.0, 0.01);
    const QJsonArray peaks = second.value("peaks").toArray();
    ASSERT_EQ(peaks.size(), 1);
    EXPECT_EQ(peaks[0].toObject().value("number").toInt(), 1);
    EXPECT_EQ(peaks[0].toObject().value("index").toInt(), 1536);
    EXPECT_DOUBLE_EQ(peaks[0].toObject().value("hz").toDouble(), 1024.0);
    EXPECT_DOUBLE_EQ(peaks[0].toObject().value("ppm").toDouble(), 2.56);
    EXPECT_EQ(doc->fullView, 0);

    EXPECT_EQ(run({"peaks", "8", "6", "-5"}), kExitUsage);
    EXPECT_EQ(run({"peaks", "8", "six", "5"}), kExitUsage);
    EXPECT_EQ(run({"peaks", "30", "20", "5"}), kExitStepFailed) << "a region off the data";
}

TEST_F(AnalysisSteps, AReferencedLineReadsTheSameHertzOnTheAxisReadoutReportAndJson)
{
    // The line at element 512 reads 7.68 ppm, 3072 Hz: 7.26 ppm and 2904 Hz are one shift.
    for (std::vector<std::string> steps :
         {std::vector<std::string>{"reference", "7.68", "7.26", "peaks", "8", "6", "5"},
          {"units", "hertz", "reference", "3072", "2904", "peaks", "3200", "2400", "5"}}) {
        steps.insert(steps.end(), {"report", "peaks", "json"});
        ASSERT_EQ(run(steps), kExitOk) << err.str();
        const QJsonObject peak = json()["regions"][0]["peaks"][0].toObject();
        EXPECT_NEAR(peak["hz"].toDouble(), 2904.0, 1e-9) << steps[0];
        EXPECT_NEAR(peak["ppm"].toDouble(), 7.26, 1e-9);
        EXPECT_EQ(peakListLines(*doc)[3].substr(0, 20), "     1       2904.00");
        EXPECT_NEAR(doc->ppmOffset, -0.42, 1e-9);
        EXPECT_NEAR(doc->hzOffset, -0.42 * 400.0, 1e-9);
        doc->displayUnits = DisplayUnits::Hertz;
        doc->clientWidth = 1000;  // a window for the readout's pixels
        EXPECT_NEAR(axisValue(*doc, 512), 2904.0, 1e-9);
        EXPECT_EQ(readoutText(*doc, pointToX(*doc, 256.0)), "Hertz 2904.000     ");
    }

    // In Seconds the reference is refused with the system's warning.
    out.str("");
    err.str("");
    EXPECT_EQ(runBatch({"open", path, "reference", "0.1", "1"}, *doc, out, err), kExitStepFailed);
    EXPECT_NE(err.str().find("\nWarning: To reference the units must be in Hertz or  ppm\n"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(run({"reference", "7.68"}), kExitUsage);
    EXPECT_EQ(run({"reference", "30", "7"}), kExitStepFailed) << "a click off the data";
}

TEST_F(AnalysisSteps, JmarkListsTheCouplingsInHertz)
{
    ASSERT_EQ(run({"jmark", "7.68", "jmark", "7.66", "jmark", "7.71", "report", "j", "text"}),
              kExitOk)
        << err.str();
    // 0.02 and 0.05 ppm at 400 MHz.
    std::istringstream lines(out.str());
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    ASSERT_EQ(first.substr(0, 6), "J 0-1=");
    EXPECT_NEAR(std::stod(first.substr(6)), 8.0, 1e-6);
    EXPECT_NEAR(std::stod(second.substr(6)), 20.0, 1e-6);
    EXPECT_EQ(doc->measureJActive, 1);

    ASSERT_EQ(run({"jmark", "7.68", "jmark", "7.66", "report", "j", "json"}), kExitOk);
    const QJsonObject report = json();
    EXPECT_EQ(report.value("markers").toArray().size(), 2);
    const QJsonObject pair = report.value("lines").toArray()[0].toObject();
    EXPECT_EQ(pair.value("from").toInt(), 0);
    EXPECT_EQ(pair.value("to").toInt(), 1);
    EXPECT_NEAR(pair.value("hz").toDouble(), 8.0, 1e-6);
    EXPECT_EQ(run({"jmark", "-5"}), kExitStepFailed) << "a marker off the data";
}

// The aspirin FID through the program: imported, transformed to 32768 values, phased
// (94, -9) and referenced so that the methyl singlet reads 2.2937 ppm, as the
// spectrometer's peak list has it.
class AspirinProgram : public ::testing::Test {
protected:
    static int runProgram(const test::TempDir& dir, const std::string& steps)
    {
        const std::string command = std::string("'") + TESVAR_BATCH + "' import x32 '" +
                                    TESVAR_TEST_DATA + "/bruker/aspirin-1h/fid' fourier size=32768 "
                                    "phase 94 -9 " + steps + " 2>'" + dir.file("err.txt") + "'";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    static QJsonObject readJson(const std::string& path)
    {
        const auto bytes = test::readBytes(path);
        return QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size())))
            .object();
    }
    static std::vector<std::pair<double, double>> listedPeaks()
    {
        std::ifstream in(std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/pdata/1/peaklist.xml");
        std::stringstream text;
        text << in.rdbuf();
        const std::string xml = text.str();
        std::vector<std::pair<double, double>> peaks;
        const std::regex peak("<Peak1D F1=\"([-0-9.]+)\"[^>]*intensity=\"([0-9.]+)\"");
        for (auto it = std::sregex_iterator(xml.begin(), xml.end(), peak);
             it != std::sregex_iterator(); ++it)
            peaks.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
        return peaks;
    }

    test::TempDir dir;
};

TEST_F(AspirinProgram, IntegralsAndPeaksAgreeWithTheSpectrometersOwn)
{
    ASSERT_EQ(runProgram(dir, "report params json '" + dir.file("params.json") + "'"), 0);
    const QJsonObject params = readJson(dir.file("params.json"));
    const double n = params.value("valueCount").toDouble();
    const double methyl = (1.0 - params.value("maxAbsIndex").toDouble() / n) *
                          params.value("sw").toDouble() / params.value("sf").toDouble();
    const double tallest = params.value("maxAbsValue").toDouble();

    std::ostringstream steps;
    steps.precision(17);
    steps << "reference " << methyl << " 2.2937 integrate 7.598 7.468 integrate 7.345 7.227 "
          << "integrate 7.128 7.010 integrate 2.341 2.211 report integrals json '"
          << dir.file("integrals.json") << "' peaks 8.5 1.5 " << 0.02 * tallest
          << " report peaks json '" << dir.file("peaks.json") << "'";
    ASSERT_EQ(runProgram(dir, steps.str()), 0);

    const QJsonArray integrals = readJson(dir.file("integrals.json")).value("integrals").toArray();
    ASSERT_EQ(integrals.size(), 4);
    const double expected[] = {1.00, 1.07, 0.97, 2.95};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(integrals[i].toObject().value("label").toDouble() / expected[i], 1.0, 0.05) << i;

    const QJsonArray found = readJson(dir.file("peaks.json"))
                                 .value("regions").toArray()[0].toObject().value("peaks").toArray();
    std::vector<double> shifts;
    for (const auto& p : found)
        shifts.push_back(p.toObject().value("ppm").toDouble());
    ASSERT_GE(shifts.size(), 10u);
    const auto listed = listedPeaks();
    ASSERT_GE(listed.size(), 20u);
    auto nearest = [](double x, const std::vector<double>& among) {
        double best = 1e9;
        for (double s : among)
            best = std::min(best, std::fabs(s - x));
        return best;
    };
    // Every strong listed line (a twentieth of the methyl's height or more) is reported...
    for (auto [shift, intensity] : listed) {
        if (intensity >= 10.0) {
            EXPECT_LT(nearest(shift, shifts), 0.01) << "listed line at " << shift;
        }
    }
    // ...and every reported peak is one of the listed lines.
    std::vector<double> listedShifts;
    for (auto [shift, intensity] : listed)
        listedShifts.push_back(shift);
    for (double s : shifts)
        EXPECT_LT(nearest(s, listedShifts), 0.01) << "reported peak at " << s;
    EXPECT_NEAR(shifts.back(), 2.2937, 1e-3);
}

TEST_F(AspirinProgram, ATightRegionAroundEachMultipletReportsTheSameLinesAsAWideOne)
{
    auto doc = std::make_unique<SpectrumDocument>();
    std::ostringstream out, err;
    const auto run = [&](const std::vector<std::string>& steps) {
        return runBatch(steps, *doc, out, err);
    };
    ASSERT_EQ(run({"import", "x32", std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid",
                   "fourier", "size=32768", "phase", "94", "-9"}), kExitOk) << err.str();
    const std::string threshold = std::to_string(0.02 * doc->maxAbsValue);
    ASSERT_EQ(run({"reference", std::to_string(peakPpm(*doc, doc->maxAbsIndex)), "2.2937",
                   "peaks", "8.5", "1.5", threshold}), kExitOk) << err.str();
    // Lines closer than 0.05 ppm make one multiplet; each gets a region 0.01 ppm wider.
    const int wide = doc->peaks.peakCount;
    const auto ppm = [&](int k) { return peakPpm(*doc, doc->peaks.peaks[k].index); };
    std::vector<std::string> tight;
    for (int i = 0, first = 0; i < wide; ++i) {
        if (i + 1 < wide && ppm(i) - ppm(i + 1) <= 0.05)
            continue;
        tight.insert(tight.end(), {"peaks", std::to_string(ppm(first) + 0.01),
                                   std::to_string(ppm(i) - 0.01), threshold});
        first = i + 1;
    }
    ASSERT_EQ(run(tight), kExitOk) << err.str();
    EXPECT_GE(doc->peaks.regionCount, 6);
    EXPECT_EQ(doc->peaks.regionPeaks[doc->peaks.regionCount - 1], 1);  // the methyl singlet
    ASSERT_EQ(doc->peaks.peakCount, 2 * wide);
    for (int i = 0; i < wide; ++i)
        EXPECT_EQ(doc->peaks.peaks[wide + i].index, doc->peaks.peaks[i].index) << i;
}

}  // namespace
}  // namespace tesvar::batch
