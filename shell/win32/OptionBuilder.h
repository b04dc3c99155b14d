// Makes the settings dialog's controls, or lays out again those it made before, in one
// font at one DPI: each control's id, caption, items and page come from its row of the
// control table; where it goes is the caller's.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string_view>
#include <vector>

#include "shell/OptionControlTable.h"

// Whether the builder makes the controls or lays out again those it made before.
enum class BuildMode { Create, LayOutAgain };

// Creates controls on the dialog with one font, measures captions in that font and
// keeps the controls of each page. Laying out again goes through the same steps over the
// existing controls, so both ways end with the same layout; only what a control holds
// (items, ranges) and whether it is shown are set at creation alone.
class Builder {
public:
    Builder(HWND dialog, HFONT font, int dpi, BuildMode mode);
    ~Builder();
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    int TextHeight;
    int RowHeight;    // edits, combo box, check boxes
    int LabelOffset;  // a label beside an edit, from the edit's top
    // The controls on each page of PageControlExec.
    std::array<std::vector<HWND>, kOptionPageCount> Pages;
    // The owner-drawn captions that picture a row of edits, by control id: where each of
    // their words is centred, from the caption's left edge.
    std::map<int, std::vector<int>> WordCentres;

    // Pixels at the window's resolution for a length designed at 96 dots per inch.
    int Px(int designed) const;
    int Metric(int index) const;
    bool Creating() const { return mode_ == BuildMode::Create; }
    int TextWidth(std::string_view cp932) const;
    static std::string_view Caption(OptionControl control) { return OptionControlRowOf(control).Caption; }
    static RECT Rect(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

    HWND Add(const wchar_t* windowClass, std::string_view caption, DWORD style, OptionControl control, RECT r,
             DWORD exStyle = 0);
    // The control's caption, as wide as it unless a width is given.
    HWND Label(OptionControl control, int x, int y, int width = 0, int lines = 1);
    // A one-line caption whose words are drawn centred at the given offsets from its left.
    HWND SpreadLabel(OptionControl control, int x, int y, int width, std::vector<int> centres);
    HWND Edit(OptionControl control, RECT r);
    HWND CheckBox(OptionControl control, int x, int y);
    HWND Button(OptionControl control, RECT r, DWORD kind = BS_PUSHBUTTON);
    // A spin edit of the given width (up-down arrows included) with its label before it;
    // returns the right edge.
    int SpinEdit(OptionControl label, OptionControl spinEdit, int x, int y, int width);
    // Button-style tabs; the control is made just as high as its row of buttons.
    HWND Tabs(OptionControl control, int x, int y, int width);
    // A group box with its radio buttons in rows of `columns`; returns the box's bottom.
    int RadioGroup(OptionControl control, int columns, int x, int y, int width);
    // The width a radio group needs for its widest item in each of `columns`.
    int RadioGroupWidth(OptionControl control, int columns) const;

private:
    // A control of the row, or one of the buttons or arrows that take ids after its own.
    HWND AddPart(const wchar_t* windowClass, std::string_view caption, DWORD style, const OptionControlRow& row, int id,
                 RECT r, DWORD exStyle = 0);
    HWND Create(const wchar_t* windowClass, std::string_view caption, DWORD style, bool hidden, int id, RECT r,
                DWORD exStyle);
    // Moves and sizes an existing control; its text, state and visibility stay.
    HWND Place(int id, RECT r);

    HWND dialog_;
    HFONT font_;
    HDC dc_;
    HGDIOBJ oldFont_;
    int dpi_;
    BuildMode mode_;
};

int WindowHeight(HWND window);
