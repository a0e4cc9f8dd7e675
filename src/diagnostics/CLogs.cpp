#include "diagnostics/CLogs.h"

#include "common/ProgramFile.h"

#include <cstdio>
#include <memory>

namespace {

constexpr const char* kErrorLogName = "error_log.txt";
constexpr const char* kPlainLogName = "log.txt";
// Messages are shown from a fixed buffer of this size, terminator included.
constexpr std::size_t kFatalMessageCapacity = 1024;

// Binary append with explicit CR LF reproduces text-mode append byte for byte.
FilePtr openForAppend(const std::filesystem::path& folder, const char* name)
{
    const std::filesystem::path path = folder.empty() ? std::filesystem::path(name) : folder / name;
    return openProgramFile(path, "ab");
}

void writeBytes(std::FILE* file, const std::string& bytes)
{
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    }
}

int clampField(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

} // namespace

std::string formatLogTimestamp(const std::tm& local)
{
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %s %02d %02d:%02d:%02d %04d",
                  kDays[clampField(local.tm_wday, 0, 6)], kMonths[clampField(local.tm_mon, 0, 11)],
                  clampField(local.tm_mday, 0, 99), clampField(local.tm_hour, 0, 99),
                  clampField(local.tm_min, 0, 99), clampField(local.tm_sec, 0, 99),
                  clampField(local.tm_year + 1900, 0, 9999));
    return buffer;
}

CLogs::CLogs(const IClock& clock, IFatalErrorSink& fatalSink, std::filesystem::path folder)
    : clock_(clock), fatalSink_(fatalSink), folder_(std::move(folder))
{
}

void CLogs::writeErrorLog(const std::string& message, bool fatal)
{
    const std::string line = formatLogTimestamp(clock_.localTime()) + ": " + message + "\r\n";
    if (FilePtr file = openForAppend(folder_, kErrorLogName)) {
        writeBytes(file.get(), line);
        std::fflush(file.get());
    }
    if (fatal) {
        showFatalError(message);
    }
}

void CLogs::writeLog(std::string text, bool newline)
{
    FilePtr file = openForAppend(folder_, kPlainLogName);
    if (!file) {
        return;
    }
    writeBytes(file.get(), text);
    if (newline) {
        writeBytes(file.get(), "\r\n");
        std::fflush(file.get());
    }
}

void CLogs::showFatalError(const std::string& message)
{
    const std::string shown = message.substr(0, kFatalMessageCapacity - 1);
    fatalSink_.showErrorBox(shown);
    fatalSink_.postQuit(0);
}
