#include "shell/win32/TraceWindow.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "shell/win32/OptionControlIds.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Win32Dpi.h"
#include "text/SjisLiteral.h"

namespace {

// The texts after the steps, item by item of the list.
struct TraceTexts {
    std::vector<std::wstring> After;
};

TraceTexts* TextsOf(HWND window) { return reinterpret_cast<TraceTexts*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

void ShowChosenText(HWND window)
{
    const TraceTexts* texts = TextsOf(window);
    const LRESULT chosen = SendDlgItemMessageW(window, kIdListBoxTrace, LB_GETCURSEL, 0, 0);
    const bool valid = texts && chosen >= 0 && static_cast<std::size_t>(chosen) < texts->After.size();
    SetDlgItemTextW(window, kIdMemoTrace, valid ? texts->After[static_cast<std::size_t>(chosen)].c_str() : L"");
}

// The list above, a third of the height; the text below.
void LayOut(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    const int listHeight = client.bottom / 3;
    MoveWindow(GetDlgItem(window, kIdListBoxTrace), 0, 0, client.right, listHeight, TRUE);
    MoveWindow(GetDlgItem(window, kIdMemoTrace), 0, listHeight, client.right, client.bottom - listHeight, TRUE);
}

LRESULT CALLBACK TraceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: LayOut(window); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kIdListBoxTrace && HIWORD(wParam) == LBN_SELCHANGE) ShowChosenText(window);
        return 0;
    case WM_NCDESTROY: delete TextsOf(window); break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND AddChild(HWND window, const wchar_t* windowClass, DWORD style, int id)
{
    return CreateWindowExW(WS_EX_CLIENTEDGE, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 0, 0, 0, 0,
                           window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

HWND CreateTraceWindow(HWND dialog)
{
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = TraceWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kTraceWindowClass;
        return RegisterClassW(&windowClass);
    }();
    if (registered == 0) return nullptr;
    const int dpi = WindowDpi(dialog);
    RECT owner;
    GetWindowRect(dialog, &owner);
    const int offset = MulDiv(40, dpi, kDesignDpi);
    HWND window = CreateWindowExW(0, kTraceWindowClass, WideDisplayText("経過"_sj).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, owner.left + offset,
                                  owner.top + offset, MulDiv(480, dpi, kDesignDpi), MulDiv(360, dpi, kDesignDpi),
                                  dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TraceTexts));
    const HWND list = AddChild(window, WC_LISTBOXW, WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kIdListBoxTrace);
    const HWND text = AddChild(window, WC_EDITW, WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                               kIdMemoTrace);
    SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
    // The dialog's own font, which follows its DPI.
    const WPARAM font =
        static_cast<WPARAM>(SendDlgItemMessageW(dialog, OptionControlId(OptionControl::ButtonExe), WM_GETFONT, 0, 0));
    for (HWND child : {list, text}) SendMessageW(child, WM_SETFONT, font, FALSE);
    LayOut(window);
    return window;
}

HWND OpenTraceWindow(HWND dialog)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, kTraceWindowClass, nullptr); window;
         window = FindWindowExW(nullptr, window, kTraceWindowClass, nullptr))
        if (GetWindow(window, GW_OWNER) == dialog) return window;
    return CreateTraceWindow(dialog);
}

}  // namespace

void ShowTraceWindow(HWND dialog, const std::vector<TraceStepShown>& steps)
{
    const HWND window = OpenTraceWindow(dialog);
    if (!window) throw std::runtime_error(SjString("経過のウィンドウを開けません"_sj));
    TraceTexts& texts = *TextsOf(window);
    texts.After.clear();
    const HWND list = GetDlgItem(window, kIdListBoxTrace);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const TraceStepShown& step : steps) {
        const std::wstring line = WideDisplayText(step.Line.Text, step.Line.StandIns.get());
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        texts.After.push_back(WideDisplayText(step.TextAfter.Text, step.TextAfter.StandIns.get()));
    }
    SendMessageW(list, LB_SETCURSEL, steps.empty() ? static_cast<WPARAM>(-1) : steps.size() - 1, 0);
    ShowChosenText(window);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
}
