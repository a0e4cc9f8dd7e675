// The song package mapped by the system's module loader, as a data file: nothing in it runs,
// and the resource functions find the song in it as in any module.
#include "music/CResourceModule.h"

#include "common/ProgramFile.h"
#include "platform/win32/Win32Api.h"

#include <optional>
#include <string>
#include <vector>

namespace {

// True when every byte from `start` on lies in memory of the module's own mapping. The system
// does not check a resource's size against its file, so a damaged package could name more
// bytes than it has.
bool liesInMapping(const void* start, std::size_t size, HMODULE module)
{
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(start, &region, sizeof region)) {
        return false;
    }
    const void* mapping = region.AllocationBase;
    auto at = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t end = at + size;
    if (end < at || mapping == nullptr ||
        reinterpret_cast<std::uintptr_t>(mapping) > (reinterpret_cast<std::uintptr_t>(module) & ~std::uintptr_t(3))) {
        return false;
    }
    while (at < end) {
        if (!VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) ||
            region.AllocationBase != mapping || region.State != MEM_COMMIT ||
            (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0) {
            return false;
        }
        at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

// Wine maps a module whose sections run past the end of its file, where Windows refuses it
// as a bad image: the file is checked first, so a damaged package fails to load everywhere.
bool isWholeModule(const std::filesystem::path& path)
{
    // Far more than any package of ours; a bigger file is not read at all.
    constexpr std::uintmax_t kLargestModule = 256u * 1024u * 1024u;
    const std::optional<std::string> bytes = readProgramFile(path, kLargestModule);
    return bytes && CPeImage::parse(std::vector<std::uint8_t>(bytes->begin(), bytes->end())).has_value();
}

} // namespace

class CResourceModule::CLoaded {
public:
    explicit CLoaded(HMODULE mapped) : module(mapped) {}
    ~CLoaded() { FreeLibrary(module); }
    CLoaded(const CLoaded&) = delete;
    CLoaded& operator=(const CLoaded&) = delete;

    HMODULE module;
};

CResourceModule::CResourceModule() = default;
CResourceModule::CResourceModule(std::filesystem::path name) : name_(std::move(name)) {}
CResourceModule::~CResourceModule() = default;

bool CResourceModule::Load()
{
    if (loaded_) {
        return true;
    }
    // File names inside the program are single bytes, opened with the ANSI calls.
    const std::string name = narrowFileName(name_);
    if (name.empty() || !isWholeModule(name_)) {
        return false;
    }
    // A missing package must not make the system show a box about it.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const HMODULE module = LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    SetErrorMode(oldMode);
    if (module) {
        loaded_ = std::make_unique<CLoaded>(module);
    }
    return loaded_ != nullptr;
}

void CResourceModule::Free()
{
    loaded_.reset();
}

std::optional<SResourceLocation> CResourceModule::Find(std::string_view name, std::string_view type) const
{
    if (!loaded_) {
        return std::nullopt;
    }
    const std::string resourceName(name);
    const std::string resourceType(type);
    const HRSRC found = FindResourceA(loaded_->module, resourceName.c_str(), resourceType.c_str());
    if (!found) {
        return std::nullopt;
    }
    SResourceLocation location;
    location.size = SizeofResource(loaded_->module, found);
    location.systemHandle = reinterpret_cast<std::uintptr_t>(found);
    return location;
}

std::optional<std::span<const std::uint8_t>> CResourceModule::Data(const SResourceLocation& location) const
{
    if (!loaded_ || location.systemHandle == 0) {
        return std::nullopt;
    }
    const auto found = reinterpret_cast<HRSRC>(location.systemHandle);
    const HGLOBAL handle = LoadResource(loaded_->module, found);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    const DWORD size = SizeofResource(loaded_->module, found);
    if (!bytes || !liesInMapping(bytes, size, loaded_->module)) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes), size);
}
