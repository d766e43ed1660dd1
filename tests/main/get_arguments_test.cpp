#include "main/get_arguments.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using Items = std::vector<std::wstring>;

TEST(GetArguments, BlanksSeparateOutsideQuotesAndQuotesOnlyGroup) {
    struct Case {
        const wchar_t* commandLine;
        Items items;
    } cases[] = {
        {L"\"C:\\My Pictures\\a.jpg\" C:\\b.jpg", {L"C:\\My Pictures\\a.jpg", L"C:\\b.jpg"}},
        {L"a\"b c\"d", {L"ab cd"}},
        // Two blanks give an empty item; a tab is an ordinary character.
        {L"a  b", {L"a", L"", L"b"}},
        {L"a\tb", {L"a\tb"}},
        // A quote never closed keeps every later blank inside the last item.
        {L"x \"y z w", {L"x", L"y z w"}},
        {L" ", {L"", L""}},
    };
    for (const Case& c : cases) EXPECT_EQ(GetArguments(c.commandLine), c.items) << c.commandLine;
}

}  // namespace
}  // namespace velmora
