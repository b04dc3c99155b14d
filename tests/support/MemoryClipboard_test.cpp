// The in-memory clipboard keeps the promises every clipboard makes to its callers.
#include <gtest/gtest.h>

#include "text/SjisLiteral.h"
#include "support/MemoryClipboard.h"

namespace {

TEST(MemoryClipboard, ReadsTextAsTheSystemClipboardWould)
{
    MemoryClipboard clipboard;
    EXPECT_EQ(clipboard.GetClipboardText(), "");
    EXPECT_FALSE(clipboard.HasText());

    clipboard.SetClipboardText("\x82\xA0\r\nb");
    EXPECT_EQ(clipboard.GetClipboardText(), "\x82\xA0\r\nb");

    clipboard.SetClipboardText(std::string("ab\0cd", 5));
    EXPECT_EQ(clipboard.GetClipboardText(), "ab");

    clipboard.SetClipboardText("");
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetClipboardText(), "");

    clipboard.Clear();  // only a picture left
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetClipboardText(), "");
}

TEST(MemoryClipboard, HeldByAnotherProgramFailsAndChangesNothing)
{
    MemoryClipboard clipboard;
    clipboard.SetClipboardText("old");
    clipboard.SetHeldByOtherProgram(true);
    const std::string_view message = "クリップボードを開くことができません"_sj;
    try {
        clipboard.SetClipboardText("new");
        ADD_FAILURE() << "writing a held clipboard succeeded";
    } catch (const EClipboardOpen& e) {
        EXPECT_EQ(e.what(), message);
    }
    EXPECT_THROW(clipboard.GetClipboardText(), EClipboardOpen);
    clipboard.SetHeldByOtherProgram(false);
    EXPECT_EQ(clipboard.GetClipboardText(), "old");
}

}  // namespace
