// The texts of the error codes the registry file store gives, in the system's wording; where
// the real registry exists, the system's own message table gives them instead.
#include "settings/CWin32Exception.h"

#include "settings/RegistryTypes.h"

std::string win32ErrorMessage(std::uint32_t error)
{
    switch (error) {
    case RegError::Success: return "The operation completed successfully.";
    case RegError::FileNotFound: return "The system cannot find the file specified.";
    case RegError::AccessDenied: return "Access is denied.";
    case RegError::InvalidHandle: return "The handle is invalid.";
    case RegError::NotEnoughMemory: return "Not enough storage is available to process this command.";
    case RegError::BadNetPath: return "The network path was not found.";
    case RegError::InvalidParameter: return "The parameter is incorrect.";
    case RegError::DiskFull: return "There is not enough space on the disk.";
    case RegError::InvalidFlags: return "Invalid flags.";
    default: return "Error " + std::to_string(error);
    }
}
