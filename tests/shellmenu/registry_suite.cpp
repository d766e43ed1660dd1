// One suite for the registry layer and the verb. The portable test binary
// runs it on the in-memory registry (natively and under Wine), the Win32
// one on Wine's real registry: what passes on both shows the in-memory
// registry keeps the real one's rules. Its keys: HKCU\Software\VelmoraTest,
// and .vmt1 to .vmt7 and VelmoraTest.A to .E (with their
// SystemFileAssociations keys) below HKCU and HKLM Software\Classes.
#include <gtest/gtest.h>

#include "shellmenu/reg.h"
#include "shellmenu/verb.h"

namespace velmora::test {

std::unique_ptr<Registry> MakeRegistryUnderTest();
void WipeRegistryUnderTest();

namespace {

const std::string kUser = "Software\\Classes\\", kTest = "Software\\VelmoraTest";
const std::wstring kTestW = L"Software\\VelmoraTest", kVerb = L"去除EXIF信息";
const std::string kForeign = "\"C:\\Viewer\\view.exe\" \"%1\"";
const ExeLocation kExe{L"C:\\Tools", L"Velmora"};
using Names = std::vector<std::wstring>;

std::string Z(const std::string& s) { return s + '\0'; }

class RegistrySuite : public ::testing::Test {
protected:
    RegistrySuite() { WipeRegistryUnderTest(); }
    ~RegistrySuite() override { WipeRegistryUnderTest(); }
    // Raw access below the layer under test.
    void Put(RegHandle root, const std::string& path, const std::string& data,
             const std::string& name = "", uint32_t type = kRegSz) {
        RegKey key(*registry);
        ASSERT_EQ(registry->CreateKey(root, path, key.out()), kRegOk) << path;
        EXPECT_EQ(registry->SetValue(key.get(), name, type, data), kRegOk);
    }
    // Every value of the tree as stored, "subkey|name=type:bytes".
    std::string Tree(RegHandle root, const std::string& path, const std::string& sub = "") {
        RegKey key(*registry);
        if (registry->OpenKey(root, path + sub, key.out())) return "-";
        std::string name, data, text;
        uint32_t type = 0;
        char child[256];
        for (uint32_t i = 0; !registry->EnumValue(key.get(), i, name, type, data); ++i)
            text += sub + "|" + name + "=" + std::to_string(type) + ":" + data + "\n";
        for (uint32_t i = 0; !registry->EnumKey(key.get(), i, child, sizeof child); ++i)
            text += Tree(root, path, sub + "\\" + child);
        return text;
    }
    // "type:bytes"; "" when the value is missing, "-" when the key is.
    std::string Raw(RegHandle root, const std::string& path, const std::string& name = "") {
        RegKey key(*registry);
        uint32_t type = 0, size = 0;
        if (registry->OpenKey(root, path, key.out())) return "-";
        if (registry->QueryValue(key.get(), name, type, nullptr, size)) return "";
        std::string data(size, '\0');
        registry->QueryValue(key.get(), name, type, data.data(), size);
        return std::to_string(type) + ":" + data;
    }

