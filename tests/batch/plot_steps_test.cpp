// The steps limits, units and export, run in process on a spectrum opened from a
// hand-written native file.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>

#include "batch/batch_runner.h"
#include "batch/hand_written_native.h"
#include "document/spectrum_document.h"
#include "support/test_files.h"

namespace tesvar::batch {
namespace {

using test::HandWrittenSpectrum;

HandWrittenSpectrum decayingFid()
{
    HandWrittenSpectrum s;
    s.td = 2048;
    s.aq = s.td / (2.0 * s.sw);  // 0.25 s
    s.values.resize(s.td);
    for (int k = 0; k < s.td / 2; ++k) {
        s.values[2 * k] = 500.0 * std::exp(-k / 100.0) * std::cos(0.3 * k);
        s.values[2 * k + 1] = 500.0 * std::exp(-k / 100.0) * std::sin(0.3 * k);
    }
    return s;
}

// Width and height from a PNG file's header chunk.
std::pair<int, int> pngSize(const std::string& path)
{
    const auto bytes = test::readBytes(path);
    if (bytes.size() < 24 || bytes[1] != 'P' || bytes[2] != 'N' || bytes[3] != 'G')
        return {0, 0};
    auto be32 = [&](std::size_t at) {
        return (bytes[at] << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
    };
    return {be32(16), be32(20)};
}

std::string head(const std::string& path, std::size_t n)
{
    const auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.begin() + std::min(n, bytes.size()));
}

class PlotSteps : public ::testing::Test {
protected:
    PlotSteps() : doc(std::make_unique<SpectrumDocument>()) { doc->nothingToSave = 1; }

    int run(std::vector<std::string> args, bool open = true)
    {
        out.str("");
        err.str("");
        if (open)
            args.insert(args.begin(), {"open", path});
        return runBatch(args, *doc, out, err);
    }

