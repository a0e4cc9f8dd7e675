#include "pictures/FontFiles.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>

namespace assetgen {

namespace {

struct SPatternFree {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, SPatternFree>;

// An owned configuration rather than fontconfig's process-wide default, which is never freed.
struct SConfigFree {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
using Config = std::unique_ptr<FcConfig, SConfigFree>;

std::string stringOf(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

} // namespace

std::string findFontFile(const std::string& pattern)
{
    Pattern wanted(FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str())));
    if (!wanted)
        throw std::runtime_error("bad font pattern: " + pattern);
    const std::string family = stringOf(wanted.get(), FC_FAMILY);
    const Config config(FcInitLoadConfigAndFonts());
    if (!config)
        throw std::runtime_error("fontconfig cannot load its configuration");
    FcConfigSubstitute(config.get(), wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(config.get(), wanted.get(), &result));
    const std::string file = match ? stringOf(match.get(), FC_FILE) : std::string();
    if (file.empty() || stringOf(match.get(), FC_FAMILY) != family)
        throw std::runtime_error("font missing (install fonts-urw-base35): " + pattern);
    return file;
}

} // namespace assetgen
