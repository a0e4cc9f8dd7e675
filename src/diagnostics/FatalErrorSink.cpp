#include "diagnostics/FatalErrorSink.h"

#include "common/Cp1252.h"

#include <cstdio>

void CStderrFatalSink::showErrorBox(const std::string& message)
{
    const std::string text = "Error: " + cp1252ToUtf8(message) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

void CStderrFatalSink::postQuit(int exitCode)
{
    quitPosted_ = true;
    exitCode_ = exitCode;
}
