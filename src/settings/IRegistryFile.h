#pragma once
#include <cstdint>
#include <functional>
#include <string>

// The text the registry lives in, with the one kind of write that cannot lose data.
class IRegistryFile {
public:
    // Changes the text in place; any code but RegError::Success cancels the write.
    using Edit = std::function<std::uint32_t(std::string& text)>;

    virtual ~IRegistryFile() = default;
    // The current text; a file that does not exist yet is an empty text.
    virtual std::uint32_t read(std::string& text) = 0;
    // Under an exclusive lock, reads the text afresh, lets `edit` change it and, if it did,
    // replaces the file at once: either the old or the new text is there, never a mix.
    virtual std::uint32_t update(const Edit& edit) = 0;
};
