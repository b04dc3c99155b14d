// The dialog logic's view over the real controls of the settings dialog window.
#pragma once

#include <windows.h>

#include "shell/UnitOption.h"
#include "shell/win32/OptionControls.h"

// Gives the focus to the control as a click on it would, so the control that had it is
// left first (a spin edit clamps, the hot key is stored) while the set and page it shows
// are still current.
void FocusOn(HWND control);

class OptionWin32View : public IOptionView {
public:
    OptionWin32View(HWND dialog, const std::array<std::vector<HWND>, kOptionPageCount>& pages)
        : dialog_(dialog), pages_(pages)
    {
    }

    const StandInMapPtr& StandIns() override { return standIns_; }
    // Lossless: a character beyond CP932 comes back as its stand-in of the view's map.
    std::string GetText(OptionControl control) override;
    // Lenient: a value that is no valid CP932 (a hand-edited settings file) is shown as
    // well as it can be; it is read back, and so written, only when the user edits it.
    void SetText(OptionControl control, std::string_view text) override;
    bool GetChecked(OptionControl control) override;
    void SetChecked(OptionControl control, bool checked) override;
    int GetItemIndex(OptionControl control) override;
    void SetItemIndex(OptionControl control, int index) override;
    void SetItems(OptionControl control, const std::vector<MappedText>& items) override;
    OrderItems GetOrderItems() override;
    void SetOrderItems(const OrderItems& items) override;
    ShortCut GetHotKey() override;
    void SetHotKey(ShortCut value) override;
    void SetVisible(OptionControl control, bool visible) override;
    void SetEnabled(OptionControl control, bool enabled) override;
    void ShowTrace(const std::vector<TraceStepShown>& steps) override;
    void ShowErrorMessage(std::string_view message) override;
    bool ConfirmWarning(std::string_view message) override;

    // While the view changes controls, their notifications are its own, not the user's.
    bool Updating() const { return updating_ > 0; }
    // Shows the controls of the page control's selected page, the others hidden.
    void ShowSelectedPage();
    // Turns the check mark of a pipeline item over, as a click on it does.
    void ToggleOrderItem(int position);

private:
    class UpdateScope;
    HWND Control(OptionControl control) const;
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    HWND dialog_;
    StandInMapPtr standIns_ = std::make_shared<TStandInMap>();
    std::array<std::vector<HWND>, kOptionPageCount> pages_;  // the controls of each page
    int updating_ = 0;
    bool pagesVisible_ = true;
    // What SetHotKey last showed, as a shortcut value and as the control's own value: a
    // value the control cannot hold whole (a key code above 255) reads back unchanged as
    // long as the user has not pressed another key.
    ShortCut hotKeyShown_ = 0;
    LRESULT hotKeyControlValue_ = 0;
};
