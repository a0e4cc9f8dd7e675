#include "platform/web/WebDialogs.h"

#include "common/Cp1252.h"
#include "platform/web/WebPage.h"

void CWebMessageBox::show(const std::string& title, const std::string& text, EBoxIcon icon)
{
    minne_page_show_box(cp1252ToUtf8(title).c_str(), cp1252ToUtf8(text).c_str(), static_cast<int>(icon));
}

SLaunchResult CWebBrowser::openAddress(const std::string& address)
{
    if (minne_page_open_tab(cp1252ToUtf8(address).c_str()) == 0) {
        return {false, "the browser refused to open a new tab"};
    }
    return {};
}
