#include "platform/win32/Utf8Console.h"

#include "platform/win32/Win32Api.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

} // namespace

std::string consoleTextToUtf8(std::wstring& pending)
{
    std::wstring whole;
    whole.swap(pending);
    if (!whole.empty() && whole.back() >= 0xD800 && whole.back() <= 0xDBFF) {
        pending.push_back(whole.back());
        whole.pop_back();
    }
    std::erase(whole, L'\r');
    if (whole.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, whole.data(), int(whole.size()), nullptr, 0, nullptr, nullptr);
    std::string text(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, whole.data(), int(whole.size()), text.data(), size, nullptr, nullptr);
    }
    return text;
}

namespace {

class CConsoleInputBuffer final : public std::streambuf {
public:
    explicit CConsoleInputBuffer(HANDLE console) : console_(console) {}

protected:
    int_type underflow() override
    {
        while (gptr() == egptr()) {
            wchar_t read[512];
            DWORD count = 0;
            if (!ReadConsoleW(console_, read, DWORD(std::size(read)), &count, nullptr) || count == 0) {
                return traits_type::eof();
            }
            // Ctrl+Z at the start of a line ends the input, as the console's own reads do.
            if (count >= 1 && read[0] == 0x1A) {
                return traits_type::eof();
            }
            pending_.append(read, count);
            text_ = consoleTextToUtf8(pending_);
            setg(text_.data(), text_.data(), text_.data() + text_.size());
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    HANDLE console_;
    std::wstring pending_;
    std::string text_;
};

} // namespace

CUtf8Console::CUtf8Console() : oldInputPage_(GetConsoleCP()), oldOutputPage_(GetConsoleOutputCP())
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (isConsole(GetStdHandle(STD_OUTPUT_HANDLE)) || isConsole(GetStdHandle(STD_ERROR_HANDLE))) {
        SetConsoleOutputCP(CP_UTF8);
    }
    if (isConsole(input)) {
        SetConsoleCP(CP_UTF8);
        consoleInput_ = std::make_unique<CConsoleInputBuffer>(input);
        oldInput_ = std::cin.rdbuf(consoleInput_.get());
    }
}

CUtf8Console::~CUtf8Console()
{
    if (oldInput_) {
        std::cin.rdbuf(oldInput_);
    }
    std::cout.flush();
    if (oldOutputPage_) {
        SetConsoleOutputCP(oldOutputPage_);
    }
    if (oldInputPage_) {
        SetConsoleCP(oldInputPage_);
    }
}
