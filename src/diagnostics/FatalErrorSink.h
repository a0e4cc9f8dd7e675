#pragma once
#include <string>

// How a fatal message reaches the user and how the program is then asked to end. The shell
// gives one that shows a message box over its window; without a window the text goes to
// standard error.
class IFatalErrorSink {
public:
    virtual ~IFatalErrorSink() = default;
    // Shows a Windows-1252 message with the caption "Error" and blocks until it is dismissed.
    virtual void showErrorBox(const std::string& message) = 0;
    // Asks the main loop to end with this exit code once it next looks.
    virtual void postQuit(int exitCode) = 0;
};

// The sink used before any window exists: the message goes to standard error in UTF-8.
class CStderrFatalSink final : public IFatalErrorSink {
public:
    void showErrorBox(const std::string& message) override;
    void postQuit(int exitCode) override;

    bool quitPosted() const { return quitPosted_; }
    int exitCode() const { return exitCode_; }

private:
    bool quitPosted_ = false;
    int exitCode_ = 0;
};
