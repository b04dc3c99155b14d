#include "shell/win32/Win32TrayMenu.h"

#include <memory>

#include "text/SjisLiteral.h"
#include "shell/win32/MenuIds.h"
#include "shell/win32/WideText.h"

namespace {

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

OwnedMenu NewPopupMenu() { return OwnedMenu(CreatePopupMenu()); }

void AppendItem(HMENU menu, int id, const std::wstring& caption)
{
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), caption.c_str());
}

// Hands the sub-menu to its parent, which destroys it with itself.
void AppendSubMenu(HMENU menu, OwnedMenu subMenu, const std::wstring& caption)
{
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu.release()), caption.c_str());
}

}  // namespace

void Win32TrayMenu::SetCaption(int item, const MappedText& caption)
{
    undoCaptions_.at(static_cast<std::size_t>(item)) = WideDisplayText(caption.Text, caption.StandIns.get());
}

void Win32TrayMenu::SetGroupCaption(int group, std::string_view caption)
{
    groupCaptions_.at(static_cast<std::size_t>(group - 1)) = WideDisplayText(caption);
}

void Win32TrayMenu::Popup(ScreenPoint at)
{
    const OwnedMenu menu = NewPopupMenu();
    AppendItem(menu.get(), kMenuIdOption, WideDisplayText("設定(&S)"_sj));

    const std::wstring undoCaption = WideDisplayText("元に戻す(&U)"_sj);
    if (undoCaptions_.empty()) {
        // Without history the entry is a plain item: an empty sub-menu would open an empty box.
        AppendItem(menu.get(), kMenuIdUndo, undoCaption);
    } else {
        OwnedMenu undo = NewPopupMenu();
        for (std::size_t i = 0; i < undoCaptions_.size(); ++i)
            AppendItem(undo.get(), kMenuIdUndoItemBase + static_cast<int>(i), undoCaptions_[i]);
        AppendSubMenu(menu.get(), std::move(undo), undoCaption);
    }

    OwnedMenu groups = NewPopupMenu();
    for (int g = 1; g <= kGroupCount; ++g)
        AppendItem(groups.get(), kMenuIdGroupBase + g, groupCaptions_[static_cast<std::size_t>(g - 1)]);
    CheckMenuRadioItem(groups.get(), kMenuIdGroupBase + 1, kMenuIdGroupBase + kGroupCount,
                       kMenuIdGroupBase + checkedGroup_, MF_BYCOMMAND);
    AppendSubMenu(menu.get(), std::move(groups), WideDisplayText("グループ(&G)"_sj));

    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendItem(menu.get(), kMenuIdExit, WideDisplayText("終了(&X)"_sj));

    // A menu of a background window only closes on a click elsewhere when its window is
    // in the foreground; the null message afterwards lets a second click on the tray
    // open it again at once.
    SetForegroundWindow(window_);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.X, at.Y, 0, window_, nullptr);
    PostMessageW(window_, WM_NULL, 0, 0);
}
