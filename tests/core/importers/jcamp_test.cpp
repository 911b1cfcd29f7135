#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "document/spectrum_document.h"
#include "importers/import_dispatch.h"
#include "importers/jcamp_reader.h"
#include "importers/jcamp_writer.h"
#include "document/plot_geometry.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

const std::string kData = std::string(TESVAR_TEST_DATA) + "/jcamp/";

// Files written by hand from the format's published example, the ordinates 1 2 3 3 2 1
// 0 -1 -2 -3 in each encoding, and an NTUPLES FID and a single-channel FID in a linked
// file.
TEST(JcampReader, HandWrittenFilesOfEachEncodingReadRight)
{
    std::vector<double> example;
    for (const double y : {1, 2, 3, 3, 2, 1, 0, -1, -2, -3})
        example.insert(example.end(), {y * 0.5, 0.0});
    struct Case {
        const char* file;
        int spectrum;
        double sf, sw;
        int acqMode;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"affn.jdx", 1, 100.0, 1000.0, 1, example},
        {"pac.jdx", 1, 100.0, 1000.0, 1, example},
        {"sqz.jdx", 1, 100.0, 1000.0, 1, example},
        {"dif.jdx", 1, 100.0, 1000.0, 1, example},
        {"dup.jdx", 1, 100.0, 1000.0, 1, example},
        {"ntuples.jdx", 0, 400.0, 1000.0, 1, {1, 0, 2, 2, 3, 4, 4, 6}},
        {"xydata.jdx", 0, 300.13, 1000.0, 0, {10, -10, 20, -20, 30, -30}},
    };
    for (const Case& c : cases) {
        const ImportResult read = readJcamp(kData + c.file, kDataCapacity);
        ASSERT_TRUE(read) << c.file << ": " << read.reason();
        EXPECT_EQ(read->values, c.values) << c.file;
        EXPECT_EQ(read->domain == DataDomain::Frequency, c.spectrum != 0) << c.file;
        EXPECT_DOUBLE_EQ(read->acq.sf, c.sf) << c.file;
        EXPECT_NEAR(read->acq.sw, c.sw, 1e-9) << c.file;
        EXPECT_EQ(read->acq.acqMode, c.acqMode) << c.file;
        EXPECT_EQ(read->acq.td, static_cast<int>(c.values.size())) << c.file;
        // The first point of the spectra lies at 1000 Hz, 10 ppm.
        if (c.spectrum) {
            EXPECT_NEAR(read->hzOffset + read->acq.sw, 1000.0, 1e-9) << c.file;
        }
    }
}

// Export and import again: the values within the resolution of the YFACTOR, and the
// same frequency or time axis, for FIDs and spectra.
TEST(JcampRoundTrip, GivesBackTheValuesAndTheAxis)
{
    struct Case {
        const char* name;
        int spectrum, acqMode, referencePoint, conjugate, values;
        double scale, hzOffset, delay;
        DisplayUnits units;
    };
    const Case cases[] = {
        {"complex FID, whole numbers", 0, 1, 0, 0, 512, 1e6, 0.0, 67.98, DisplayUnits::Seconds},
        {"FID owing a conjugation", 0, 3, 0, 1, 64, 0.37, 0.0, 0.0, DisplayUnits::Seconds},
        {"single-channel FID", 0, 0, 0, 0, 256, 123.456, 0.0, 0.0, DisplayUnits::Seconds},
        {"referenced spectrum", 1, 1, 1024, 0, 1024, 3.5e7, -1234.5, 0.0, DisplayUnits::Hertz},
        {"spectrum of another origin", 1, 1, 600, 0, 512, 1e-3, 0.0, 0.0, DisplayUnits::Ppm},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = std::make_unique<SpectrumDocument>();
        doc->acq.sw = 6009.6;
        doc->acq.sf = 400.13;
        doc->acq.acqMode = static_cast<std::int16_t>(c.acqMode);
        doc->acq.td = doc->valueCount = c.values;
        doc->domain = c.spectrum ? DataDomain::Frequency : DataDomain::Time;
        doc->referencePoint = c.spectrum ? c.referencePoint : c.values;
        doc->hzOffset = c.hzOffset;
        doc->conjugateOnTransform = c.conjugate;
        doc->digitalFilterDelay = c.delay;
        doc->hasSpectrum = 1;
        // A steady last quarter gives runs of equal differences (DUP counts).
        for (int i = 0; i < c.values; ++i)
            doc->data[i] = i > c.values * 3 / 4 ? c.scale * (i % 2 ? 0.5 : -1)
                           : c.delay ? std::round(c.scale * std::sin(i * 0.7))
                                     : c.scale * std::cos(i * 0.31) * std::exp(-i / 300.0);
        test::TempDir dir;
        const std::string path = dir.file("round trip.jdx");
        ASSERT_EQ(exportJcamp(*doc, path), std::nullopt);

        auto back = std::make_unique<SpectrumDocument>();
        test::FakeUi ui;
        test::FakeWindow window;
        ASSERT_TRUE(importFile(*back, FileType::Jcamp, path, ui, window)) << ui.texts().front();
        ASSERT_EQ(back->valueCount, c.values);
        double largest = 0.0;
        for (int i = 0; i < c.values; ++i)
            largest = std::max(largest, std::fabs(doc->data[i]));
        // The case with a filter delay holds whole numbers, which are written exactly.
        const double resolution = c.delay ? 0.0 : largest / 1e9 / 2 * (1 + 1e-12);
        for (int i = 0; i < c.values; ++i) {
            const double sign = i % 2 && c.conjugate ? -1.0 : 1.0;
            ASSERT_NEAR(back->data[i], sign * doc->data[i], resolution) << i;
        }
        EXPECT_EQ(back->domain == DataDomain::Frequency, c.spectrum != 0);
        EXPECT_EQ(back->conjugateOnTransform, 0);
        EXPECT_EQ(back->digitalFilterDelay, c.delay);
        EXPECT_EQ(back->acq.acqMode, c.acqMode);
        EXPECT_EQ(back->realAcquisition, c.acqMode == 0 ? 1 : 0);
        EXPECT_DOUBLE_EQ(back->acq.sf, doc->acq.sf);
        EXPECT_NEAR(back->acq.sw, doc->acq.sw, 1e-9);
        EXPECT_EQ(back->displayUnits, c.spectrum ? DisplayUnits::Ppm : DisplayUnits::Seconds);
        EXPECT_EQ(window.title, "Tesvar  round trip.jdx");
        doc->acq.aq = doc->acq.td / (2 * doc->acq.sw);
        for (const DisplayUnits units : {c.units, DisplayUnits::Points}) {
            doc->displayUnits = back->displayUnits = units;
            for (const int element : {0, 2, c.values / 2, c.values - 2})
                EXPECT_NEAR(axisValue(*back, element), axisValue(*doc, element), 1e-7)
                    << element << " in unit " << static_cast<int>(units);
        }
    }
}

}  // namespace
}  // namespace tesvar
