#pragma once
#include "settings/IRegistryStore.h"

// The system registry itself behind the store interface: every call is the registry function
// of the same name, its result code passed on unchanged.
class CWin32RegistryStore final : public IRegistryStore {
public:
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
};
