#include <gtest/gtest.h>

#include "runtime/fake_controls.h"
#include "runtime/fake_services.h"
#include "shellmenu/context_menu_box.h"
#include "shellmenu/joined_start.h"

namespace velmora::test {
namespace {

TEST(BuildVerbCommandTest, BuildsTheCommandTitleAndName) {
    std::wstring command(kAppFullExeCmd), title, verb;
    BuildVerbCommand({L"C:\\", L"Velmora"}, command, title, verb, L"-x");  // a drive root
    EXPECT_EQ(command + L"|" + title + L"|" + verb,
              L"\"C:\\Velmora.exe\" -x \"%1\"|Velmora|用&Velmora打开");
    command = L"D:/a.b/View.exe";
    BuildVerbCommand({}, command, title, verb, L"");
    EXPECT_EQ(command + L"|" + title, L"D:/a.b/View.exe  \"%1\"|View");
    command = L"\"C:\\x\\View.exe?a.b\" \"%1\"";  // the title stops at a "?"
    BuildVerbCommand({}, command, title, verb, L"");
    EXPECT_EQ(title, L"View");
}

TEST(ContextMenuBoxTest, ShowsTheStateReadBackAndSaysWhenAChangeDidNotTake) {
    FakeRegistry registry;
    Reg reg{registry};
    FakeDialogs dialogs;
    FakeFileSystem files;
    FakeCheck check;
    ContextMenuBox box{registry, dialogs, files, check, {L"C:\\Tools", L"Velmora"}};
    check.OnClick = [&] { box.OnClicked(); };
    // Machine-wide verbs of this program's file name: a copy gone, a folder,
    // a copy still there (foreign, kept aside); another program gone.
    files.files[L"D:\\Kept\\Velmora.exe"] = {};
    files.tree[L"D:\\Dir\\Velmora.exe\\"] = {};
    const std::wstring sfa = L"Software\\Classes\\SystemFileAssociations\\.";
    for (const auto& [ext, program] : {std::pair{L"png", L"D:\\Gone\\velmora.EXE"},
                                       {L"webp", L"D:\\Dir\\Velmora.exe"},
                                       {L"heic", L"D:\\Kept\\Velmora.exe"},
                                       {L"avif", L"D:\\Gone\\Other.exe"}})
        reg.SetRegValue(kRegLocalMachine, sfa + ext + L"\\shell\\去除EXIF信息\\command", L"",
                        L"\"" + std::wstring(program) + L"\" \"%1\"", kRegSz);
    check.SetValue(1);
    VerbRequest ours{L"去除EXIF信息"};
    for (const wchar_t* ext : {L"jpg", L"jpeg", L"png", L"webp", L"heic", L"heif", L"avif"})
        EXPECT_TRUE(IsVerbInstalled(reg, {L"C:\\Tools", L"Velmora"}, ext, ours)) << ext;
    size_t kept = 0;  // "shell", and "shell_Old" beside it where a foreign verb was
    for (const wchar_t* ext : {L"png", L"webp", L"heic", L"avif"})
        kept += reg.EnumRegSubKeys(kRegCurrentUser, sfa + ext).size();
    EXPECT_EQ(kept, 6u);
    check.SetValue(0);  // all gone again: see below
    reg.SetRegValue(kRegLocalMachine, L"Software\\Classes\\.jpg", L"", L"jpegfile", kRegSz);
    registry.readOnly = {kRegLocalMachine, kRegCurrentUser};
    check.SetValue(1);  // nothing can be written
    EXPECT_EQ(check.value, 0);
    // Installed for the machine by an administrator: the user's removal
    // cannot take it away, and the box says so without installing again.
    registry.readOnly.clear();
    reg.SetRegValue(kRegLocalMachine, L"Software\\Classes\\jpegfile\\shell\\去除EXIF信息\\command",
                    L"", L"\"C:\\Tools\\Velmora.exe\"  \"%1\"", kRegSz);
    box.ShowInstalledState();
    check.SetValue(0);
    EXPECT_EQ(check.value, 1);
    EXPECT_TRUE(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\Classes").empty());
    registry.readOnly = {kRegCurrentUser};  // a failed install says so, beside it too
    check.value = 0;
    check.SetValue(1);
    EXPECT_EQ(dialogs.Texts().back(), L"无法修改右键菜单：注册表写入失败。");
    EXPECT_EQ(dialogs.Texts().at(0), L"无法修改右键菜单：注册表写入失败。");
    EXPECT_EQ(dialogs.Texts().at(1), L"无法删除右键菜单：它是为所有用户安装的，需由管理员删除。");
}

TEST(MakeFormFlatTest, StylesEveryKindOfButtonAndNothingElse) {
    FakeControlCollection form;
    form.types = {L"ListBox",  L"CommandButton", L"checkbox",
                  L"CheckBox", L"Label",         L"OptionButton"};
    MakeFormFlat(form);
    EXPECT_EQ(form.flat, (std::vector<int>{1, 3, 5}));
}

TEST(JoinedStartTest, GathersUntilQuietAndServesLateArrivalsInTheNextRun) {
    FakeStartJoin join;
    FakeEventLoop events;
    // Each arrival starts the quiet time again: "f" comes 19 quiet polls after "c" and "d".
    std::vector<std::vector<std::wstring>> script(23);
    script[0] = {L"b"}, script[3] = {L"c", L"d"}, script[22] = {L"f"};
    events.onDoEvents = [&] {
        if (size_t(events.pumps) <= script.size()) join.waiting = script[events.pumps - 1];
    };
    JoinedStart start(join, events);
    EXPECT_EQ(start.Begin({L"a"}), (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"f"}));
    join.waiting = {L"e"};  // arrived during the run
    EXPECT_EQ(start.Next(), std::vector<std::wstring>{L"e"});
    EXPECT_TRUE(join.open);
    EXPECT_TRUE(start.Next().empty());
    EXPECT_FALSE(join.open);
    join.anotherRunTakes = true;  // a running start takes them
    EXPECT_EQ(JoinedStart(join, events).Begin({L"x"}), std::nullopt);
}

}  // namespace
}  // namespace velmora::test
