#include "platform/sdl/FontRasterizer.h"

#include "../FontChecks.h"

namespace {

class FontRasterizerTest : public CFontChecks {
protected:
    void SetUp() override { open(std::make_unique<CFontRasterizer>(), 16); }
};

// Arial at 20 has a cell of 20 pixels and its baseline at 17; every byte and a line lie within
// their measured widths; bold is wider, and an em height gives the same font.
TEST_F(FontRasterizerTest, ArialAtTwentyKeepsItsCellAndEveryByteWithinItsWidth)
{
    expectCellBaselineAndWeights(17);
    const std::int32_t measured = width("Hmmmm. Wenn ich das w\xFC\xDF" "te ...");
    EXPECT_GT(measured, 200);
    EXPECT_LT(measured, 300);
    expectEveryByteWithinItsWidth();
    expectLineInside("Ja, j\xEEngst \xCE\xCF\xCD f\xFCr j\xE9" "den Tag.");
}

} // namespace
