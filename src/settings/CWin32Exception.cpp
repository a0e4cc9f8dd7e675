#include "settings/CWin32Exception.h"

std::string CWin32Exception::GetErrorMessage() const
{
    return win32ErrorMessage(error);
}
