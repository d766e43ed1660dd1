#include "registry_suite.h"

#include "shellmenu/reg.h"
#include "shellmenu/verb.h"

namespace velmora::test {

namespace {

const std::string kUser = "Software\\Classes\\", kTest = "Software\\VelmoraTest";
const std::wstring kVerb = L"去除EXIF信息";
const ExeLocation kExe{L"C:\\Tools", L"Velmora"};
const std::string kForeign = "\"C:\\Viewer\\view.exe\" \"%1\"";

std::string Z(const std::string& s) { return s + '\0'; }

}  // namespace

void RegistrySuite::SetUp() {
    GetParam().wipe();
    registry = GetParam().make();
}

void RegistrySuite::TearDown() { GetParam().wipe(); }

void RegistrySuite::Put(RegHandle root, const std::string& path, uint32_t type,
                        const std::string& data, const std::string& name) {
    RegKey key(*registry);
    ASSERT_EQ(registry->CreateKey(root, path, key.out()), kRegOk) << path;
    EXPECT_EQ(registry->SetValue(key.get(), name, type, data), kRegOk);
}

std::string RegistrySuite::Raw(RegHandle root, const std::string& path, const std::string& name) {
    RegKey key(*registry);
    uint32_t type = 0, size = 0;
    if (registry->OpenKey(root, path, key.out()) ||
        registry->QueryValue(key.get(), name, type, nullptr, size)) {
        return "-";
    }
    std::string data(size, '\0');
    registry->QueryValue(key.get(), name, type, data.data(), size);
    return std::to_string(type) + ":" + data;
}

bool RegistrySuite::Exists(RegHandle root, const std::string& path) {
    RegKey key(*registry);
    return registry->OpenKey(root, path, key.out()) == kRegOk;
}

TEST_P(RegistrySuite, ValuesAreStoredAndReadBackByType) {
    Reg reg(*registry);
    const std::wstring key = L"Software\\VelmoraTest\\值";
    struct Case {
        uint32_t type;
        RegValue written;
        std::string stored;  // type:bytes
        RegValue read;
    } cases[] = {
        {kRegSz, L"abc", Z("1:abc"), L"abc"},
        {kRegSz, L"", "1:", L""},
        {kRegSz, kVerb, Z("1:" + *registry->ToCodePage(kVerb)), kVerb},
        {kRegSz, std::wstring(L"a\0b", 3), Z(std::string("1:a\0b", 5)), L"a"},
        {kRegMultiSz, L"a\r\nb\r\n", std::string("7:a\0b\0\0", 7), L"a\r\nb\r\n"},
        {kRegDword, L"-2", "4:\xFE\xFF\xFF\xFF", -2},
        {kRegBinary, std::vector<uint8_t>{1, 2, 3}, "3:\x01\x02\x03", 0x030201},
    };
    for (const Case& c : cases) {
        reg.SetRegValue(kRegCurrentUser, key, L"v", c.written, c.type);
        EXPECT_EQ(Raw(kRegCurrentUser, kTest + "\\" + *registry->ToCodePage(L"值"), "v"), c.stored);
        uint32_t type = c.type;
        EXPECT_EQ(reg.GetRegValue(kRegCurrentUser, key, L"v", type), c.read) << c.stored;
        EXPECT_EQ(reg.RegLastStatus(), kRegOk);
    }
    Put(kRegCurrentUser, kTest, kRegSz, std::string(1, '\0'));  // only a terminator
    uint32_t type = kRegSz;
    EXPECT_EQ(reg.GetRegValue(kRegCurrentUser, L"Software\\VelmoraTest", L"", type), RegValue(L""));
}

TEST_P(RegistrySuite, FailuresReturnTheDefaultAndTheStatus) {
    Reg reg(*registry);
    Put(kRegCurrentUser, kTest, kRegBinary, "12345");
    const RegValue fallback = L"fallback";
    struct Case {
        std::wstring path, name;
        uint32_t type;
        RegValue result;
        int32_t status;
        bool writeFails;
    } cases[] = {
        {L"Software\\VelmoraTest\\missing", L"", kRegSz, fallback, kRegFileNotFound, false},
        {L"Software\\VelmoraTest", L"missing", kRegSz, fallback, kRegFileNotFound, false},
        {L"Software\\VelmoraTest", L"", kRegDword, fallback, kRegMoreData, false},
        {L"", L"", kRegSz, {}, kRegEmptyPath, true},
        {L"\\Software\\VelmoraTest", L"", kRegSz, fallback, kRegBadPathname, true},
        // Names the code page cannot hold exactly are refused, not changed.
        {L"Software\\VelmoraTest\\한", L"", kRegSz, fallback, kRegNoTranslation, true},
    };
    for (const Case& c : cases) {
        uint32_t type = c.type;
        EXPECT_EQ(reg.GetRegValue(kRegCurrentUser, c.path, c.name, type, fallback), c.result);
        EXPECT_EQ(reg.RegLastStatus(), c.status);
        reg.SetRegValue(kRegCurrentUser, c.path, c.name, L"x", kRegSz);
        EXPECT_EQ(reg.RegLastStatus(), c.writeFails ? c.status : kRegOk);
    }
    reg.SetRegValue(kRegCurrentUser, L"Software\\VelmoraTest", L"t", L"😀", kRegSz);
    EXPECT_EQ(reg.RegLastStatus(), kRegNoTranslation);
    EXPECT_EQ(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest"),
              std::vector<std::wstring>{L"missing"});
    EXPECT_EQ(Raw(kRegCurrentUser, kTest, "t"), "-");
}

TEST_P(RegistrySuite, TreesAreListedAndDeletedDeepestFirst) {
    Reg reg(*registry);
    for (const char* path : {"\\a\\b\\c", "\\a\\b\\d", "\\a\\e"})
        Put(kRegCurrentUser, kTest + path, 1, "");
    EXPECT_EQ(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest\\a"),
              (std::vector<std::wstring>{L"b", L"e"}));
    EXPECT_EQ(reg.RegLastStatus(), kRegNoMoreItems);
    EXPECT_EQ(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest\\a", 1),
              std::vector<std::wstring>{L"e"});
    reg.DeleteRegKeyTree(kRegCurrentUser, L"Software\\VelmoraTest", L"a");
    EXPECT_EQ(reg.RegLastStatus(), kRegOk);
    EXPECT_TRUE(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest\\a").empty());
    EXPECT_EQ(reg.RegLastStatus(), kRegFileNotFound);
    // A missing key: status 2, and its missing parent is made.
    reg.DeleteRegKeyTree(kRegCurrentUser, L"Software\\VelmoraTest\\p", L"k");
    EXPECT_EQ(reg.RegLastStatus(), kRegFileNotFound);
    EXPECT_TRUE(Exists(kRegCurrentUser, kTest + "\\p"));
}

TEST_P(RegistrySuite, ClassesReadPerUserOverMachineAndChangeOnlyPerUser) {
    Reg reg(*registry);
    Put(kRegLocalMachine, kUser + ".vmt1", kRegSz, Z("VelmoraTest.A"));
    uint32_t type = kRegSz;
    EXPECT_EQ(reg.GetRegValue(kRegClassesRoot, L".vmt1", L"", type), RegValue(L"VelmoraTest.A"));
    reg.SetRegValue(kRegClassesRoot, L".vmt1", L"", L"VelmoraTest.B", kRegSz);
    EXPECT_EQ(reg.GetRegValue(kRegClassesRoot, L".vmt1", L"", type), RegValue(L"VelmoraTest.B"));
    EXPECT_EQ(Raw(kRegLocalMachine, kUser + ".vmt1"), Z("1:VelmoraTest.A"));
    reg.SetRegValue(kRegClassesRoot, L".vmt1\\a\\b", L"", L"x", kRegSz);
    reg.DeleteRegKeyTree(kRegClassesRoot, L".vmt1\\a", L"b");
    // Parents left empty go with the key; one holding a value stays.
    EXPECT_FALSE(Exists(kRegCurrentUser, kUser + ".vmt1\\a"));
    EXPECT_TRUE(Exists(kRegCurrentUser, kUser + ".vmt1"));
}

// As a user without administrator rights meets them: .vmt1 and .vmt2 share
// a machine-wide file type with a foreign verb of the same name; .vmt3 has
// a per-user one with a foreign verb, .vmt4 one with this program's verb
// written from another folder; .vmt5 has no file type.
TEST_P(RegistrySuite, VerbIsInstalledPerUserAndForeignVerbsComeBack) {
    Reg reg(*registry);
    const std::string a = kUser + "VelmoraTest.A", b = kUser + "VelmoraTest.B",
                      c = kUser + "VelmoraTest.C", verb = *registry->ToCodePage(kVerb);
    const std::string cmd = "\\shell\\" + verb + "\\command",
                      oldCmd = "\\shell_Old" + cmd.substr(6);
    Put(kRegLocalMachine, kUser + ".vmt1", 1, Z("VelmoraTest.A"));
    Put(kRegLocalMachine, kUser + ".vmt2", 1, Z("VelmoraTest.A"));
    Put(kRegCurrentUser, kUser + ".vmt3", 1, Z("VelmoraTest.B"));
    Put(kRegCurrentUser, kUser + ".vmt4", 1, Z("VelmoraTest.C"));
    Put(kRegLocalMachine, a + cmd, 1, Z(kForeign));
    Put(kRegCurrentUser, b + cmd, 1, Z(kForeign));
    Put(kRegCurrentUser, c + cmd, 1, Z("\"D:\\Old\\VELMORA.EXE\" \"%1\""));
    const std::vector<std::wstring> exts = {L"vmt1", L"vmt2", L"vmt3", L"vmt4", L"vmt5"};
    const std::string ours = Z("1:" + *registry->ToCodePage(L"\"C:\\Tools\\Velmora.exe\"  \"%1\""));
    for (int round = 0; round < 2; ++round) {
        VerbRequest r{kVerb};
        InstallVerb(reg, kExe, exts, r);
        for (const std::string& home : {a, b, c, kUser + "SystemFileAssociations\\.vmt5"}) {
            EXPECT_EQ(Raw(kRegCurrentUser, home + cmd), ours);
            EXPECT_EQ(Raw(kRegCurrentUser, home + "\\shell\\" + verb), Z("1:" + verb));
            EXPECT_EQ(Raw(kRegCurrentUser, home + "\\shell\\" + verb, "MultiSelectModel"),
                      Z("1:Player"));
        }
        EXPECT_EQ(Raw(kRegCurrentUser, a + oldCmd) + Raw(kRegCurrentUser, b + oldCmd),
                  Z("1:" + kForeign) + Z("1:" + kForeign));
        EXPECT_EQ(Raw(kRegCurrentUser, c + oldCmd), "-");
        EXPECT_FALSE(Exists(kRegCurrentUser, kUser + "shell"));  // the empty file type
        EXPECT_TRUE(IsVerbInstalled(reg, kExe, L"vmt2", r));
    }
    for (int round = 0; round < 2; ++round) {
        VerbRequest r{kVerb};
        UninstallVerb(reg, kExe, exts, r);
        EXPECT_EQ(Raw(kRegLocalMachine, a + cmd) + Raw(kRegCurrentUser, b + cmd),
                  Z("1:" + kForeign) + Z("1:" + kForeign));
        EXPECT_FALSE(Exists(kRegCurrentUser, a) || Exists(kRegCurrentUser, b + "\\shell_Old") ||
                     Exists(kRegCurrentUser, c + "\\shell"));
        for (const std::wstring& ext : exts) {
            EXPECT_FALSE(Exists(kRegCurrentUser,
                                kUser + "SystemFileAssociations\\." + *registry->ToCodePage(ext)));
        }
        EXPECT_FALSE(IsVerbInstalled(reg, kExe, L"vmt1", r));
    }
}

}  // namespace velmora::test
