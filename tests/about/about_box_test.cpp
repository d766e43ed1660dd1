#include "about/about_box.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// "\n" in the description is a line break; any other backslash stays.
TEST(AboutBoxTest, TextsFromExeNameAndVersion) {
    AboutTexts t = MakeAboutTexts(L"Other", {L"Velmora", 1, 2, 30, L"一\\n二\\n\\x\\"});
    EXPECT_EQ(t.caption + L"|" + t.version, L"关于 Other --By Tarvik软件|Ver: 1.2.30");
    EXPECT_EQ(t.description, L"一\r\n二\r\n\\x\\");
}

}  // namespace
}  // namespace velmora
