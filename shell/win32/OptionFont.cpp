#include "shell/win32/OptionFont.h"

#include <stdexcept>

#include "shell/win32/Win32Dpi.h"
#include "text/SjisLiteral.h"

namespace {

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool HasJapanese(HDC dc, const wchar_t* face)
{
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

HFONT CreateOptionFont(int dpi)
{
    LOGFONTW font = MessageFontForDpi(dpi);
    HDC dc = GetDC(nullptr);
    if (!HasJapanese(dc, font.lfFaceName)) {
        // Where none of these exists the system's font linking still has to find the glyphs.
        for (const wchar_t* face : {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"Noto Sans CJK JP", L"IPAPGothic"}) {
            if (!HasJapanese(dc, face)) continue;
            lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
            font.lfCharSet = SHIFTJIS_CHARSET;
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    const HFONT created = CreateFontIndirectW(&font);
    if (!created) throw std::runtime_error(SjString("設定ダイアログを作成できません"_sj));
    return created;
}
