#include <gtest/gtest.h>

#include <memory>

#include "document/spectrum_document.h"
#include "importers/bruker_x32.h"
#include "importers/import_dispatch.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

const std::string kAspirin = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h";

// A real spectrometer's FID: big-endian integers (BYTORDA 1) behind a digital filter
// (DSPFVS 10, DECIM 24, no GRPDLY).
TEST(AspirinFid, ImportsWithTheRightByteOrderAndParameters)
{
    auto doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    test::FakeWindow window;
    ASSERT_TRUE(importFile(*doc, FileType::BrukerX32, kAspirin + "/fid", ui, window));
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(doc->acq.td, 16384);
    EXPECT_EQ(doc->valueCount, 16384);
    EXPECT_NEAR(doc->acq.sw, 4789.27203065134, 1e-9);
    EXPECT_DOUBLE_EQ(doc->acq.sf, 300.13);
    EXPECT_EQ(doc->acq.acqMode, 1);
    EXPECT_EQ(doc->realAcquisition, 0);
    EXPECT_DOUBLE_EQ(doc->acq.aq, 16384 / (2 * 4789.27203065134));
    EXPECT_DOUBLE_EQ(doc->digitalFilterDelay, 61.020833333333333);
    EXPECT_EQ(doc->filePath, kAspirin + "/acqus");
    EXPECT_EQ(window.title, "Tesvar  fid");

    // Every value is the big-endian 32-bit integer at its place in the file.
    const auto bytes = test::readBytes(kAspirin + "/fid");
    ASSERT_EQ(bytes.size(), 4u * 16384);
    for (int i = 0; i < 16384; ++i) {
        const std::uint32_t u = std::uint32_t{bytes[4 * i]} << 24 | std::uint32_t{bytes[4 * i + 1]} << 16 |
                                std::uint32_t{bytes[4 * i + 2]} << 8 | bytes[4 * i + 3];
        ASSERT_EQ(doc->data[i], static_cast<double>(static_cast<std::int32_t>(u))) << i;
    }
    // The first points: the filter's quiet start, then the echo of the signal.
    EXPECT_EQ(doc->data[15], 32.0);
    EXPECT_EQ(doc->data[17], -32.0);
    EXPECT_EQ(doc->data[20], -1.0);
    EXPECT_EQ(doc->data[60], -173.0);
    EXPECT_EQ(doc->data[61], -1226.0);
    EXPECT_GT(std::abs(doc->maxAbsValue), 1e5) << "read little-endian, the values would be noise";
}

TEST(AspirinFid, ParameterFileReadsTheRealKeys)
{
    const auto acqus = readAcqus(kAspirin + "/acqus");
    ASSERT_TRUE(acqus);
    EXPECT_EQ(acqus->byteOrder, 1);
    EXPECT_EQ(acqus->dataType, 0);
    EXPECT_EQ(acqus->dspFirmware, 10);
    EXPECT_EQ(acqus->decimation, 24.0);
    EXPECT_FALSE(acqus->groupDelay);
    EXPECT_EQ(acqus->td, 16384);
}

}  // namespace
}  // namespace tesvar