    test::TempDir dir;
    std::string path = [this] {
        const std::string p = dir.file("fid.tvx");
        test::writeBytes(p, test::handWrittenNative(decayingFid()));
        return p;
    }();
    std::unique_ptr<SpectrumDocument> doc;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(PlotSteps, UnitsSetTheAxisUnitAsTheDialogWould)
{
    ASSERT_EQ(run({"units", "hertz"}), kExitOk) << err.str();
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Hertz);
    EXPECT_EQ(doc->unitChecks, (std::array<std::int32_t, 4>{0, 0, 1, 0}));
    EXPECT_EQ(run({"units", "kelvin"}), kExitUsage);
    EXPECT_EQ(run({"units"}), kExitUsage);
}

TEST_F(PlotSteps, LimitsZoomAndARefusedWindowFailsWithTheDialogsMessage)
{
    ASSERT_EQ(run({"limits", "0.05", "0.1"}), kExitOk) << err.str();
    EXPECT_EQ(doc->viewLeft, 0.05);
    EXPECT_EQ(doc->viewRight, 0.1);
    EXPECT_DOUBLE_EQ(doc->zoomFactor, 0.25 / 0.05);

    EXPECT_EQ(run({"limits", "0.2", "0.1", "units", "ppm"}), kExitStepFailed);
    EXPECT_NE(err.str().find("Try it again: Error"), std::string::npos) << err.str();
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds) << "the run stopped at the refusal";
    EXPECT_EQ(run({"limits", "0", "0.25"}), kExitOk) << "the end of the acquisition is allowed";
    EXPECT_EQ(run({"limits", "-0.1", "0.1"}), kExitOk) << "so is a start before it";
    ASSERT_EQ(run({"units", "points", "limits", "256", "512"}), kExitOk) << err.str();
    EXPECT_TRUE(doc->viewLeft == 0.0625 && doc->viewRight == 0.125) << "in the unit of the axis";
    EXPECT_EQ(run({"limits", "zero", "0.1"}), kExitUsage);
    EXPECT_EQ(run({"limits", "0.1"}), kExitUsage);
}

TEST_F(PlotSteps, ExportWritesTheScreenPictureAtTheAskedOrDefaultSize)
{
    const std::string small = dir.file("small.png");
    const std::string standard = dir.file("standard.png");
    ASSERT_EQ(run({"export", "screen", "png", small, "320x200", "export", "screen", "png",
                   standard}),
              kExitOk)
        << err.str();
    EXPECT_EQ(pngSize(small), (std::pair{320, 200}));
    EXPECT_EQ(pngSize(standard), (std::pair{1600, 900}));
    EXPECT_EQ(doc->clientWidth, 0) << "the document keeps its own geometry";
}

TEST_F(PlotSteps, ExportWritesThePrintedPageAsPngSvgAndPdf)
{
    const std::string png = dir.file("page.png");
    const std::string svg = dir.file("page.svg");
    const std::string pdf = dir.file("page.pdf");
    ASSERT_EQ(run({"export", "page", "png", png, "export", "page", "svg", svg, "export", "page",
                   "pdf", pdf}),
              kExitOk)
        << err.str();
    EXPECT_EQ(pngSize(png), (std::pair{2480, 3508}));
    EXPECT_EQ(head(svg, 5), "<?xml");
    EXPECT_EQ(head(pdf, 4), "%PDF");

    // Integrals thousands of canvas units either side of a view zoomed 12.5 times.
    ASSERT_EQ(run({"integrate", "0.01", "0.02", "integrate", "0.2", "0.24", "limits", "0.1",
                   "0.12", "export", "page", "png", png}),
              kExitOk)
        << err.str();
    const QImage page(QString::fromStdString(png));
    QRect dark;  // the border, drawn furthest out
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark |= qGray(page.pixel(x, y)) < 128 ? QRect(x, y, 1, 1) : QRect();
    EXPECT_GT(dark.width(), 0.9 * page.width());
    EXPECT_NEAR(double(dark.width()) / dark.height(), 3000.0 / 850, 0.05);
    EXPECT_TRUE(page.rect().adjusted(50, 50, -50, -50).contains(dark));
}

// export jcamp writes what the data are: a FID before the transform and after Undo gives
// it back, a spectrum after the transform.
TEST_F(PlotSteps, ExportJcampWritesAFidOrASpectrumAsTheDataAre)
{
    const std::string fid = dir.file("fid.jdx"), spectrum = dir.file("s.jdx"),
                      undone = dir.file("u.jdx");
    ASSERT_EQ(run({"export", "jcamp", fid, "fourier", "export", "jcamp", spectrum, "undo",
                   "export", "jcamp", undone}),
              kExitOk)
        << err.str();
    for (const auto& [file, kind] : {std::pair{fid, "FID"}, {spectrum, "SPECTRUM"}, {undone, "FID"}})
        EXPECT_NE(head(file, 200).find("\n##DATA TYPE= NMR " + std::string(kind) + "\n"),
                  std::string::npos)
            << file;
    EXPECT_EQ(run({"export", "jcamp"}), kExitUsage);
    EXPECT_EQ(run({"export", "jcamp", dir.file("no/such/folder/a.jdx")}), kExitStepFailed);
    EXPECT_NE(err.str().find("Cannot write"), std::string::npos) << err.str();
}

TEST_F(PlotSteps, ExportArgumentsAreCheckedAndAFileThatCannotBeWrittenFails)
{
    EXPECT_EQ(run({"export", "screen", "gif", dir.file("a.gif")}), kExitUsage);
    EXPECT_EQ(run({"export", "window", "png", dir.file("a.png")}), kExitUsage);
    EXPECT_EQ(run({"export", "screen", "png", dir.file("a.png"), "800"}), kExitUsage);
    EXPECT_EQ(run({"export", "screen", "png", dir.file("a.png"), "0x600"}), kExitUsage);
    EXPECT_EQ(run({"export", "screen", "png"}), kExitUsage);
    EXPECT_EQ(run({"export", "screen", "png", dir.file("no/such/folder/a.png")}), kExitStepFailed);
    EXPECT_NE(err.str().find("Cannot write"), std::string::npos) << err.str();
    doc = std::make_unique<SpectrumDocument>();
    EXPECT_EQ(run({"export", "screen", "png", dir.file("a.png")}, false), kExitStepFailed)
        << "no spectrum yet";
}

}  // namespace
}  // namespace tesvar::batch
