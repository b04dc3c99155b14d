// Checks the Win32 platform services against the real system (Windows or Wine): the
// clipboard as CP932 text, the linguistic line order, the keyboard layout's key names, the
// hot-key modifiers' flags and the shell launch. Prints a line for each failed check and "N passed, M failed"; exits
// with 1 on any failure. It uses the clipboard and starts one small batch file.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "text/Cp932.h"
#include "core/ShortCutText.h"
#include "text/SjisLiteral.h"
#include "shell/win32/Win32Clipboard.h"
#include "shell/win32/Win32HotKeyModifiers.h"
#include "shell/win32/Win32KeyNames.h"
#include "shell/win32/Win32Launcher.h"
#include "shell/win32/Win32LineComparer.h"

namespace {

int passed = 0, failed = 0;

void Check(const std::string& name, bool ok, const std::string& detail = {})
{
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
}

std::string Hex(std::string_view bytes)
{
    std::string shown;
    for (unsigned char c : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", c);
        shown += hex;
    }
    return shown;
}

// Runs body and gives the message of the exception of type E it raises, or "(none)".
template <typename E>
std::string RaisedMessage(const std::function<void()>& body)
{
    try {
        body();
    } catch (const E& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("(other exception) ") + e.what();
    }
    return "(none)";
}

// --- Clipboard --------------------------------------------------------------------------

// Puts raw data on the clipboard as another program would.
void PlaceRaw(HWND owner, UINT format, const void* data, std::size_t bytes)
{
    OpenClipboard(owner);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), data, bytes);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) GlobalFree(block);
    CloseClipboard();
}

