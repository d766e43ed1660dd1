#include "main/get_arguments.h"

#include <gtest/gtest.h>

#include "runtime/scripted_platform.h"

namespace velmora {
namespace {

using Items = std::vector<std::wstring>;

Items Split(std::wstring text) {
    test::ScriptedPlatform platform;
    return GetArguments(platform, text);
}

TEST(GetArguments, BlanksSeparateOutsideQuotesAndQuotesOnlyGroup) {
    EXPECT_EQ(Split(L""), Items{});
    EXPECT_EQ(Split(L"\"C:\\My Pictures\\a.jpg\" C:\\b.jpg"),
              (Items{L"C:\\My Pictures\\a.jpg", L"C:\\b.jpg"}));
    EXPECT_EQ(Split(L"a\"b c\"d"), Items{L"ab cd"});
    // Two blanks give an empty item; a tab is an ordinary character.
    EXPECT_EQ(Split(L"a  b"), (Items{L"a", L"", L"b"}));
    EXPECT_EQ(Split(L"a\tb"), Items{L"a\tb"});
    // A quote never closed keeps every later blank inside the last item.
    EXPECT_EQ(Split(L"x \"y z w"), (Items{L"x", L"y z w"}));
    // A single blank is an empty item before and after it.
    EXPECT_EQ(Split(L" "), (Items{L"", L""}));
}

TEST(GetArguments, MarkerIsReplacedByTheCommandLineInTheCallersVariable) {
    test::ScriptedPlatform platform;
    platform.commandLine = L"\"D:\\照片\\一.jpg\"  b.jpg";
    std::wstring source(kCommandMarker);
    EXPECT_EQ(GetArguments(platform, source), (Items{L"D:\\照片\\一.jpg", L"", L"b.jpg"}));
    EXPECT_EQ(source, platform.commandLine);

    std::wstring again(kCommandMarker);
    EXPECT_EQ(GetArgumentsText(platform, again), L"D:\\照片\\一.jpg\r\n\r\nb.jpg");
    // Any other text is split as it stands.
    std::wstring plain = L"$:Command() x";
    EXPECT_EQ(GetArguments(platform, plain), (Items{L"$:Command()", L"x"}));
}

}  // namespace
}  // namespace velmora
