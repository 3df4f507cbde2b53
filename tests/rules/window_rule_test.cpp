// Which windows a rule picks, and how the settings lists describe it.
#include <gtest/gtest.h>

#include <functional>

#include "core/title_writer.h"
#include "fakes/fake_windows.h"
#include "platform/ports.h"
#include "rules/window_rule.h"

namespace tbq {
namespace {

using W = vbKerova_Window;

class WindowRuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& e = wins_[editor_];
        e.className = u"EditorClass";
        e.style = 0x16CF0000;  // overlapped window, visible, clipping siblings
        e.exStyle = 0x00000100;
        e.width = 800;
        wins_[decorated_].title = u"<12:00>";  // shows our text; its own title is kept
        titleBar_.TargetWindow = decorated_;
        titleBar_.OriginalTitle = u"Report - Viewer";
        titleBar_.ShownTitle = u"<12:00>";
    }
    void TearDown() override {
        titleBar_.TargetWindow = 0;  // nothing to give back at the end
    }

    RuleContext Context() {
        RuleContext c;
        c.titleBar = &titleBar_;
        c.exePath = [this](platform::WindowId w) -> Text {
            if (w == editor_) return u"C:\\Apps\\Editor.exe";
            if (w == bare_) return u"Editor.exe";
            return u"";
        };
        return c;
    }

    test::FakeWindows wins_;
    platform::ScopedPorts ports_{platform::Ports{.windows = &wins_}};
    platform::WindowId editor_ = wins_.Add(u"Memo - Editor");
    platform::WindowId decorated_ = wins_.Add(u"");
    platform::WindowId bare_ = wins_.Add(Text(u"Memo\0after the end", 18));
    vbKerova_TitleBar titleBar_;
};

