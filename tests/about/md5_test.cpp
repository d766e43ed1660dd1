#include "about/md5.h"

#include <gtest/gtest.h>

#include "runtime/fake_services.h"

namespace velmora {
namespace {

// Reference digests, and lengths around the 56-byte padding limit and the
// 64-byte block.
TEST(Md5Test, DigestsAtBlockBoundaries) {
    const std::pair<std::string, const wchar_t*> cases[] = {
        {"", L"D41D8CD98F00B204E9800998ECF8427E"},
        {"abc", L"900150983CD24FB0D6963F7D28E17F72"},
        {std::string(55, 'a'), L"EF1772B6DFF9A122358552954AD0DF65"},
        {std::string(56, 'a'), L"3B0C8AC703F828B04C6C197006D17218"},
        {std::string(64, 'a'), L"014842D480B571495A4A0363793F7367"},
    };
    for (const auto& [bytes, digest] : cases) {
        EXPECT_EQ(DigestToHex(Md5OfBytes(bytes)), digest) << bytes.size() << " bytes";
    }
}

TEST(Md5Test, TextIsHashedOverItsCodePageBytes) {
    test::FakeCodePage codePage;
    test::FakeDialogs dialogs;
    EXPECT_EQ(MD5OfString(L"计算机名", codePage, dialogs), L"A35A68566F506F3D7D1C039144B6D748");
    EXPECT_EQ(MD5OfString(std::wstring(1000000, L'a'), codePage, dialogs),
              L"7707D6AE4E027C70EEA2A935C2296F21");

    EXPECT_EQ(MD5OfString(L"\u0E01", codePage, dialogs), L"");  // not in the code page
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace velmora
