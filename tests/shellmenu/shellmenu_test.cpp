#include <gtest/gtest.h>

#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"
#include "shellmenu/context_menu_box.h"
#include "shellmenu/joined_start.h"

namespace velmora::test {
namespace {

TEST(BuildVerbCommandTest, BuildsTheCommandTitleAndName) {
    struct Case {
        std::wstring folder, command, verb, extra, built;  // command|title|verb
    } cases[] = {
        {L"C:\\", L"App.FullExeCMD", L"", L"",
         L"\"C:\\Velmora.exe\"  \"%1\"|Velmora|用&Velmora打开"},
        {L"C:", L"D:/a.b/View.exe", L"V", L"-y", L"D:/a.b/View.exe -y \"%1\"|View|V"},
    };
    for (Case c : cases) {
        std::wstring title;
        BuildVerbCommand({c.folder, L"Velmora"}, c.command, title, c.verb, c.extra);
        EXPECT_EQ(c.command + L"|" + title + L"|" + c.verb, c.built);
    }
}

class ContextMenuBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        reg.SetRegValue(kRegLocalMachine, L"Software\\Classes\\.jpg", L"", L"jpegfile", kRegSz);
        registry.readOnly = {kRegLocalMachine};  // no administrator rights
        check.OnClick = [this] { box.OnClicked(); };
    }

    FakeRegistry registry;
    Reg reg{registry};
    FakeDialogs dialogs;
    FakeCheck check;
    ContextMenuBox box{registry, dialogs, check, {L"C:\\Tools", L"Velmora"}};
};

TEST_F(ContextMenuBoxTest, AFailedWriteShowsTheRealStateAndSaysSo) {
    registry.readOnly = {kRegLocalMachine, kRegCurrentUser};
    check.SetValue(1);
    EXPECT_EQ(check.value, 0);
    ASSERT_EQ(dialogs.Texts(), std::vector<std::wstring>{L"无法修改右键菜单：注册表写入失败。"});
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
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
    const std::vector<std::vector<std::wstring>> script = {{L"b"}, {}, {}, {L"c", L"d"}};
    events.onDoEvents = [&] {
        if (size_t(events.pumps) <= script.size()) join.waiting = script[events.pumps - 1];
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
