#include "shell/PictureTrouble.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The loaders' reasons as they are written, each with the words a user reads in the log.
TEST(PictureTroubleTest, LoaderReasonsBecomeShortGermanTexts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"cannot open the file: No such file or directory", "Datei fehlt"},
        {"cannot open the file: Permission denied", "Datei l\xE4sst sich nicht \366ffnen"},
        {"cannot read the file", "Datei l\xE4sst sich nicht lesen"},
        {"BMP: file too short for its headers", "Datei ist abgeschnitten"},
        {"file ends before its end marker", "Datei ist abgeschnitten"},
        {"PCX: out of memory", "zu wenig Speicher"},
        {"picture larger than 16384 pixels on a side", "Bild ist zu gro\xDF"},
        {"PSD: compression 3 not supported", "Bildart wird nicht unterst\xFCtzt"},
        {"not a supported picture (BMP, PSD, TGA with footer, PCX, JFIF JPEG)", "kein lesbares Bildformat"},
        {"damaged marker", "Datei ist besch\344digt"},
        {"", "Datei ist besch\344digt"},
    };
    for (const auto& [reason, german] : cases) {
        EXPECT_EQ(pictureTroubleInGerman(reason), german) << reason;
    }
}

} // namespace
