#include "platform/sdl/FontRasterizer.h"
#include "platform/web/HintedWidths.h"
#include "platform/web/StbFontRasterizer.h"
#include "platform/web/TrueTypeTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

const char* const kFontFolder = "/usr/share/fonts/truetype/liberation";
const char* const kWidths = MINNE_BINARY_DIR "/web-fonts/LiberationSans-Regular.widths";

const SFontRequest kRequests[] = {{"Arial", 0, 20, 400}, {"Arial", 0, 16, 400}, {"Arial", 0, -12, 400}};

// The browser's fonts beside the Linux program's: every byte must advance the pen as far, so
// the question and the answer break into the same lines in both.
TEST(StbFontRasterizer, AdvancesAndCellMatchTheSystemRasteriserForEveryByte)
{
    CStbFontRasterizer browser(kFontFolder, kWidths);
    CFontRasterizer system;
    CStbFontRasterizer outlinesOnly(kFontFolder);
    const std::unique_ptr<IFontFace> unmeasured = outlinesOnly.openFont(kRequests[0]);
    ASSERT_TRUE(unmeasured);
    for (const SFontRequest& request : kRequests) {
        const std::unique_ptr<IFontFace> ours = browser.openFont(request);
        const std::unique_ptr<IFontFace> theirs = system.openFont(request);
        ASSERT_TRUE(ours);
        ASSERT_TRUE(theirs);
        EXPECT_EQ(ours->cellHeight(), theirs->cellHeight()) << request.height;
        EXPECT_EQ(ours->ascent(), theirs->ascent()) << request.height;
        for (int byte = 0; byte < 256; ++byte) {
            const SGlyphImage mine = ours->renderGlyph(static_cast<unsigned char>(byte));
            const SGlyphImage reference = theirs->renderGlyph(static_cast<unsigned char>(byte));
            EXPECT_EQ(mine.advance, reference.advance) << "byte " << byte << " at " << request.height;
            // Without the measured widths the outlines' own advances are at most a pixel off.
            if (byte >= 32 && request.height == 20) {
                EXPECT_LE(std::abs(unmeasured->renderGlyph(static_cast<unsigned char>(byte)).advance - reference.advance), 1)
                    << "byte " << byte;
            }
            // Unhinted outlines sit where the hinted ones do, give or take the hinting's pixels.
            if (reference.width > 0 && mine.width > 0) {
                EXPECT_LE(std::abs(mine.top - reference.top), 2) << "byte " << byte;
                EXPECT_LE(std::abs(mine.left - reference.left), 2) << "byte " << byte;
                EXPECT_LE(std::abs(mine.height - reference.height), 3) << "byte " << byte;
            }
        }
    }
}

TEST(StbFontRasterizer, AMissingOrDamagedFontGivesNoFace)
{
    CStbFontRasterizer nowhere("/nonexistent", kWidths);
    EXPECT_FALSE(nowhere.openFont({"Arial", 0, 20, 400}));

    std::ifstream in(std::string(kFontFolder) + "/LiberationSans-Regular.ttf", std::ios::binary);
    const std::vector<std::uint8_t> font{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto metrics = readTrueTypeMetrics(font);
    ASSERT_TRUE(metrics);
    EXPECT_EQ(metrics->unitsPerEm, 2048);
    EXPECT_GT(metrics->averageWidth, 0);
    // Cut short, the tables read as absent instead of past the end.
    for (const std::size_t size : {std::size_t(0), std::size_t(11), std::size_t(300)}) {
        EXPECT_FALSE(readTrueTypeMetrics(std::span<const std::uint8_t>(font.data(), size))) << size;
    }
}

TEST(HintedWidths, ReadBackWhatWasWrittenAndRefuseDamagedLines)
{
    CHintedWidths widths;
    CHintedWidths::Row row{};
    for (std::size_t byte = 0; byte < row.size(); ++byte) {
        row[byte] = static_cast<std::int32_t>(byte % 17);
    }
    widths.set(18, row);
    const std::string text = widths.write();
    const std::optional<CHintedWidths> read = CHintedWidths::parse(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->advance(18, 'A'), 'A' % 17);
    EXPECT_EQ(read->advance(18, 255), 255 % 17);
    EXPECT_FALSE(read->advance(19, 'A'));

    EXPECT_FALSE(CHintedWidths::parse(text.substr(0, text.size() - 4)));   // a row too short
    EXPECT_FALSE(CHintedWidths::parse(text.substr(0, text.size() - 1) + " 5\n")); // too long
    EXPECT_FALSE(CHintedWidths::parse("18 1 2 3\n"));
    EXPECT_FALSE(CHintedWidths::parse("x: 1\n"));
    EXPECT_TRUE(CHintedWidths::parse("\n"));
}

} // namespace