TEST_F(WindowRuleTest, EveryConditionAndOption) {
    struct Case {
        const char* what;
        platform::WindowId window;
        std::function<void(W&)> set;
        bool matches;
    };
    const platform::WindowId ed = editor_, deco = decorated_, bare = bare_;
    auto title = [](Text t, std::uint32_t opt = 0) {
        return [=](W& r) { r.Flag = W::kTitle; r.WindowTitle = t; r.CheckOption = opt; };
    };
    auto file = [](Text f, std::uint32_t opt = 0) {
        return [=](W& r) { r.Flag = W::kFile; r.FileName = f; r.CheckOption = opt; };
    };
    auto style = [](std::uint32_t s, std::uint32_t opt = 0) {
        return [=](W& r) { r.Flag = W::kStyle; r.WindowStyle = s; r.CheckOption = opt; };
    };
    auto exStyle = [](std::uint32_t s, std::uint32_t opt = 0) {
        return [=](W& r) { r.Flag = W::kExStyle; r.ExStyle = s; r.CheckOption = opt; };
    };
    auto width = [](std::int32_t n, std::uint32_t opt = 0) {
        return [=](W& r) { r.Flag = W::kWidth; r.WindowWidth = n; r.CheckOption = opt; };
    };
    const std::vector<Case> cases = {
        {"no condition matches every window", ed, [](W&) {}, true},
        {"handle", ed, [&](W& r) { r.Flag = W::kHandle; r.WindowHandle = ed; }, true},
        {"other handle", deco, [&](W& r) { r.Flag = W::kHandle; r.WindowHandle = ed; }, false},
        {"the handle alone decides",
         ed, [&](W& r) { r.Flag = W::kHandle | W::kClass; r.WindowHandle = ed; r.WindowClass = u"x"; },
         true},
        {"whole title, any case", ed, title(u"memo - EDITOR"), true},
        {"a word is not the whole title", ed, title(u"editor"), false},
        {"a word anywhere in the title", ed, title(u"editor", W::kTitlePart), true},
        {"case-sensitive whole title", ed, title(u"memo - Editor", W::kTitleCase), false},
        {"case-sensitive word", ed, title(u"Memo", W::kTitlePart | W::kTitleCase), true},
        {"case-sensitive word, other case", ed, title(u"memo", W::kTitlePart | W::kTitleCase), false},
        {"a title ends at its first NUL", bare, title(u"memo"), true},
        {"a decorated window is matched by its own title", deco, title(u"Report - Viewer"), true},
        {"... not by the text it shows", deco, title(u"12:00", W::kTitlePart), false},
        {"class", ed, [](W& r) { r.Flag = W::kClass; r.WindowClass = u"EditorClass"; }, true},
        {"class names compare case-sensitively",
         ed, [](W& r) { r.Flag = W::kClass; r.WindowClass = u"editorclass"; }, false},
        {"full path, any case", ed, file(u"c:\\apps\\EDITOR.exe"), true},
        {"full path is not the file name", ed, file(u"Editor.exe"), false},
        {"file name only", ed, file(u"editor.EXE", W::kFileNameOnly), true},
        {"folder only, with its last backslash", ed, file(u"C:\\APPS\\", W::kFolderOnly), true},
        {"folder without its backslash", ed, file(u"C:\\Apps", W::kFolderOnly), false},
        {"a path without backslash has no file part", bare, file(u"Editor.exe", W::kFileNameOnly),
         false},
        {"... and no folder", bare, file(u"", W::kFolderOnly), false},
        {"unknown executable", deco, file(u"C:\\Apps\\Editor.exe"), false},
        {"style equal", ed, style(0x16CF0000), true},
        {"style not equal", ed, style(0x16CF0001), false},
        {"all of the style bits", ed, style(0x10000000, W::kStyleAll), true},
        {"all of the style bits, one missing", ed, style(0x10000001, W::kStyleAll), false},
        {"not all style bits, all there", ed, style(0x10000000, W::kStyleNotAll), false},
        {"not all style bits, one missing", ed, style(0x10000001, W::kStyleNotAll), true},
        {"extended style equal", ed, exStyle(0x100), true},
        {"extended style not equal", ed, exStyle(0x108), false},
        {"all extended bits", ed, exStyle(0x100, W::kExStyleAll), true},
        {"all extended bits, one missing", ed, exStyle(0x108, W::kExStyleAll), false},
        {"not all extended bits, one missing", ed, exStyle(0x108, W::kExStyleNotAll), true},
        {"not all extended bits, all there", ed, exStyle(0x100, W::kExStyleNotAll), false},
        {"wider", ed, width(799, W::kWider), true},
        {"wider, exactly as wide", ed, width(800, W::kWider), false},
        {"narrower", ed, width(801), true},
        {"narrower, exactly as wide", ed, width(800), false},
        {"every condition holds",
         ed,
         [](W& r) {
             r.Flag = W::kTitle | W::kClass | W::kStyle | W::kExStyle | W::kFile | W::kWidth;
             r.WindowTitle = u"editor";
             r.WindowClass = u"EditorClass";
             r.WindowStyle = 0x10000000;
             r.ExStyle = 0x100;
             r.FileName = u"editor.exe";
             r.WindowWidth = 1000;
             r.CheckOption = W::kTitlePart | W::kStyleAll | W::kExStyleAll | W::kFileNameOnly;
         },
         true},
        {"one condition fails",
         ed,
         [](W& r) {
             r.Flag = W::kTitle | W::kClass;
             r.WindowTitle = u"memo - editor";
             r.WindowClass = u"Other";
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        W rule;
        c.set(rule);
        EXPECT_EQ(rule.CheckWindow(c.window, Context()), c.matches);
    }
    // Without a title writer the decorated window is matched by what it shows.
    W shown;
    title(u"<12:00>")(shown);
    EXPECT_TRUE(shown.CheckWindow(decorated_, RuleContext{}));
    EXPECT_FALSE(shown.CheckWindow(decorated_, Context()));
}

TEST(WindowRuleSummaryTest, DescribesConditionsAndPermittingOptions) {
    struct Case {
        std::function<void(W&)> set;
        bool withOptions;
        const char16_t* line;
    };
    auto everything = [](W& r) {
        r.Title = u"All";
        r.Action = W::kPermit;
        r.Flag = 0x7F;
        r.WindowTitle = u"memo";
        r.WindowClass = u"Cls";
        r.WindowStyle = 0x10CF0000;
        r.ExStyle = 0x8;
        r.WindowHandle = 0x1A2B;
        r.FileName = u"C:\\a.exe";
        r.WindowWidth = 100;
        r.CheckOption = W::kTitlePart | W::kStyleAll | W::kExStyleNotAll | W::kWider;
        r.MdiChoice = W::kMdiOn;
        r.UseViewData = true;
        r.ViewData = u"List";
        r.UseDrawBar = true;
    };
    const std::vector<Case> cases = {
        {[](W& r) { r.Title = u"Name"; r.Action = W::kExclude; }, true, u"除:Name(設定無し) "},
        {everything, true,
         u"許:All(T=memo[含]/C=Cls/S|=0x10CF0000/E^=0x8/H=0x1A2B/P=C:\\a.exe/W>100)"
         u"  MDIChild:ON 表示項目:List 独自描画:無"},
        {everything, false, u"許:All(T=memo[含]/C=Cls/S|=0x10CF0000/E^=0x8/H=0x1A2B/P=C:\\a.exe/W>100) "},
        {[](W& r) {
             r.Title = u"x"; r.Action = W::kExclude; r.Flag = W::kTitle | W::kStyle | W::kWidth;
             r.MdiChoice = W::kMdiOff; r.UseViewData = true;
         },
         true, u"除:x(T=/S=0x0/W<0) "},
        {[](W& r) {
             r.Title = u"p"; r.Action = W::kPermit; r.Flag = W::kExStyle; r.ExStyle = 0xABCDEF;
             r.CheckOption = W::kExStyleAll; r.MdiChoice = W::kMdiOff;
         },
         true, u"許:p(E|=0xABCDEF)  MDIChild:OFF"},
        {[](W& r) {
             r.Title = u"p"; r.Action = W::kPermit; r.Flag = W::kStyle; r.WindowStyle = 0xFFFFFFFF;
             r.CheckOption = W::kStyleNotAll | W::kExStyleAll;
         },
         true, u"許:p(S^=0xFFFFFFFF) "},
        // The profile box alone: no MDI choice or display list comes with it.
        {[](W& r) { r.Title = u"b"; r.Action = W::kPermit; r.UseDrawBar = true; r.DrawBar = u"Bar"; },
         true, u"許:b(設定無し)  独自描画:Bar"},
        // A profile box read from an older record brings both along, as it always did.
        {[](W& r) { r.Title = u"o"; r.Action = W::kPermit; r.SetViewOption(5); r.ViewData = u"L"; },
         true, u"許:o(設定無し)  MDIChild:OFF 表示項目:L 独自描画:無"},
        {[](W& r) { r.Title = u"固定設定"; r.Action = W::kFixed; r.Flag = W::kClass; r.WindowClass = u"c"; },
         true, u"固:固定設定(C=c) "},
        {[](W& r) { r.Title = u"n"; r.Action = 0; r.UseViewData = true; }, true, u"無:n(設定無し) "},
        {[](W& r) { r.Title = u"n"; r.Action = 9; }, true, u"無:n(設定無し) "},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        W rule;
        cases[i].set(rule);
        EXPECT_EQ(TextToUtf8(rule.SummaryText(cases[i].withOptions)), TextToUtf8(cases[i].line));
    }
}

}  // namespace
}  // namespace tbq
