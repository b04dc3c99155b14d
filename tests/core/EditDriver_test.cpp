// The edit driver and the undo history: which processes run in which order, what the
// history and the clipboard hold afterwards, also when a process or the clipboard fails,
// and how the undo menu follows the history.
#include <gtest/gtest.h>

#include "core/EditDriver.h"
#include "text/SjisLiteral.h"
#include "support/MemoryClipboard.h"
#include "support/ProcessOrder.h"

namespace {

// Records every call and marks the text with the process's code, so the result shows
// the order in which the processes ran.
struct RecordingRunner {
    std::vector<int> calls;
    int failAt = -1;  // the code whose process raises a pattern error

    ProcessRunner Runner()
    {
        return [this](ProcessKind process, const std::string& text, const EditSet&) {
            const int kind = static_cast<int>(process);
            calls.push_back(kind);
            if (kind == failAt) throw std::runtime_error("pattern error");
            return text + "<" + std::to_string(kind) + ">";
        };
    }
};

class FakeUndoMenu : public IUndoMenu {
public:
    std::vector<std::string> captions;
    int ItemCount() const override { return static_cast<int>(captions.size()); }
    void AddItem() override { captions.emplace_back("<new>"); }
    void SetCaption(int item, const MappedText& caption) override { captions.at(static_cast<std::size_t>(item)) = caption.Text; }
};

std::deque<std::string> Texts(const History& history)
{
    std::deque<std::string> texts;
    for (const MappedText& entry : history.Entries()) texts.push_back(entry.Text);
    return texts;
}

EditSet SetWith(std::array<int, 7> order, std::array<bool, 7> enabled)
{
    EditSet set;
    set.Order = OrderOf(order);
    set.IfExec = enabled;
    return set;
}

struct PipelineCase {
    const char* name;
    std::array<int, 7> order;
    std::array<bool, 7> enabled;
    std::vector<int> calls;
};

TEST(EditDriver, RunsEnabledProcessesInTheSetsOrder)
{
    constexpr bool T = true, F = false;
    const PipelineCase cases[] = {
        {"nothing enabled", {0, 1, 2, 3, 4, 5, 6}, {F, F, F, F, F, F, F}, {}},
        {"all enabled, default order", {0, 1, 2, 3, 4, 5, 6}, {T, T, T, T, T, T, T}, {0, 1, 2, 3, 4, 5, 6}},
        {"reversed order", {6, 5, 4, 3, 2, 1, 0}, {T, F, T, F, T, F, T}, {6, 4, 2, 0}},
        {"flag follows the code, not the position", {4, 0, 1, 2, 3, 5, 6}, {F, F, F, F, T, F, F}, {4}},
        {"code at two positions runs twice", {2, 0, 2, 1, 3, 4, 5}, {F, F, T, F, F, F, F}, {2, 2}},
        {"codes outside 0-6 do nothing", {-1, 7, 1, 100, 6, -7, 0}, {T, T, T, T, T, T, T}, {1, 6, 0}},
        {"enabled code at no position never runs", {0, 0, 0, 0, 0, 0, 1}, {F, T, F, F, F, F, T}, {1}},
    };
    for (const auto& c : cases) {
        RecordingRunner runner;
        const std::string result = RunEditSet("t", SetWith(c.order, c.enabled), runner.Runner());
        EXPECT_EQ(runner.calls, c.calls) << c.name;
        std::string expected = "t";
        for (int kind : c.calls) expected += "<" + std::to_string(kind) + ">";
        EXPECT_EQ(result, expected) << c.name;
    }
}

TEST(EditDriver, RecordsTheTextThenPutsTheResultOnTheClipboard)
{
    FakeUndoMenu menu;
    History history(menu);
    MemoryClipboard clipboard;
    RecordingRunner runner;
    const EditSet set = SetWith({3, 1, 2, 0, 4, 5, 6}, {true, false, false, true, false, false, false});
    EditDriver("abc", set, history, runner.Runner(), clipboard);
    EXPECT_EQ(Texts(history), (std::deque<std::string>{"abc"}));
    EXPECT_EQ(clipboard.GetClipboardText(), "abc<3><0>");

    // Nothing enabled, empty text: still recorded and written back as an empty text.
    clipboard.Clear();
    EditDriver("", EditSet(), history, runner.Runner(), clipboard);
    EXPECT_EQ(Texts(history), (std::deque<std::string>{"", "abc"}));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetClipboardText(), "");
}

