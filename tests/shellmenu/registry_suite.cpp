#include "registry_suite.h"

#include "shellmenu/reg.h"
#include "shellmenu/verb.h"

namespace velmora::test {

namespace {

const std::string kUser = "Software\\Classes\\", kTest = "Software\\VelmoraTest";
const char* const kOurKeys[] = {".vmt1",
                                ".vmt2",
                                "VelmoraTest.A",
                                "VelmoraTest.B",
                                "SystemFileAssociations\\.vmt1",
                                "SystemFileAssociations\\.vmt2",
                                "SystemFileAssociations\\.vmt3"};
const std::wstring kVerb = L"去除EXIF信息";
const ExeLocation kExe{L"C:\\Tools", L"Velmora"};
const std::wstring kOurs = L"\"C:\\Tools\\Velmora.exe\"  \"%1\"";
const std::string kForeign = "\"C:\\Viewer\\view.exe\" \"%1\"";

void DeleteAll(Registry& r, RegHandle root, const std::string& path) {
    RegHandle key = 0;
    if (r.OpenKey(root, path, key) != kRegOk) return;
    char name[256];
    std::vector<std::string> children;
    for (uint32_t i = 0; r.EnumKey(key, i, name, 256) == kRegOk; ++i) children.push_back(name);
    r.CloseKey(key);
    for (const std::string& c : children) DeleteAll(r, root, path + "\\" + c);
    const size_t cut = path.rfind('\\');
    if (r.OpenKey(root, path.substr(0, cut), key) != kRegOk) return;
    r.DeleteKey(key, path.substr(cut + 1));
    r.CloseKey(key);
}

}  // namespace

void RegistrySuite::SetUp() {
    registry = GetParam().make();
    Wipe();
}

void RegistrySuite::TearDown() { Wipe(); }

void RegistrySuite::Wipe() {
    for (const char* key : kOurKeys) {
        DeleteAll(*registry, kRegCurrentUser, kUser + key);
        DeleteAll(*registry, kRegLocalMachine, kUser + key);
    }
    DeleteAll(*registry, kRegCurrentUser, kTest);
}

void RegistrySuite::Put(RegHandle root, const std::string& path, uint32_t type,
                        const std::string& data, const std::string& name) {
    RegHandle key = 0;
    ASSERT_EQ(registry->CreateKey(root, path, key), kRegOk) << path;
    EXPECT_EQ(registry->SetValue(key, name, type, data), kRegOk);
    registry->CloseKey(key);
}

std::string RegistrySuite::Raw(RegHandle root, const std::string& path, const std::string& name) {
    RegHandle key = 0;
    if (registry->OpenKey(root, path, key) != kRegOk) return "<missing>";
    uint32_t type = 0, size = 0;
    std::string data(registry->QueryValue(key, name, type, nullptr, size) ? 0 : size, '\0');
    const int32_t r = registry->QueryValue(key, name, type, data.data(), size);
    registry->CloseKey(key);
    return r == kRegOk ? std::to_string(type) + ":" + data : "<missing>";
}

bool RegistrySuite::Exists(RegHandle root, const std::string& path) {
    RegHandle key = 0;
    if (registry->OpenKey(root, path, key) != kRegOk) return false;
    registry->CloseKey(key);
    return true;
}

TEST_P(RegistrySuite, ValuesAreStoredAndReadBackByType) {
    Reg reg(*registry);
    const std::string cjk = *registry->ToCodePage(kVerb);
    struct Case {
        uint32_t type;
        RegValue written;
        std::string stored;  // type:bytes
        RegValue read;
    } cases[] = {
        {kRegSz, L"abc", "1:abc" + std::string(1, '\0'), L"abc"},
        {kRegSz, L"", "1:", L""},
        {kRegSz, kVerb, "1:" + cjk + std::string(1, '\0'), kVerb},
        {kRegSz, std::wstring(L"a\0b", 3), std::string("1:a\0b\0", 6), L"a"},
        {kRegMultiSz, L"a\r\nb\r\n", std::string("7:a\0b\0\0", 7), L"a\r\nb\r\n"},
        {kRegDword, L"-2", "4:\xFE\xFF\xFF\xFF", -2},
        {kRegBinary, std::vector<uint8_t>{1, 2, 3}, "3:\x01\x02\x03", 0x030201},
    };
    for (const Case& c : cases) {
        reg.SetRegValue(kRegCurrentUser, L"Software\\VelmoraTest\\值", L"v", c.written, c.type);
        EXPECT_EQ(reg.RegLastStatus(), kRegOk);
        EXPECT_EQ(Raw(kRegCurrentUser, kTest + "\\" + *registry->ToCodePage(L"值"), "v"), c.stored);
        uint32_t type = c.type;
        EXPECT_EQ(reg.GetRegValue(kRegCurrentUser, L"Software\\VelmoraTest\\值", L"v", type),
                  c.read)
            << c.stored;
        EXPECT_EQ(reg.RegLastStatus(), kRegOk);
    }
    // Only its terminator: the empty text.
    Put(kRegCurrentUser, kTest, kRegSz, std::string(1, '\0'));
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
    reg.SetRegValue(kRegCurrentUser, L"Software\\VelmoraTest", L"😀", L"x", kRegSz);
    reg.SetRegValue(kRegCurrentUser, L"Software\\VelmoraTest", L"t", L"한", kRegSz);
    EXPECT_EQ(reg.RegLastStatus(), kRegNoTranslation);
    EXPECT_EQ(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest"),
              std::vector<std::wstring>{L"missing"});
    EXPECT_EQ(Raw(kRegCurrentUser, kTest, "t"), "<missing>");
}

TEST_P(RegistrySuite, TreesAreListedAndDeletedDeepestFirst) {
    Reg reg(*registry);
    for (const wchar_t* path : {L"a\\b\\c", L"a\\b\\d", L"a\\e"}) {
        reg.SetRegValue(kRegCurrentUser, L"Software\\VelmoraTest\\" + std::wstring(path), L"", L"x",
                        kRegSz);
    }
    EXPECT_EQ(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest\\a"),
              (std::vector<std::wstring>{L"b", L"e"}));
    EXPECT_EQ(reg.RegLastStatus(), kRegNoMoreItems);
    EXPECT_EQ(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest\\a", 1),
              std::vector<std::wstring>{L"e"});
    reg.DeleteRegKeyTree(kRegCurrentUser, L"Software\\VelmoraTest", L"a");
    EXPECT_EQ(reg.RegLastStatus(), kRegOk);
    EXPECT_FALSE(Exists(kRegCurrentUser, kTest + "\\a"));
    EXPECT_TRUE(reg.EnumRegSubKeys(kRegCurrentUser, L"Software\\VelmoraTest\\a").empty());
    EXPECT_EQ(reg.RegLastStatus(), kRegFileNotFound);
    // A missing key: status 2, and its missing parent is made.
    reg.DeleteRegKeyTree(kRegCurrentUser, L"Software\\VelmoraTest\\p", L"k");
    EXPECT_EQ(reg.RegLastStatus(), kRegFileNotFound);
    EXPECT_TRUE(Exists(kRegCurrentUser, kTest + "\\p"));
}

TEST_P(RegistrySuite, ClassesReadPerUserOverMachineAndChangeOnlyPerUser) {
    Reg reg(*registry);
    Put(kRegLocalMachine, kUser + ".vmt1", kRegSz, std::string("VelmoraTest.A\0", 14));
    uint32_t type = kRegSz;
    EXPECT_EQ(reg.GetRegValue(kRegClassesRoot, L".vmt1", L"", type), RegValue(L"VelmoraTest.A"));
    reg.SetRegValue(kRegClassesRoot, L".vmt1\\sub", L"", L"mine", kRegSz);
    reg.SetRegValue(kRegClassesRoot, L".vmt1", L"", L"VelmoraTest.B", kRegSz);
    EXPECT_EQ(reg.GetRegValue(kRegClassesRoot, L".vmt1", L"", type), RegValue(L"VelmoraTest.B"));
    EXPECT_EQ(Raw(kRegLocalMachine, kUser + ".vmt1"), std::string("1:VelmoraTest.A\0", 16));
    reg.DeleteRegKeyTree(kRegClassesRoot, L".vmt1", L"sub");
    EXPECT_TRUE(Exists(kRegCurrentUser, kUser + ".vmt1"));  // it holds a value
    reg.SetRegValue(kRegClassesRoot, L"VelmoraTest.B\\shell\\v", L"", L"x", kRegSz);
    reg.DeleteRegKeyTree(kRegClassesRoot, L"VelmoraTest.B\\shell", L"v");
    EXPECT_FALSE(Exists(kRegCurrentUser, kUser + "VelmoraTest.B"));  // left empty: gone
}

// One file type for both extensions, with a foreign verb of the same name
// on the machine, as a user without administrator rights meets it.
TEST_P(RegistrySuite, VerbIsInstalledPerUserAndTheForeignOneComesBack) {
    Reg reg(*registry);
    const std::string type = kUser + "VelmoraTest.A", verb = *registry->ToCodePage(kVerb);
    for (const char* ext : {".vmt1", ".vmt2"}) {
        Put(kRegLocalMachine, kUser + ext, kRegSz, std::string("VelmoraTest.A\0", 14));
    }
    Put(kRegLocalMachine, type + "\\shell\\" + verb + "\\command", kRegSz, kForeign + '\0');
    const std::string ours = "1:" + *registry->ToCodePage(kOurs) + '\0';
    for (int round = 0; round < 2; ++round) {
        VerbRequest r{kVerb};
        InstallVerb(reg, kExe, {L"vmt1", L"vmt2"}, r);
        EXPECT_EQ(Raw(kRegCurrentUser, type + "\\shell\\" + verb + "\\command"), ours);
        EXPECT_EQ(Raw(kRegCurrentUser, type + "\\shell\\" + verb), "1:" + verb + '\0');
        EXPECT_EQ(Raw(kRegCurrentUser, type + "\\shell\\" + verb, "MultiSelectModel"),
                  std::string("1:Player\0", 9));
        EXPECT_EQ(Raw(kRegCurrentUser, type + "\\shell_Old\\" + verb + "\\command"),
                  "1:" + kForeign + '\0');
        for (const char* ext : {".vmt1", ".vmt2"}) {
            EXPECT_EQ(Raw(kRegCurrentUser, kUser + "SystemFileAssociations\\" + ext + "\\shell\\" +
                                               verb + "\\command"),
                      ours);
        }
        EXPECT_TRUE(IsVerbInstalled(reg, kExe, L"vmt2", r));
    }
    for (int round = 0; round < 2; ++round) {
        VerbRequest r{kVerb};
        UninstallVerb(reg, kExe, {L"vmt1", L"vmt2"}, r);
        EXPECT_EQ(Raw(kRegLocalMachine, type + "\\shell\\" + verb + "\\command"),
                  "1:" + kForeign + '\0');
        for (const char* key : kOurKeys) EXPECT_FALSE(Exists(kRegCurrentUser, kUser + key)) << key;
        EXPECT_FALSE(IsVerbInstalled(reg, kExe, L"vmt1", r));
    }
}

// Per-user file types: a foreign command is kept and put back; one written
// by this program from another folder is replaced; no file type, no keys.
TEST_P(RegistrySuite, VerbKeepsForeignCommandsOnly) {
    Reg reg(*registry);
    const std::string a = kUser + "VelmoraTest.A", b = kUser + "VelmoraTest.B";
    const std::string verb = *registry->ToCodePage(kVerb), cmd = "\\shell\\" + verb + "\\command";
    Put(kRegCurrentUser, kUser + ".vmt1", kRegSz, std::string("VelmoraTest.A\0", 14));
    Put(kRegCurrentUser, kUser + ".vmt2", kRegSz, std::string("VelmoraTest.B\0", 14));
    Put(kRegCurrentUser, a + cmd, kRegSz, kForeign + '\0');
    Put(kRegCurrentUser, b + cmd, kRegSz, std::string("\"D:\\Old\\VELMORA.EXE\" \"%1\"\0", 26));
    VerbRequest r{kVerb};
    InstallVerb(reg, kExe, {L"vmt1", L"vmt2", L"vmt3"}, r);
    EXPECT_TRUE(Exists(kRegCurrentUser, a + "\\shell_Old"));
    EXPECT_FALSE(Exists(kRegCurrentUser, b + "\\shell_Old"));
    EXPECT_FALSE(Exists(kRegCurrentUser, kUser + "shell"));  // the empty file type of vmt3
    UninstallVerb(reg, kExe, {L"vmt1", L"vmt2"}, r);
    EXPECT_EQ(Raw(kRegCurrentUser, a + cmd), "1:" + kForeign + '\0');
    EXPECT_FALSE(Exists(kRegCurrentUser, a + "\\shell_Old"));
    EXPECT_FALSE(Exists(kRegCurrentUser, b + "\\shell"));
}

}  // namespace velmora::test
