#include "shell/win32/SpreadLabel.h"

#include <algorithm>
#include <string>

void DrawSpreadLabel(const DRAWITEMSTRUCT& item, const std::vector<int>& centres)
{
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ oldFont = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    std::size_t start = caption.find_first_not_of(L' ');
    for (int centre : centres) {
        if (start == std::wstring::npos) break;
        const std::size_t end = std::min(caption.find(L' ', start), caption.size());
        const int length = static_cast<int>(end - start);
        SIZE size{};
        GetTextExtentPoint32W(item.hDC, caption.c_str() + start, length, &size);
        TextOutW(item.hDC, item.rcItem.left + centre - size.cx / 2, item.rcItem.top, caption.c_str() + start, length);
        start = caption.find_first_not_of(L' ', end);
    }
    SelectObject(item.hDC, oldFont);
}
