#include "platform/web/StbJpegDecoder.h"

#include "../JpegDecoderChecks.h"

namespace {

const jpegchecks::Decoder kStb = [](std::span<const std::uint8_t> bytes) { return decodeJpegWithStb(bytes); };

TEST(StbJpegDecoder, DecodesTheProgramsPicturesAsTheLinuxBuildDoes)
{
    jpegchecks::decodesTheProgramsPicturesAsTheLinuxBuildDoes(kStb);
}

TEST(StbJpegDecoder, RefusesTruncatedDamagedAndForeignFiles)
{
    jpegchecks::refusesTruncatedDamagedAndForeignFiles(kStb);
}

} // namespace
