#pragma once
#include "music/CPeImage.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

// A resource-only Windows module (such as the song package "resource.dat") read into memory,
// standing in for a module the system loader maps: `Load` reads and checks the file and keeps
// it until `Free`. The bytes a lookup gives stay valid for as long as the module is loaded.
class ResourceModule {
public:
    ResourceModule() = default;
    explicit ResourceModule(std::filesystem::path name) : name_(std::move(name)) {}

    // Takes effect at the next `Load` after the module was freed.
    void SetName(std::filesystem::path name) { name_ = std::move(name); }
    const std::filesystem::path& Name() const { return name_; }

    // True when the module is loaded now. Like a second load of a mapped module, loading an
    // already loaded module keeps the image it has. False when the file is missing,
    // unreadable, implausibly large, or not a module.
    bool Load();
    void Free() { image_.reset(); }
    bool IsLoaded() const { return image_.has_value(); }

    // Finds a resource by name and type, compared without regard to case. Nothing when the
    // module is not loaded or has no such resource.
    std::optional<SResourceLocation> Find(std::string_view name, std::string_view type) const;
    // The resource's bytes, or nothing when they lie outside the file.
    std::optional<std::span<const std::uint8_t>> Data(const SResourceLocation& location) const;

private:
    std::filesystem::path name_;
    std::optional<CPeImage> image_;
};