    std::unique_ptr<Registry> registry = MakeRegistryUnderTest();
    Reg reg{*registry};
};

TEST_F(RegistrySuite, ValuesAreStoredAndReadBackByType) {
    const std::string cjk = *registry->ToCodePage(kVerb);
    struct Case {
        uint32_t type;
        RegValue written;
        std::string stored;  // type:bytes
        RegValue read;
    } cases[] = {
        {kRegSz, kVerb, Z("1:" + cjk), kVerb},
        {kRegSz, L"", "1:", L""},
        {kRegSz, std::wstring(L"a\0b", 3), Z(std::string("1:a\0b", 5)), L"a"},
        {kRegMultiSz, L"a\r\nb\r\n", std::string("7:a\0b\0\0", 7), L"a\r\nb\r\n"},
        // Two NULs in a row end a multi-string's list: they read as nothing.
        {kRegMultiSz, L"a\r\n\r\nb\r\n", std::string("7:a\0\0b\0\0", 8), L"ab\r\n"},
        {kRegDword, L"-2", "4:\xFE\xFF\xFF\xFF", -2},
        {kRegBinary, std::vector<uint8_t>{1, 2, 3}, "3:\x01\x02\x03", 0x030201},
    };
    for (const Case& c : cases) {
        reg.SetRegValue(kRegCurrentUser, kTestW + L"\\" + kVerb, L"v", c.written, c.type);
        EXPECT_EQ(Raw(kRegCurrentUser, kTest + "\\" + cjk, "v"), c.stored);
        uint32_t type = c.type;
        EXPECT_EQ(reg.GetRegValue(kRegCurrentUser, kTestW + L"\\" + kVerb, L"v", type), c.read);
    }
}

// Names the code page cannot hold exactly are refused, not changed: best
// fit would make "²" a "2". A read gives the default back.
TEST_F(RegistrySuite, NamesTheCodePageLacksAreRefused) {
    Put(kRegCurrentUser, kTest, "");
    for (const auto& [path, name] : {std::pair{kTestW + L"\\²", std::wstring()}, {kTestW, L"😀"}}) {
        uint32_t type = kRegSz;
        EXPECT_EQ(reg.GetRegValue(kRegCurrentUser, path, name, type, L"fallback"),
                  RegValue(L"fallback"));
        EXPECT_EQ(reg.RegLastStatus(), kRegNoTranslation);
        reg.SetRegValue(kRegCurrentUser, path, name, L"x", kRegSz);
        EXPECT_EQ(reg.RegLastStatus(), kRegNoTranslation);
    }
    EXPECT_EQ(Raw(kRegCurrentUser, kTest + "\\2"), "-");
}

// As a user without administrator rights meets them: .vmt1 and .vmt2 share
// a machine-wide file type with a foreign verb of the same name; .vmt3 has
// a per-user one with a foreign verb, .vmt4 one with the verb of a program
// of the same name in another folder, .vmt6 this program's verb with its
// path in other letters (and a stale one an earlier version kept as
// foreign), .vmt7 the verb of a moved copy of this program; .vmt5 has no
// file type, and another program's verb with a handler but no command.
TEST_F(RegistrySuite, VerbIsInstalledPerUserAndForeignVerbsComeBack) {
    const std::string a = kUser + "VelmoraTest.A", b = kUser + "VelmoraTest.B",
                      c = kUser + "VelmoraTest.C", d = kUser + "VelmoraTest.D",
                      e = kUser + "VelmoraTest.E", sfa = kUser + "SystemFileAssociations\\.vmt5",
                      verb = *registry->ToCodePage(kVerb);
    const std::string cmd = "\\shell\\" + verb + "\\command",
                      oldCmd = "\\shell_Old" + cmd.substr(6);
    for (const char* ext : {".vmt1", ".vmt2"})
        Put(kRegLocalMachine, kUser + ext, Z("VelmoraTest.A"));
    Put(kRegCurrentUser, kUser + ".vmt3", Z("VelmoraTest.B"));
    Put(kRegCurrentUser, kUser + ".vmt4", Z("VelmoraTest.C"));
    Put(kRegCurrentUser, kUser + ".vmt6", Z("VelmoraTest.D"));
    Put(kRegLocalMachine, a + cmd, Z(kForeign));
    Put(kRegCurrentUser, b + cmd, Z(kForeign));
    const std::string sameName = "\"D:\\Old\\VELMORA.EXE\" \"%1\"";
    Put(kRegCurrentUser, c + cmd, Z(sameName));
    Put(kRegCurrentUser, d + cmd, Z("\"c:\\TOOLS\\velmora.EXE\"  \"%1\""));
    const std::string stale = "\"E:\\Gone\\Velmora.exe\"  \"%1\"";
    Put(kRegCurrentUser, d + oldCmd, Z(stale));
    Put(kRegCurrentUser, kUser + ".vmt7", Z("VelmoraTest.E"));
    Put(kRegCurrentUser, e + cmd, Z(stale));
    // The foreign verbs' other values and subkeys, which go aside with them.
    const std::string bVerb = b + "\\shell\\" + verb, sfaVerb = sfa + "\\shell\\" + verb;
    Put(kRegCurrentUser, bVerb, Z("@view.dll,-101"), "MUIVerb");
    Put(kRegCurrentUser, bVerb, Z("%ProgramFiles%\\Viewer\\view.exe,0"), "Icon", 2);
    Put(kRegCurrentUser, bVerb + "\\DropTarget", Z("{0C5F4A5A}"), "Clsid");
    Put(kRegCurrentUser, sfaVerb, Z("{7AD84985}"), "ExplorerCommandHandler");
    const std::string bTree = Tree(kRegCurrentUser, bVerb), sfaTree = Tree(kRegCurrentUser, sfa);
    const Names exts = {L"vmt1", L"vmt2", L"vmt3", L"vmt4", L"vmt5", L"vmt6", L"vmt7"};
    const std::string ourVerb = "|=" + Z("1:" + verb) + "\n|MultiSelectModel=" + Z("1:Player") +
                                "\n\\command|=" + Z("1:\"C:\\Tools\\Velmora.exe\"  \"%1\"") + "\n";
    const auto gone = [](std::wstring_view path) { return path.rfind(L"E:", 0) == 0; };
    for (int round = 0; round < 2; ++round) {
        VerbRequest r{kVerb};
        r.programGone = gone;
        InstallVerb(reg, kExe, exts, r);
        // Nothing of a foreign verb stays beside this program's command.
        for (const std::string& home : {a, b, c, d, e, sfa})
            EXPECT_EQ(Tree(kRegCurrentUser, home + "\\shell\\" + verb), ourVerb) << home;
        EXPECT_EQ(
            Raw(kRegCurrentUser, a + oldCmd) + Raw(kRegCurrentUser, b + oldCmd) +
                Raw(kRegCurrentUser, c + oldCmd) + Raw(kRegCurrentUser, d + oldCmd) +
                Raw(kRegCurrentUser, e + oldCmd),
            Z("1:" + kForeign) + Z("1:" + kForeign) + Z("1:" + sameName) + Z("1:" + stale) + "-");
        EXPECT_EQ(Tree(kRegCurrentUser, b + "\\shell_Old\\" + verb), bTree);
        EXPECT_TRUE(IsVerbInstalled(reg, kExe, L"vmt5", r));  // no file type
    }
    Put(kRegCurrentUser, e + cmd, Z(stale));  // moved again since
    for (int round = 0; round < 2; ++round) {
        VerbRequest r{kVerb};
        r.programGone = gone;
        UninstallVerb(reg, kExe, exts, r);
        EXPECT_EQ(Raw(kRegLocalMachine, a + cmd) + Raw(kRegCurrentUser, b + cmd) +
                      Raw(kRegCurrentUser, c + cmd),
                  Z("1:" + kForeign) + Z("1:" + kForeign) + Z("1:" + sameName));
        EXPECT_EQ(Tree(kRegCurrentUser, bVerb) + Tree(kRegCurrentUser, sfa), bTree + sfaTree);
        // No key of this program's is left, not even an empty parent, and
        // no stale verb comes back.
        for (const std::string& key : {a, b + "\\shell_Old", c + "\\shell_Old", d, e}) {
            EXPECT_EQ(Raw(kRegCurrentUser, key), "-") << key;
        }
        EXPECT_EQ(FindVerb(reg, kExe, exts, r), VerbPresence::None);
    }
    // Keys that hold values stay: a file type's own name, and this program's
    // command with other arguments, which is another verb.
    const std::string print = "\"C:\\Tools\\Velmora.exe\" /p \"%1\"";
    Put(kRegCurrentUser, a, Z("Picture"));
    Put(kRegCurrentUser, d + cmd, Z(print));
    VerbRequest r{kVerb};
    InstallVerb(reg, kExe, exts, r);
    UninstallVerb(reg, kExe, exts, r);
    EXPECT_EQ(Raw(kRegCurrentUser, a), Z("1:Picture"));
    EXPECT_EQ(Raw(kRegCurrentUser, d + cmd), Z("1:" + print));
}

}  // namespace
}  // namespace velmora::test
