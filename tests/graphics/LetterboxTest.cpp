#include "graphics/Letterbox.h"

#include <gtest/gtest.h>

TEST(Letterbox, ThePictureFillsOneSideIsCentredOnTheOtherAndTakesThePointsOfTheArea)
{
    EXPECT_EQ(fitPicture(800, 600, 800, 600), (SLetterbox{0, 0, 800, 600}));
    EXPECT_EQ(fitPicture(1600, 1200, 800, 600), (SLetterbox{0, 0, 1600, 1200}));
    EXPECT_EQ(fitPicture(1000, 600, 800, 600), (SLetterbox{100, 0, 800, 600}));
    EXPECT_EQ(fitPicture(800, 700, 800, 600), (SLetterbox{0, 50, 800, 600}));
    EXPECT_EQ(fitPicture(1366, 768, 800, 600), (SLetterbox{171, 0, 1024, 768}));
    EXPECT_EQ(fitPicture(0, 600, 800, 600), SLetterbox{});
    EXPECT_EQ(fitPicture(800, 600, 0, 600), SLetterbox{});
    // Points of the area land on the picture's pixels.
    const SLetterbox box = fitPicture(1000, 600, 800, 600);
    EXPECT_EQ(pictureFromArea(box, 800, 600, 100, 0), (SPicturePoint{0, 0}));
    EXPECT_EQ(pictureFromArea(box, 800, 600, 899, 599), (SPicturePoint{799, 599}));
    EXPECT_EQ(pictureFromArea(box, 800, 600, 99, 10), (SPicturePoint{-1, 10}));
    const SLetterbox doubled = fitPicture(1600, 1200, 800, 600);
    EXPECT_EQ(pictureFromArea(doubled, 800, 600, 3, 5), (SPicturePoint{1, 2}));
    EXPECT_EQ(pictureFromArea(SLetterbox{}, 800, 600, 7, 9), (SPicturePoint{7, 9}));
}

TEST(Letterbox, AStretchReachingPastTheBoundsKeepsItsScaleOnTheRest)
{
    // A window whose 800 x 600 client area hangs 100 pixels over the right and bottom edges.
    const SStretchCut cut = cutStretch({100, 50, 800, 600}, {0, 0, 800, 600}, 800, 600);
    EXPECT_EQ(cut.target, (SLetterbox{100, 50, 700, 550}));
    EXPECT_EQ(cut.source, (SLetterbox{0, 0, 700, 550}));
    // Doubled and cut on the left: half as many picture columns as screen columns, rounded out.
    const SStretchCut left = cutStretch({-101, 0, 1600, 1200}, {0, 0, 1920, 1080}, 800, 600);
    EXPECT_EQ(left.target, (SLetterbox{0, 0, 1499, 1080}));
    EXPECT_EQ(left.source, (SLetterbox{50, 0, 750, 540}));
    // Inside: unchanged; wholly outside: nothing.
    EXPECT_EQ(cutStretch({10, 10, 400, 300}, {0, 0, 800, 600}, 800, 600).source, (SLetterbox{0, 0, 800, 600}));
    EXPECT_EQ(cutStretch({900, 0, 400, 300}, {0, 0, 800, 600}, 800, 600).target, SLetterbox{});
}
