#include "platform/sdl/FontRasterizer.h"

#include "../FontChecks.h"

namespace {

class FontRasterizerTest : public CFontChecks {
protected:
    void SetUp() override { open(std::make_unique<CFontRasterizer>(), 16); }
};

TEST_F(FontRasterizerTest, ArialTwentyHasACellOfTwentyPixelsAndItsBaselineAt17)
{
    expectCellAndBaseline(17);
    const std::int32_t measured = width("Hmmmm. Wenn ich das w\xFC\xDF" "te ...");
    EXPECT_GT(measured, 200);
    EXPECT_LT(measured, 300);
}

TEST_F(FontRasterizerTest, EveryByteAndALineLieWithinTheirMeasuredWidths)
{
    expectEveryByteWithinItsWidth();
    expectLineInside("Ja, j\xEEngst \xCE\xCF\xCD f\xFCr j\xE9" "den Tag.");
}

TEST_F(FontRasterizerTest, BoldIsWiderAndAnEmHeightGivesTheSameFont)
{
    expectBoldWiderAndEmHeightTheSameFont();
}

} // namespace
