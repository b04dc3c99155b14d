// The tray's pop-up menu. It keeps the captions and the checked group and builds a fresh
// menu for every pop-up, so the menu always shows the current state and no menu handle
// lives between clicks. Chosen items come back to the window as WM_COMMAND with the ids
// of MenuIds.h.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/EditSettings.h"
#include "shell/MainPlatform.h"

class Win32TrayMenu : public ITrayMenu {
public:
    explicit Win32TrayMenu(HWND window) : window_(window) {}

    int ItemCount() const override { return static_cast<int>(undoCaptions_.size()); }
    void AddItem() override { undoCaptions_.emplace_back(); }
    void SetCaption(int item, const MappedText& caption) override;
    void SetGroupCaption(int group, std::string_view caption) override;
    void CheckGroup(int group) override { checkedGroup_ = group; }
    void Popup(ScreenPoint at) override;

private:
    HWND window_;
    std::array<std::wstring, kGroupCount> groupCaptions_;
    int checkedGroup_ = 1;
    std::vector<std::wstring> undoCaptions_;
};