std::wstring ReadRawUnicode(HWND owner)
{
    OpenClipboard(owner);
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool FormatAvailable(UINT format)
{
    return IsClipboardFormatAvailable(format) != FALSE;
}

struct RoundTripCase {
    const char* name;
    std::string written;
    std::string read;
};

void CheckClipboard(HWND window)
{
    Win32Clipboard clipboard(window);

    const RoundTripCase roundTrips[] = {
        {"ASCII with line breaks", "ab\r\ncd", "ab\r\ncd"},
        {"Japanese with Microsoft's codes", std::string("あ～①Ⅰ表ｱ"_sj), std::string("あ～①Ⅰ表ｱ"_sj)},
        {"empty text", "", ""},
        {"cut at a zero byte", std::string("ab\0cd", 5), "ab"},
    };
    for (const RoundTripCase& c : roundTrips) {
        clipboard.SetClipboardText(c.written);
        const std::string read = clipboard.GetClipboardText().Text;
        Check(std::string("clipboard round trip: ") + c.name, read == c.read, Hex(read));
    }
    clipboard.SetClipboardText("");
    Check("empty text stays a text", FormatAvailable(CF_UNICODETEXT));

    clipboard.SetClipboardText("x");
    Check("written as Unicode text", FormatAvailable(CF_UNICODETEXT));
    Check("ANSI text made by the system", FormatAvailable(CF_TEXT));

    const wchar_t unicode[] = L"\u3042\u3044\uFF5E";
    PlaceRaw(window, CF_UNICODETEXT, unicode, sizeof unicode);
    Check("reads Unicode text as CP932", clipboard.GetClipboardText() == "\x82\xA0\x82\xA2\x81\x60",
          Hex(clipboard.GetClipboardText().Text));

    // Taken as CP932 bytes whatever the system code page is.
    const char ansi[] = "\x82\xA0z\x95\x5C";
    PlaceRaw(window, CF_TEXT, ansi, sizeof ansi);
    Check("reads ANSI-only text as CP932 bytes", clipboard.GetClipboardText() == "\x82\xA0z\x95\x5C",
          Hex(clipboard.GetClipboardText().Text));

    // Read no further than the block; the system may terminate such a text itself (Wine
    // puts a zero over its last byte).
    const char unterminated[] = {'a', 'b'};
    PlaceRaw(window, CF_TEXT, unterminated, sizeof unterminated);
    const std::string unterminatedRead = clipboard.GetClipboardText().Text;
    Check("reads ANSI text without a terminating zero", unterminatedRead == "ab" || unterminatedRead == "a",
          Hex(unterminatedRead));

    // Characters beyond CP932 come back exactly through an edit's read and write; a
    // surrogate pair is one character.
    const std::wstring beyond[] = {
        L"10\u6642\u301C12\u6642 caf\u00E9 \U0001F600 \u2212 ab", L"\u2016\u00A2\u00A3\u00AC\u00A5\u2014\u2013\u00A0",
        L"\u20AC \U00020BB7 \uD55C",
    };
    for (const std::wstring& text : beyond) {
        PlaceRaw(window, CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        const MappedText read = clipboard.GetClipboardText();
        clipboard.SetClipboardText(read);
        Check("characters beyond CP932 come back exactly", ReadRawUnicode(window) == text, Hex(read.Text));
    }

    OpenClipboard(window);
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, CreateBitmap(1, 1, 1, 32, nullptr));
    CloseClipboard();
    Check("a picture alone reads as the empty text", clipboard.GetClipboardText().Text.empty());

    OpenClipboard(window);
    EmptyClipboard();
    CloseClipboard();
    Check("an empty clipboard reads as the empty text", clipboard.GetClipboardText().Text.empty());

    // Writing replaces every other format.
    const UINT custom = RegisterClipboardFormatW(L"MorvaneCheckFormat");
    PlaceRaw(window, custom, "data", 5);
    clipboard.SetClipboardText("new");
    Check("writing removes other formats", !FormatAvailable(custom));

    clipboard.SetClipboardText("kept");
    const std::string invalid = RaisedMessage<EEncodingError>([&] { clipboard.SetClipboardText("a\x85\x40"); });
    Check("bytes that are no character raise", invalid.find("0x8540") != std::string::npos, invalid);
    Check("and leave the clipboard as it was", clipboard.GetClipboardText() == "kept");

    // Another program holds the clipboard: long enough to give up, then only briefly.
    const std::string openMessage(std::string("クリップボードを開くことができません"_sj));
    for (const DWORD holdMilliseconds : {1500UL, 60UL}) {
        HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread holder([&] {
            OpenClipboard(nullptr);
            SetEvent(opened);
            Sleep(holdMilliseconds);
            CloseClipboard();
        });
        WaitForSingleObject(opened, INFINITE);
        if (holdMilliseconds > 1000) {
            Check("a held clipboard raises on reading",
                  RaisedMessage<EClipboardOpen>([&] { clipboard.GetClipboardText(); }) == openMessage);
            Check("a held clipboard raises on writing",
                  RaisedMessage<EClipboardOpen>([&] { clipboard.SetClipboardText("lost"); }) == openMessage);
        } else {
            Check("a clipboard held briefly is waited for",
                  RaisedMessage<EClipboardOpen>([&] { clipboard.SetClipboardText("late"); }) == "(none)");
        }
        holder.join();
        CloseHandle(opened);
    }
    Check("the write that waited arrived", clipboard.GetClipboardText() == "late");
}

// --- Line order -------------------------------------------------------------------------

struct OrderCase {
    const char* name;
    std::string a, b;
    int sign;
};

int Sign(int v) { return (v > 0) - (v < 0); }

void CheckLineComparer()
{
    const Win32LineComparer comparer;
    const OrderCase cases[] = {
        {"case is ignored", "abc", "ABC", 0},
        {"letters in order", "apple", "Banana", -1},
        {"empty line first", "", "a", -1},
        {"digits before letters", "9", "a", -1},
        {"kana in order", std::string("あ"_sj), std::string("い"_sj), -1},
        {"stray bytes equal themselves", "\x85\x40", "\x85\x40", 0},
        {"stray bytes differ from a character", "\x85\x40", std::string("あ"_sj), 2},
        {"lone lead byte at the end", "a\x82", "a\x82", 0},
    };
    for (const OrderCase& c : cases) {
        const int forward = Sign(comparer.Compare(c.a, c.b));
        const int backward = Sign(comparer.Compare(c.b, c.a));
        if (c.sign == 2) Check(std::string("line order: ") + c.name, forward != 0 && backward == -forward);
        else Check(std::string("line order: ") + c.name, forward == c.sign && backward == -c.sign,
                   std::to_string(forward) + " " + std::to_string(backward));
    }

    // One consistent order over lines with and without stray bytes.
    std::vector<std::string> lines = {"b", "\x85\x40", "A", "", "a\x82", std::string("あ"_sj), "\x80", "co-op", "coop",
                                      "B", "\xFD", "a"};
    std::sort(lines.begin(), lines.end(), [&](const std::string& x, const std::string& y) { return comparer.Compare(x, y) < 0; });
    bool ordered = true;
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (std::size_t j = i + 1; j < lines.size(); ++j) ordered = ordered && comparer.Compare(lines[i], lines[j]) <= 0;
    Check("line order is consistent", ordered);
}

// --- Key names --------------------------------------------------------------------------

void CheckKeyNames()
{
    const Win32KeyNames names;
    const ShortCutText text(names);
    int named = 0;
    for (int code = 8; code < 256; ++code) {
        const std::string written = text.ToText(static_cast<ShortCut>(kShortCutCtrl | code));
        if (written.empty()) continue;
        ++named;
        Check("key name reads back: " + written, text.FromText(written) == (kShortCutCtrl | code),
              "code " + std::to_string(code));
    }
    Check("the layout names keys outside the table", !names.LayoutKeyName(VK_MULTIPLY).empty());
    std::printf("key names: %d keys named; VK_MULTIPLY \"%s\", VK_OEM_1 \"%s\", VK_SCROLL \"%s\"\n", named,
                names.LayoutKeyName(VK_MULTIPLY).c_str(), names.LayoutKeyName(VK_OEM_1).c_str(),
                names.LayoutKeyName(VK_SCROLL).c_str());
}

// --- Hot-key modifiers ------------------------------------------------------------------

void CheckHotKeyModifiers()
{
    using enum HotKeyModifiers;
    const struct {
        const char* name;
        HotKeyModifiers modifiers;
        UINT flags;
    } cases[] = {
        {"none", None, 0},
        {"Alt", Alt, MOD_ALT},
        {"Control", Control, MOD_CONTROL},
        {"Shift", Shift, MOD_SHIFT},
        {"no repeat", NoRepeat, MOD_NOREPEAT},
        {"all", Alt | Control | Shift | NoRepeat, MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_NOREPEAT},
    };
    for (const auto& c : cases)
        Check(std::string("hot-key modifiers: ") + c.name, Win32HotKeyModifiers(c.modifiers) == c.flags,
              std::to_string(Win32HotKeyModifiers(c.modifiers)));
}

// --- Shell launch -----------------------------------------------------------------------

std::wstring Wide(const std::string& cp932)
{
    const std::u16string unicode = Cp932ToUtf16(cp932);
    return std::wstring(unicode.begin(), unicode.end());
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string content(256, '\0');
    DWORD read = 0;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    content.resize(read);
    return content;
}

void CheckLauncher(HWND window)
{
    Win32Launcher launcher(window);
    Check("a missing file fails", launcher.LaunchFile("C:\\no such folder\\nothing.txt", "", "", SW_SHOW, TStandInMap()) <= 32);
    Check("a name with bytes that are no character fails",
          launcher.LaunchFile("C:\\\x85\x40.txt", "", "", SW_SHOW, TStandInMap()) == SE_ERR_FNF);

    // A batch file with a Japanese name, started in the directory given, writes its
    // parameter into a marker file there.
    wchar_t tempPath[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, tempPath);
    const std::string folder = Utf16ToCp932(std::u16string(tempPath, tempPath + wcslen(tempPath))) + "morvane-launch\\";
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    const std::wstring marker = Wide(folder + "marker.txt");
    DeleteFileW(marker.c_str());
    const std::string batch = folder + std::string("起動テスト.cmd"_sj);
    HANDLE file = CreateFileW(Wide(batch).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const char script[] = "@echo %1 > marker.txt\r\n";
    DWORD written = 0;
    WriteFile(file, script, sizeof script - 1, &written, nullptr);
    CloseHandle(file);
    const unsigned result = launcher.LaunchFile(batch, "launched", folder, SW_SHOW, TStandInMap());
    Check("a Japanese file name launches", result > 32, std::to_string(result));
    // The batch file runs on its own: wait until its line is complete.
    std::string content;
    for (int i = 0; i < 100 && content.find('\n') == std::string::npos; ++i) {
        Sleep(100);
        content = ReadWholeFile(marker);
    }
    Check("the launched file ran in the directory given, with its parameters", content.starts_with("launched"), content);
}

}  // namespace

int main()
{
    HWND window = CreateWindowExW(0, L"STATIC", L"Morvane services check", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    try {
        CheckClipboard(window);
        CheckLineComparer();
        CheckKeyNames();
        CheckHotKeyModifiers();
        CheckLauncher(window);
    } catch (const std::exception& e) {
        Check("no unexpected exception", false, e.what());
    }
    DestroyWindow(window);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
