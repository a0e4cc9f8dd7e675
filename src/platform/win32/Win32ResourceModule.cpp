// The song package mapped by the system's module loader, as a data file: nothing in it runs,
// and the resource functions find the song in it as in any module.
#include "music/ResourceModule.h"

#include "platform/win32/Win32Api.h"

#include <string>

class ResourceModule::CLoaded {
public:
    explicit CLoaded(HMODULE mapped) : module(mapped) {}
    ~CLoaded() { FreeLibrary(module); }
    CLoaded(const CLoaded&) = delete;
    CLoaded& operator=(const CLoaded&) = delete;

    HMODULE module;
};

ResourceModule::ResourceModule() = default;
ResourceModule::ResourceModule(std::filesystem::path name) : name_(std::move(name)) {}
ResourceModule::~ResourceModule() = default;

bool ResourceModule::Load()
{
    if (loaded_) {
        return true;
    }
    // File names inside the program are single bytes, opened with the ANSI calls.
    const std::string name = name_.string();
    if (name.empty()) {
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

void ResourceModule::Free()
{
    loaded_.reset();
}

std::optional<SResourceLocation> ResourceModule::Find(std::string_view name, std::string_view type) const
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

std::optional<std::span<const std::uint8_t>> ResourceModule::Data(const SResourceLocation& location) const
{
    if (!loaded_ || location.systemHandle == 0) {
        return std::nullopt;
    }
    const auto found = reinterpret_cast<HRSRC>(location.systemHandle);
    const HGLOBAL handle = LoadResource(loaded_->module, found);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes), SizeofResource(loaded_->module, found));
}
