#pragma once
#include "settings/IRegistryFile.h"

#include <string>

// The registry file's text kept in the page's localStorage under one key, so a reload (or the
// next visit) finds the settings again. The text is Windows-1252 inside and UTF-8 in the page.
// A page runs one program, so a write needs no lock.
class CLocalStorageRegistryFile final : public IRegistryFile {
public:
    explicit CLocalStorageRegistryFile(std::string key) : key_(std::move(key)) {}

    std::uint32_t read(std::string& text) override;
    std::uint32_t update(const Edit& edit) override;

private:
    std::string key_;
};
