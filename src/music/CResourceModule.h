#pragma once
#include "music/CPeImage.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

// A resource-only Windows module (such as the song package "resource.dat"), loaded by the
// system's module loader where there is one and read into memory where there is none: `Load`
// maps or reads and checks the file and keeps it until `Free`. The bytes a lookup gives stay
// valid for as long as the module is loaded.
class CResourceModule {
public:
    CResourceModule();
    explicit CResourceModule(std::filesystem::path name);
    ~CResourceModule();
    CResourceModule(const CResourceModule&) = delete;
    CResourceModule& operator=(const CResourceModule&) = delete;

    // Takes effect at the next `Load` after the module was freed.
    void SetName(std::filesystem::path name) { name_ = std::move(name); }
    const std::filesystem::path& Name() const { return name_; }

    // True when the module is loaded now. Like a second load of a mapped module, loading an
    // already loaded module keeps the image it has. False when the file is missing,
    // unreadable, implausibly large, or not a module.
    bool Load();
    void Free();
    bool IsLoaded() const { return loaded_ != nullptr; }

    // Finds a resource by name and type, compared without regard to case. Nothing when the
    // module is not loaded or has no such resource.
    std::optional<SResourceLocation> Find(std::string_view name, std::string_view type) const;
    // The resource's bytes, or nothing when they lie outside the file.
    std::optional<std::span<const std::uint8_t>> Data(const SResourceLocation& location) const;

private:
    // The system's hold on the loaded module; each system defines its own.
    class CLoaded;

    std::filesystem::path name_;
    std::unique_ptr<CLoaded> loaded_;
};
