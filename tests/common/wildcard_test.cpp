#include "common/wildcard.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Wildcard, MatchPatternsFollowsEveryRule) {
    struct Case {
        const wchar_t* name;
        const wchar_t* patterns;
        bool expected;
    };
    // clang-format off
    const Case cases[] = {
        {L"A.JPG", L"*.jpg;*.png", true}, {L"x.jpg.bak", L"*jpg*", true},  // case ignored
        {L"pic001.jpg", L"pic???.jpg", true}, {L"pic01.jpg", L"pic???.jpg", false},
        {L"img0.jpg", L"img#.jpg", true}, {L"img9.jpg", L"img#.jpg", true},
        {L"imgx.jpg", L"img#.jpg", false}, {L"a.jpg", L"a.jpg**", true}, {L"a.jpg", L"a.jpg*?", false},
        {L"d.jpg", L"[abc].jpg", false}, {L"m.jpg", L"[a-z].jpg", true},
        {L"5.jpg", L"[!0-9].jpg", false}, {L"x.jpg", L"[!0-9].jpg", true},
        {L"?.jpg", L"[?*#[].jpg", true}, {L"q.jpg", L"[?*#[].jpg", false},  // literal in brackets
        {L"-.jpg", L"[-a].jpg", true}, {L"-.jpg", L"[a-].jpg", true}, {L"b.jpg", L"[a-].jpg", false},
        {L"readme.", L"*.", true}, {L"a.jpg", L"*.", false}, {L"a.jpgx", L"*.jpg", false},
        {L"a.jpg", L";;*.jpg", true}, {L"a.jpg", L"[abc", false}, {L"Ä.jpg", L"ä*", true}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(MatchPatterns(c.name, c.patterns), c.expected) << c.name << " ~ " << c.patterns;
    }
}

}  // namespace
}  // namespace velmora
