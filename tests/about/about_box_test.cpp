#include "about/about_box.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(AboutBoxTest, TextsFromExeNameAndVersion) {
    struct Case {
        std::wstring description, shown;
    } cases[] = {
        {L"一行", L"一行"},
        {L"a\\nb\\nc", L"a\r\nb\r\nc"},
        {L"\\n\\x\\", L"\r\n\\x\\"},
    };
    for (const Case& c : cases) {
        AboutTexts texts = MakeAboutTexts(L"Other", {L"Velmora", 1, 2, 30, c.description});
        EXPECT_EQ(texts.caption, L"关于 Other --By Tarvik软件");
        EXPECT_EQ(texts.productName, L"Velmora");
        EXPECT_EQ(texts.version, L"Ver: 1.2.30");
        EXPECT_EQ(texts.description, c.shown);
    }
}

}  // namespace
}  // namespace velmora
