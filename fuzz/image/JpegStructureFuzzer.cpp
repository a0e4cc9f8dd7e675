// Arbitrary bytes through the JPEG marker walk that guards the system's picture service: it
// must never read outside the bytes, and what it accepts must be a size a picture can have.
// The first byte is skipped, so the image fuzzer's seeds (which begin with a selector) serve.
#include "image/CDib.h"
#include "image/JpegStructure.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const SJpegStructure found = checkJpegStructure({data + 1, size - 1});
    if (found.refusal.empty() &&
        (found.width < 1 || found.height < 1 || found.width > kMaxImageSide || found.height > kMaxImageSide)) {
        std::abort();
    }
    return 0;
}
