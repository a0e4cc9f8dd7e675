#include "platform/web/LocalStorageRegistryFile.h"

#include "common/Cp1252.h"
#include "platform/web/WebPage.h"
#include "settings/RegistryTypes.h"

#include <cstdlib>
#include <memory>

namespace {

struct SMallocFree {
    void operator()(char* text) const { std::free(text); }
};

} // namespace

std::uint32_t CLocalStorageRegistryFile::read(std::string& text)
{
    const std::unique_ptr<char, SMallocFree> stored(minne_page_storage_read(key_.c_str()));
    text = stored ? utf8ToCp1252(stored.get(), '?') : std::string();
    return RegError::Success;
}

std::uint32_t CLocalStorageRegistryFile::update(const Edit& edit)
{
    std::string text;
    read(text);
    const std::string before = text;
    if (const std::uint32_t result = edit(text); result != RegError::Success) {
        return result;
    }
    if (text == before) {
        return RegError::Success;
    }
    // The page refuses when storage is off or full.
    return minne_page_storage_write(key_.c_str(), cp1252ToUtf8(text).c_str()) != 0 ? RegError::Success
                                                                                   : RegError::AccessDenied;
}
