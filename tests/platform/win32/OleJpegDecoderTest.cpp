#include "platform/win32/OleJpegDecoder.h"

#include "../JpegDecoderChecks.h"

namespace {

const jpegchecks::Decoder kOle = [](std::span<const std::uint8_t> bytes) { return decodeJpegWithOle(bytes); };

TEST(OleJpegDecoder, DecodesTheProgramsPicturesAsTheLinuxBuildDoes)
{
    jpegchecks::decodesTheProgramsPicturesAsTheLinuxBuildDoes(kOle);
}

TEST(OleJpegDecoder, RefusesTruncatedDamagedAndForeignFiles)
{
    jpegchecks::refusesTruncatedDamagedAndForeignFiles(kOle);
}

} // namespace
