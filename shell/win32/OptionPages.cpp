#include "shell/win32/OptionPages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using C = OptionControl;

// The words of a caption, split at runs of blanks.
std::vector<std::string_view> Words(std::string_view caption)
{
    std::vector<std::string_view> words;
    for (std::size_t start = caption.find_first_not_of(' '); start != std::string_view::npos;) {
        const std::size_t end = std::min(caption.find(' ', start), caption.size());
        words.push_back(caption.substr(start, end - start));
        start = caption.find_first_not_of(' ', end);
    }
    return words;
}

int BuildReplacePage(Builder& b, PageArea p)
{
    HWND tabs = b.Tabs(C::TabControlReplace, p.X, p.Y, p.Width);
    int y = p.Y + WindowHeight(tabs) + b.Px(10);
    const int labelWidth =
        std::max(b.TextWidth(Builder::Caption(C::LabelFrom)), b.TextWidth(Builder::Caption(C::LabelTo))) + b.Px(8);
    const int editX = p.X + labelWidth;
    b.Label(C::LabelFrom, p.X, y + b.LabelOffset);
    b.Edit(C::EditFrom, Builder::Rect(editX, y, p.Width - labelWidth, b.RowHeight));
    y += b.RowHeight + b.Px(6);
    b.Label(C::LabelTo, p.X, y + b.LabelOffset);
    b.Edit(C::EditTo, Builder::Rect(editX, y, p.Width - labelWidth, b.RowHeight));
    y += b.RowHeight + b.Px(6);
    b.CheckBox(C::CheckBoxCase, editX, y);
    return y + b.RowHeight;
}

int BuildLineNoPage(Builder& b, PageArea p)
{
    const int spinWidth = b.Px(58);
    int x = p.X;
    int y = p.Y;
    x = b.SpinEdit(C::LabelIndex, C::SpinEditIndex, x, y, spinWidth) + b.Px(18);
    x = b.SpinEdit(C::LabelStep, C::SpinEditStep, x, y, spinWidth) + b.Px(18);
    b.SpinEdit(C::LabelDeg, C::SpinEditDeg, x, y, spinWidth);
    y += b.RowHeight + b.Px(12);

    // 前置 over EditBefore, 行番号 over the gap where the number goes, 後置 over EditAfter.
    const int editWidth = b.Px(110);
    const int numberWidth = b.TextWidth(Words(Builder::Caption(C::LabelBeforeAfter))[1]) + b.Px(24);
    b.SpreadLabel(C::LabelBeforeAfter, p.X, y, 2 * editWidth + numberWidth,
                  {editWidth / 2, editWidth + numberWidth / 2, editWidth + numberWidth + editWidth / 2});
    y += b.TextHeight + b.Px(3);
    b.Edit(C::EditBefore, Builder::Rect(p.X, y, editWidth, b.RowHeight));
    b.Edit(C::EditAfter, Builder::Rect(p.X + editWidth + numberWidth, y, editWidth, b.RowHeight));
    y += b.RowHeight + b.Px(10);

    const int boxWidth = (p.Width - b.Px(8)) / 2;
    b.RadioGroup(C::RadioGroupAdd, 2, p.X, y, boxWidth);
    return b.RadioGroup(C::RadioGroupFill, 2, p.X + boxWidth + b.Px(8), y, boxWidth);
}

int BuildCasePage(Builder& b, PageArea p)
{
    const int width = b.RadioGroupWidth(C::RadioGroupCase, 1);
    const int bottom = b.RadioGroup(C::RadioGroupCase, 1, p.X, p.Y, width);
    b.CheckBox(C::CheckBoxInitial, p.X + width + b.Px(16), p.Y + b.TextHeight + b.Px(2));
    return bottom;
}

int BuildConvertPage(Builder& b, PageArea p)
{
    const int width = std::max(b.RadioGroupWidth(C::RadioGroupZnHn, 1), b.RadioGroupWidth(C::RadioGroupKana, 1));
    int bottom = b.RadioGroup(C::RadioGroupZnHn, 1, p.X, p.Y, width);
    b.RadioGroup(C::RadioGroupKana, 1, p.X + width + b.Px(10), p.Y, width);
    bottom += b.Px(6);
    b.CheckBox(C::CheckBoxHnKn, p.X + b.Px(10), bottom);
    return bottom + b.RowHeight;
}

int BuildOtherPage(Builder& b, PageArea p)
{
    int y = b.RadioGroup(C::RadioGroupSort, 3, p.X, p.Y, p.Width) + b.Px(10);

    // ^ EditRLBefore 右辺 EditRLCenter 左辺 EditRLAfter $, the words over the gaps.
    const std::vector<std::string_view> words = Words(Builder::Caption(C::LabelRL));
    const int markWidth = b.TextWidth(std::string(words[0]) + std::string(words[3])) + b.Px(8);
    const int sideWidth = std::max(b.TextWidth(words[1]), b.TextWidth(words[2])) + b.Px(16);
    const int editWidth = (p.Width - 2 * markWidth - 2 * sideWidth) / 3;
    const int gaps[] = {markWidth, sideWidth, sideWidth, markWidth};
    std::vector<int> centres;
    int offset = 0;
    for (int i = 0; i < 4; ++i) {
        centres.push_back(offset + gaps[i] / 2);
        offset += gaps[i] + editWidth;
    }
    b.SpreadLabel(C::LabelRL, p.X, y, p.Width, std::move(centres));
    y += b.TextHeight + b.Px(3);
    const C edits[] = {C::EditRLBefore, C::EditRLCenter, C::EditRLAfter};
    offset = 0;
    for (int i = 0; i < 3; ++i) {
        offset += gaps[i];
        b.Edit(edits[i], Builder::Rect(p.X + offset, y, editWidth, b.RowHeight));
        offset += editWidth;
    }
    y += b.RowHeight + b.Px(10);
    // The URL group: its two choices and, in a third column, the UTF-8 check box, made
    // before the group's box so that it lies above it like the buttons.
    constexpr int urlColumns = 3;
    const int width = b.RadioGroupWidth(C::RadioGroupEnDeCd, urlColumns);
    const int column = (width - b.Px(16)) / urlColumns;
    b.CheckBox(C::CheckBoxURLUtf8, p.X + b.Px(10) + 2 * column, y + b.TextHeight + b.Px(2));
    return b.RadioGroup(C::RadioGroupEnDeCd, urlColumns, p.X, y, width);
}

}  // namespace

int BuildOptionPage(Builder& b, OptionPage page, PageArea area)
{
    int (*const builders[kOptionPageCount])(Builder&, PageArea) = {BuildReplacePage, BuildLineNoPage, BuildCasePage,
                                                                   BuildConvertPage, BuildOtherPage};
    return builders[page](b, area);
}
