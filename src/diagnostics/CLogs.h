#pragma once
#include "common/Clock.h"
#include "diagnostics/FatalErrorSink.h"

#include <ctime>
#include <filesystem>
#include <string>

// The program's two logs in its working folder: "error_log.txt" with a time stamp on every
// line, and the bare "log.txt". Each call opens, appends, flushes and closes the file, so a
// line is on disk before the call returns even if the program dies right after.
class CLogs {
public:
    // `folder` is where both files live; empty means the working directory.
    CLogs(const IClock& clock, IFatalErrorSink& fatalSink, std::filesystem::path folder = {});

    // Appends "<stamp>: <message>" CR LF; a fatal message then shows the box and posts quit.
    void writeErrorLog(const std::string& message, bool fatal);
    // Appends the text, and CR LF when asked; no stamp.
    void writeLog(std::string text, bool newline);
    // Shows the message to the user (blocking) and asks the main loop to end with code 0.
    void showFatalError(const std::string& message);

private:
    const IClock& clock_;
    IFatalErrorSink& fatalSink_;
    std::filesystem::path folder_;
};

// "Sat Dec 05 20:59:16 2026": English names, day of month with a leading zero, always 24 bytes.
std::string formatLogTimestamp(const std::tm& local);