TEST(EditDriver, FailingProcessKeepsTheEntryAndTheOldClipboard)
{
    FakeUndoMenu menu;
    History history(menu);
    MemoryClipboard clipboard;
    clipboard.SetClipboardText("before");
    RecordingRunner runner;
    runner.failAt = 5;
    const EditSet set = SetWith({0, 5, 6, 1, 2, 3, 4}, {true, false, false, false, false, true, true});
    EXPECT_THROW(EditDriver("text", set, history, runner.Runner(), clipboard), std::runtime_error);
    EXPECT_EQ(runner.calls, (std::vector<int>{0, 5}));  // the run ends at the failure
    EXPECT_EQ(Texts(history), (std::deque<std::string>{"text"}));
    EXPECT_EQ(menu.captions, std::vector<std::string>{"text"});
    EXPECT_EQ(clipboard.GetClipboardText(), "before");
}

TEST(EditDriver, HeldClipboardReportsAndKeepsTheEntry)
{
    FakeUndoMenu menu;
    History history(menu);
    MemoryClipboard clipboard;
    clipboard.SetHeldByOtherProgram(true);
    RecordingRunner runner;
    try {
        EditDriver("text", EditSet(), history, runner.Runner(), clipboard);
        ADD_FAILURE() << "driver succeeded on a held clipboard";
    } catch (const EClipboardOpen& e) {
        EXPECT_EQ(e.what(), std::string("クリップボードを開くことができません"_sj));
    }
    EXPECT_EQ(Texts(history), (std::deque<std::string>{"text"}));
}

TEST(History, UndoMenuShowsTheNewest31Entries)
{
    FakeUndoMenu menu;
    History history(menu);
    EXPECT_TRUE(menu.captions.empty());
    for (int i = 0; i < 40; ++i) history.AddHistory("edit " + std::to_string(i));
    ASSERT_EQ(history.Entries().size(), 40u);
    ASSERT_EQ(menu.captions.size(), 31u);
    for (int i = 0; i < 31; ++i) EXPECT_EQ(menu.captions[i], "edit " + std::to_string(39 - i)) << "item " << i;
}

TEST(History, CaptionsAreTheFirst30BytesAsTheyAre)
{
    FakeUndoMenu menu;
    History history(menu);
    const std::string_view kana = "あいうえおかきくけこさしすせそた"_sj;  // 32 bytes
    const struct {
        std::string text;
        std::string caption;
    } cases[] = {
        {"short", "short"},
        {"", ""},
        {std::string(30, 'x'), std::string(30, 'x')},
        {std::string(31, 'y'), std::string(30, 'y')},
        {"a" + std::string(kana), "a" + std::string(kana.substr(0, 29))},  // cut inside a double-byte character
        {"a&b\r\n\tc", "a&b\r\n\tc"},
    };
    for (const auto& c : cases) {
        history.AddHistory(c.text);
        EXPECT_EQ(menu.captions[0], c.caption) << c.text;
    }
}

TEST(History, RestoringPutsBackTheWholeEntryAndAddsNothing)
{
    FakeUndoMenu menu;
    History history(menu);
    MemoryClipboard clipboard;
    const std::string longText(100, 'L');
    history.AddHistory(longText);
    history.AddHistory("same");
    history.AddHistory("same");
    ASSERT_EQ(history.Entries().size(), 3u);

    history.MenuHistoriesClick(2, clipboard);
    EXPECT_EQ(clipboard.GetClipboardText(), longText);
    EXPECT_EQ(Texts(history), (std::deque<std::string>{"same", "same", longText}));
    EXPECT_EQ(menu.captions, (std::vector<std::string>{"same", "same", std::string(30, 'L')}));

    // Editing again afterwards records the restored text again.
    RecordingRunner runner;
    EditDriver(clipboard.GetClipboardText(), EditSet(), history, runner.Runner(), clipboard);
    EXPECT_EQ(history.Entries().front(), longText);
    EXPECT_EQ(history.Entries().size(), 4u);
}

}  // namespace
