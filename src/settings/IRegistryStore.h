#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "settings/RegistryTypes.h"

// The per-user registry: keys below predefined roots, named typed values. Every operation
// returns a system error code (RegError::Success when it worked). Names are Windows-1252.
class IRegistryStore {
public:
    virtual ~IRegistryStore() = default;

    // The root of another machine's registry; an empty machine name means this one.
    virtual std::uint32_t connect(std::string_view machine, ERegKeyHandle root,
                                  ERegKeyHandle& remoteRoot) = 0;
    // Opens parent\subKey; fails with FileNotFound when it does not exist.
    virtual std::uint32_t openKey(ERegKeyHandle parent, std::string_view subKey,
                                  std::uint32_t access, ERegKeyHandle& opened) = 0;
    // Opens parent\subKey, creating it and its missing parents.
    virtual std::uint32_t createKey(ERegKeyHandle parent, std::string_view subKey,
                                    std::string_view className, std::uint32_t options,
                                    std::uint32_t access, ERegKeyHandle& created,
                                    std::uint32_t& disposition) = 0;
    virtual std::uint32_t queryValue(ERegKeyHandle key, std::string_view name, std::uint32_t& type,
                                     std::vector<std::uint8_t>& data) = 0;
    virtual std::uint32_t setValue(ERegKeyHandle key, std::string_view name, std::uint32_t type,
                                   std::span<const std::uint8_t> data) = 0;
    virtual std::uint32_t closeKey(ERegKeyHandle key) = 0;
};
