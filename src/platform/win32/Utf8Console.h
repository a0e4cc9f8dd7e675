#pragma once
#include <memory>
#include <streambuf>
#include <string>

// For a terminal program's lifetime: standard input and output carry the same bytes as on
// other systems (no CR LF translation, so pipes give byte-identical output), and a console
// shows and takes UTF-8. Console input is read as UTF-16 and handed on as UTF-8, since the
// console's byte reads cannot give characters beyond ASCII in code page 65001. The console's
// code pages are given back at the end.
class CUtf8Console {
public:
    CUtf8Console();
    ~CUtf8Console();
    CUtf8Console(const CUtf8Console&) = delete;
    CUtf8Console& operator=(const CUtf8Console&) = delete;

private:
    unsigned oldInputPage_ = 0;
    unsigned oldOutputPage_ = 0;
    std::unique_ptr<std::streambuf> consoleInput_;
    std::streambuf* oldInput_ = nullptr;
};

// What the console gave as UTF-16 (in `pending`), without its CRs, as UTF-8. A surrogate pair
// split between two reads stays in `pending` until its second half arrives.
std::string consoleTextToUtf8(std::wstring& pending);
