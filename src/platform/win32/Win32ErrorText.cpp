// The system's own text for an error code, for the registry exceptions' GetErrorMessage.
#include "settings/CWin32Exception.h"

#include "platform/win32/Win32Api.h"

#include <string>

std::string win32ErrorMessage(std::uint32_t error)
{
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                        0, text, sizeof text - 1, nullptr);
    std::string message(text, length);
    // The system's texts end in a line break, which would split a log line.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    // Asking for the thread's last error instead would give FormatMessageA's own failure, a
    // text about a missing message that says nothing about the error: the number does.
    return message.empty() ? "Error " + std::to_string(error) : message;
}
