#include "about/md5.h"

#include <gtest/gtest.h>

#include "runtime/fake_code_page.h"
#include "runtime/fake_services.h"

namespace velmora {
namespace {

TEST(Md5Test, DigestsOfTheReferenceSuiteAndBlockBoundaries) {
    struct Case {
        std::string bytes;
        const wchar_t* digest;
    } cases[] = {
        {"", L"D41D8CD98F00B204E9800998ECF8427E"},
        {"a", L"0CC175B9C0F1B6A831C399E269772661"},
        {"abc", L"900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", L"F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", L"C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         L"D174AB98D277D9F5A5611C2C9F419D9F"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         L"57EDF4A22BE3C955AC49DA2E2107B67A"},
        {std::string(55, 'a'), L"EF1772B6DFF9A122358552954AD0DF65"},
        {std::string(56, 'a'), L"3B0C8AC703F828B04C6C197006D17218"},
        {std::string(57, 'a'), L"652B906D60AF96844EBD21B674F35E93"},
        {std::string(63, 'a'), L"B06521F39153D618550606BE297466D5"},
        {std::string(64, 'a'), L"014842D480B571495A4A0363793F7367"},
        {std::string(65, 'a'), L"C743A45E0D2E6A95CB859ADAE0248435"},
        {std::string(32768, 'a'), L"7515E2CA2F78BE0C2437F3FB674412C6"},
        {std::string(1000000, 'a'), L"7707D6AE4E027C70EEA2A935C2296F21"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DigestToHex(Md5OfBytes(c.bytes)), c.digest) << c.bytes.size() << " bytes";
    }
}

TEST(Md5Test, TextIsHashedOverItsCodePageBytes) {
    test::FakeCodePage codePage;
    codePage.bytes = {
        {L'计', "\xbc\xc6"}, {L'算', "\xcb\xe3"}, {L'机', "\xbb\xfa"}, {L'名', "\xc3\xfb"}};
    test::FakeDialogs dialogs;
    EXPECT_EQ(MD5OfString(L"计算机名", codePage, dialogs), L"5E68B2A879DAC42E741F97A72D919FD9");
    EXPECT_EQ(MD5OfString(std::wstring(1000000, L'a'), codePage, dialogs),
              L"7707D6AE4E027C70EEA2A935C2296F21");
    EXPECT_TRUE(dialogs.shown.empty());

    EXPECT_EQ(MD5OfString(L"\u0E01", codePage, dialogs), L"");  // not in the code page
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
}

}  // namespace
}  // namespace velmora
