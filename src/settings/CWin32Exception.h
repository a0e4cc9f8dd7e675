#pragma once
#include <cstdint>
#include <string>

// A failed system call: which operation failed (a static text) and the system's error code.
class CWin32Exception {
public:
    CWin32Exception(const char* failedStep, std::uint32_t code) : where(failedStep), error(code) {}
    virtual ~CWin32Exception() = default;

    // The system's text for the error, or "Error N" for codes it has none for.
    virtual std::string GetErrorMessage() const;

    const char* where;
    std::uint32_t error;
};

// The text for a system error code, as GetErrorMessage gives it.
std::string win32ErrorMessage(std::uint32_t error);
