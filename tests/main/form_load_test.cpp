#include "form1_fixture.h"

namespace velmora::test {
namespace {

TEST_F(Form1Test, CommandLineStartQueuesRunsAndClosesWithoutShowing) {
    platform.commandLine = L"\"C:\\My Pictures\\a.jpg\" C:\\b.jpg";
    platform.files[L"C:\\TEMP\\jhead.exe"] = {};

    EXPECT_TRUE(form1.Form_Load());

    EXPECT_EQ(L.rows, (std::vector<std::wstring>{L"C:\\My Pictures\\a.jpg", L"C:\\b.jpg"}));
    EXPECT_TRUE(form.hidden);
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(platform.Calls(L"MsgBox"), std::vector<std::wstring>{L"MsgBox 0 |搞定"});
    // The tool copy in the temporary folder is used as it is.
    EXPECT_TRUE(platform.Calls(L"Copy").empty());
}

TEST_F(Form1Test, CommandLineStartCopiesTheToolWhenTheTempFolderHasNone) {
    platform.commandLine = L"a.jpg a.jpg";  // duplicates are kept
    platform.files[L"C:\\Program Files\\Velmora\\jhead.exe"] = {1234};

    EXPECT_TRUE(form1.Form_Load());

    EXPECT_EQ(L.ListCount(), 2);
    EXPECT_EQ(platform.files[L"C:\\TEMP\\jhead.exe"].size, 1234);
    auto copy = std::find(platform.log.begin(), platform.log.end(),
                          L"Copy C:\\Program Files\\Velmora\\jhead.exe > C:\\TEMP\\jhead.exe");
    auto start = std::find_if(platform.log.begin(), platform.log.end(),
                              [](const std::wstring& l) { return l.rfind(L"Start", 0) == 0; });
    EXPECT_LT(copy, start);
}

TEST_F(Form1Test, InteractiveStartCopiesTheToolAndLeavesTheWindowOpen) {
    platform.appPath = L"C:\\";  // a drive root ends in its separator
    platform.files[L"C:\\jhead.exe"] = {77};
    platform.files[L"C:\\TEMP\\jhead.exe"] = {1};

    EXPECT_FALSE(form1.Form_Load());

    EXPECT_EQ(L.ListCount(), 0);
    EXPECT_FALSE(form.hidden);
    EXPECT_FALSE(form.closed);
    EXPECT_EQ(platform.files[L"C:\\TEMP\\jhead.exe"].size, 77);  // overwritten
    EXPECT_TRUE(platform.Calls(L"Start").empty());
    EXPECT_EQ(check1.value, 0);
}

TEST_F(Form1Test, ASingleBlankIsACommandLineStartWithEmptyEntries) {
    platform.commandLine = L" ";
    platform.environment.erase(L"tmp");
    EXPECT_TRUE(form1.Form_Load());
    EXPECT_EQ(L.rows, (std::vector<std::wstring>{L"", L""}));
    EXPECT_EQ(platform.files[L"\\Go.bat"].text,
              L"echo rem > \"\\Event.txt\"\r\n"
              L"\"\\jhead.exe\" -de \"\"\r\n\"\\jhead.exe\" -de \"\"\r\n");
    // Form_Unload ends the program.
    form1.Form_Unload();
    EXPECT_TRUE(platform.ended);
}

}  // namespace
}  // namespace velmora::test
