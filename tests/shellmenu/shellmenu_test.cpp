#include <gtest/gtest.h>

#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"
#include "shellmenu/context_menu_box.h"
#include "shellmenu/joined_start.h"
#include "shellmenu/make_form_flat.h"

namespace velmora::test {
namespace {

TEST(BuildVerbCommandTest, BuildsTheCommandTitleAndName) {
    struct Case {
        std::wstring folder, command, verb, extra, builtCommand, title, builtVerb;
    } cases[] = {
        {L"C:\\My Tools", L"App.FullExeCMD", L"V", L"", L"\"C:\\My Tools\\Velmora.exe\"  \"%1\"",
         L"Velmora", L"V"},
        {L"C:\\", L"App.FullExeCMD", L"", L"-x", L"\"C:\\Velmora.exe\" -x \"%1\"", L"Velmora",
         L"用&Velmora打开"},
        {L"C:", L"app.fullexecmd", L"V", L"", L"app.fullexecmd  \"%1\"", L"app", L"V"},
        {L"C:", L"D:/a.b/View.exe \"%1\"", L"V", L"-y", L"D:/a.b/View.exe \"%1\"", L"View", L"V"},
    };
    for (Case c : cases) {
        std::wstring title;
        BuildVerbCommand({c.folder, L"Velmora"}, c.command, title, c.verb, c.extra);
        EXPECT_EQ(c.command, c.builtCommand);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(c.verb, c.builtVerb);
    }
}

class ContextMenuBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        reg.SetRegValue(kRegLocalMachine, L"Software\\Classes\\.jpg", L"", L"jpegfile", kRegSz);
        registry.readOnly = {kRegLocalMachine};  // no administrator rights
        check.OnClick = [this] { box.OnClicked(); };
    }
    bool Installed() {
        VerbRequest r{L"去除EXIF信息"};
        return IsVerbInstalled(reg, exe, L"jpg", r);
    }

    FakeRegistry registry;
    Reg reg{registry};
    FakeDialogs dialogs;
    FakeCheck check;
    ExeLocation exe{L"C:\\Tools", L"Velmora"};
    ContextMenuBox box{registry, dialogs, check, exe};
};

TEST_F(ContextMenuBoxTest, TickingInstallsForTheUserAndStartUpShowsIt) {
    check.SetValue(1);
    EXPECT_TRUE(Installed());
    EXPECT_EQ(check.value, 1);
    FakeCheck restarted;
    ContextMenuBox again{registry, dialogs, restarted, exe};
    restarted.OnClick = [&] { again.OnClicked(); };
    again.ShowInstalledState();
    EXPECT_EQ(restarted.value, 1);
    check.SetValue(0);
    EXPECT_FALSE(Installed());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ContextMenuBoxTest, AFailedWriteShowsTheRealStateAndSaysSo) {
    registry.readOnly = {kRegLocalMachine, kRegCurrentUser};
    check.SetValue(1);
    EXPECT_EQ(check.value, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);  // the read-back raised nothing
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].text, L"无法修改右键菜单：注册表写入失败。");
}

// Installed for the machine by an administrator: the user cannot remove it.
TEST_F(ContextMenuBoxTest, AVerbThatStaysShowsTickedAndIsNotWrittenAgain) {
    registry.readOnly.clear();
    reg.SetRegValue(kRegLocalMachine, L"Software\\Classes\\jpegfile\\shell\\去除EXIF信息\\command",
                    L"", L"\"C:\\Tools\\Velmora.exe\"  \"%1\"", kRegSz);
    registry.readOnly = {kRegLocalMachine};
    box.ShowInstalledState();
    check.SetValue(0);
    EXPECT_EQ(check.value, 1);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\Classes").empty());
}

TEST(MakeFormFlatTest, StylesEveryKindOfButtonAndNothingElse) {
    FakeControlCollection form;
    form.types = {L"ListBox",  L"CommandButton", L"checkbox",
                  L"CheckBox", L"Label",         L"OptionButton"};
    MakeFormFlat(form);
    EXPECT_EQ(form.flat, (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(form.repaints, 1);
}

TEST(JoinedStartTest, GathersUntilQuietAndServesLateArrivalsInTheNextRun) {
    FakeStartJoin join;
    FakeEventLoop events;
    std::vector<std::vector<std::wstring>> script = {{L"b"}, {}, {}, {L"c", L"d"}};
    size_t pumps = 0;
    events.onDoEvents = [&] {
        if (pumps < script.size()) join.waiting = script[pumps];
        ++pumps;
    };
    JoinedStart start(join, events);
    EXPECT_EQ(start.Begin({L"a"}), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
    join.waiting = {L"e"};  // arrived during the run
    EXPECT_EQ(start.Next(), std::vector<std::wstring>{L"e"});
    EXPECT_TRUE(join.open);
    EXPECT_TRUE(start.Next().empty());
    EXPECT_FALSE(join.open);
    join.anotherRunTakes = true;
    EXPECT_EQ(JoinedStart(join, events).Begin({L"x"}), std::nullopt);
}

}  // namespace
}  // namespace velmora::test
