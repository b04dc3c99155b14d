#include "shell/win32/Win32Clipboard.h"

#include <new>
#include <stdexcept>
#include <string>

#include "shell/win32/WideText.h"
#include "text/Cp932.h"
#include "text/SjisLiteral.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

// Another program may hold the clipboard for a moment (clipboard managers open it on
// every change), so opening is retried for about 200 ms before giving up.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMilliseconds = 20;

std::runtime_error ReadError() { return std::runtime_error(std::string("クリップボードのテキストを読み取れません"_sj)); }
std::runtime_error WriteError() { return std::runtime_error(std::string("クリップボードに書き込めません"_sj)); }

// The file name of the program whose window has the clipboard open ("notepad.exe"), or
// empty when it cannot be told.
std::string ClipboardHolder()
{
    DWORD process = 0;
    const HWND holder = GetOpenClipboardWindow();
    if (!holder || !GetWindowThreadProcessId(holder, &process)) return {};
    const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle) return {};
    wchar_t path[MAX_PATH];
    DWORD length = MAX_PATH;
    const BOOL found = QueryFullProcessImageNameW(handle, 0, path, &length);
    CloseHandle(handle);
    if (!found) return {};
    const std::wstring_view full(path, length);
    try {
        return FromWide(full.substr(full.find_last_of(L"\\/") + 1));
    } catch (const EEncodingError&) {
        return {};  // a name CP932 cannot spell: the message goes without it
    }
}

// The clipboard, open for one operation and closed again however the operation ends.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner)
    {
        for (int attempt = 1; !OpenClipboard(owner); ++attempt) {
            if (attempt == kOpenAttempts) {
                const std::string holder = ClipboardHolder();
                if (holder.empty()) throw EClipboardOpen();
                throw EClipboardOpen(holder);
            }
            Sleep(kOpenRetryMilliseconds);
        }
    }
    ~OpenClipboardScope() { CloseClipboard(); }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
};

// The clipboard's data block, locked for reading.
class LockedData {
public:
    explicit LockedData(HANDLE block) : block_(block), data_(GlobalLock(block))
    {
        if (!data_) throw ReadError();
    }
    ~LockedData() { GlobalUnlock(block_); }
    LockedData(const LockedData&) = delete;
    LockedData& operator=(const LockedData&) = delete;

    const void* Data() const { return data_; }
    SIZE_T Size() const { return GlobalSize(block_); }

private:
    HANDLE block_;
    const void* data_;
};

// A global memory block that is freed unless it has been handed to the clipboard.
class OwnedBlock {
public:
    explicit OwnedBlock(SIZE_T bytes) : block_(GlobalAlloc(GMEM_MOVEABLE, bytes))
    {
        if (!block_) throw std::bad_alloc();
    }
    ~OwnedBlock()
    {
        if (block_) GlobalFree(block_);
    }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;

    HGLOBAL Get() const { return block_; }
    void Release() { block_ = nullptr; }

private:
    HGLOBAL block_;
};

// The text format that the clipboard's owner put there, or 0 for none. The system makes
// the other text formats from it and lists them after the ones that were put there.
// Console text (CF_OEMTEXT) is best taken through the system's Unicode conversion.
UINT PlacedTextFormat()
{
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (format == CF_TEXT) return CF_TEXT;
        if (format == CF_UNICODETEXT || format == CF_OEMTEXT) return CF_UNICODETEXT;
    }
    return 0;
}

// The block need not hold a terminating zero: reading stops at its end as well.
MappedText ReadUnicodeText(const LockedData& block)
{
    const auto* chars = static_cast<const wchar_t*>(block.Data());
    const SIZE_T capacity = block.Size() / sizeof(wchar_t);
    std::u16string text;
    for (SIZE_T i = 0; i < capacity && chars[i] != L'\0'; ++i) text += static_cast<char16_t>(chars[i]);
    MappedText mapped;
    mapped.Text = Utf16ToCp932(text, *mapped.StandIns);
    return mapped;
}

std::string ReadAnsiText(const LockedData& block)
{
    const auto* bytes = static_cast<const char*>(block.Data());
    const SIZE_T capacity = block.Size();
    SIZE_T length = 0;
    while (length < capacity && bytes[length] != '\0') ++length;
    return std::string(bytes, length);
}

}  // namespace

MappedText Win32Clipboard::GetClipboardText()
{
    OpenClipboardScope clipboard(owner_);
    const UINT format = PlacedTextFormat();
    if (format == 0) return {};
    // Listed but not delivered (its owner failed to render it): an error, not an empty
    // text that would then overwrite the clipboard.
    const HANDLE data = GetClipboardData(format);
    if (!data) throw ReadError();
    const LockedData block(data);
    return format == CF_TEXT ? MappedText(ReadAnsiText(block)) : ReadUnicodeText(block);
}

void Win32Clipboard::SetClipboardText(const MappedText& text)
{
    // Converted before the clipboard is opened, so a text that cannot be written leaves
    // the clipboard as it was.
    std::u16string unicode;
    try {
        unicode = Cp932ToUtf16(text.Text, *text.StandIns);
    } catch (const EEncodingError& e) {
        throw EEncodingError(std::string("文字でないバイトを含むテキストはクリップボードに書き込めません（"_sj) + e.what() +
                             std::string("）"_sj));
    }
    OwnedBlock block((unicode.size() + 1) * sizeof(wchar_t));
    auto* chars = static_cast<wchar_t*>(GlobalLock(block.Get()));
    if (!chars) throw WriteError();
    for (std::size_t i = 0; i < unicode.size(); ++i) chars[i] = static_cast<wchar_t>(unicode[i]);
    chars[unicode.size()] = L'\0';
    GlobalUnlock(block.Get());

    OpenClipboardScope clipboard(owner_);
    if (!EmptyClipboard()) throw WriteError();
    // The system makes CF_TEXT and CF_OEMTEXT from the Unicode text for programs that ask.
    if (!SetClipboardData(CF_UNICODETEXT, block.Get())) throw WriteError();
    block.Release();
}
