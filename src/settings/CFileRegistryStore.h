#pragma once
#include <map>
#include <memory>
#include <string>

#include "settings/IRegistryFile.h"
#include "settings/IRegistryStore.h"

class CRegistryDocument;

// HKEY_CURRENT_USER kept in a registry file. Every call reads the file anew, every change is
// one locked, atomic rewrite of it, so two running copies see each other's values at once.
// The file keeps no key classes and no volatile keys: those arguments are accepted and ignored.
class CFileRegistryStore final : public IRegistryStore {
public:
    explicit CFileRegistryStore(std::unique_ptr<IRegistryFile> file);

    std::uint32_t connect(std::string_view machine, ERegKeyHandle root,
                          ERegKeyHandle& remoteRoot) override;
    std::uint32_t openKey(ERegKeyHandle parent, std::string_view subKey, std::uint32_t access,
                          ERegKeyHandle& opened) override;
    std::uint32_t createKey(ERegKeyHandle parent, std::string_view subKey,
                            std::string_view className, std::uint32_t options,
                            std::uint32_t access, ERegKeyHandle& created,
                            std::uint32_t& disposition) override;
    std::uint32_t queryValue(ERegKeyHandle key, std::string_view name, std::uint32_t& type,
                             std::vector<std::uint8_t>& data) override;
    std::uint32_t setValue(ERegKeyHandle key, std::string_view name, std::uint32_t type,
                           std::span<const std::uint8_t> data) override;
    std::uint32_t closeKey(ERegKeyHandle key) override;

    std::size_t openKeyCount() const { return openKeys_.size(); }

private:
    struct SOpenKey {
        std::string path;
        std::uint32_t access = 0;
    };

    std::uint32_t keyPath(ERegKeyHandle key, std::string& path) const;
    std::uint32_t childPath(ERegKeyHandle parent, std::string_view subKey, std::string& path) const;
    std::uint32_t readDocument(CRegistryDocument& document) const;
    static bool keyExists(const CRegistryDocument& document, const std::string& path);
    ERegKeyHandle newHandle(std::string path, std::uint32_t access);

    std::unique_ptr<IRegistryFile> file_;
    std::map<std::uintptr_t, SOpenKey> openKeys_;
    std::uintptr_t nextHandle_ = 0x100;
};
