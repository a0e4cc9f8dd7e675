#pragma once
#include <string>

#include "settings/IRegistryFile.h"
#include "settings/RegistryTypes.h"

// A registry file in memory, with a switch to make writes fail and a count of writes.
class CMemoryRegistryFile final : public IRegistryFile {
public:
    explicit CMemoryRegistryFile(std::string& text) : text_(text) {}

    std::uint32_t read(std::string& text) override
    {
        text = text_;
        return RegError::Success;
    }

    std::uint32_t update(const Edit& edit) override
    {
        std::string text = text_;
        if (const std::uint32_t result = edit(text)) {
            return result;
        }
        if (text != text_) {
            if (writeError) {
                return writeError;
            }
            text_ = text;
            ++writes;
        }
        return RegError::Success;
    }

    std::uint32_t writeError = RegError::Success;
    int writes = 0;

private:
    std::string& text_;
};
