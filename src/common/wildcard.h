// Wildcard patterns for file names: "?" any one character, "*" any run of
// characters (also none), "#" one digit, "[abc]" / "[a-z]" one character of
// the list, "[!0-9]" one character not in it. Inside brackets "?", "*", "#"
// and "[" stand for themselves, and so does a "-" first or last; a "]"
// outside a list stands for itself. The pattern covers the whole name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// One pattern, parsed once so that matching thousands of names is cheap.
class WildcardPattern {
public:
    // nullopt when the pattern is malformed: a "[" that is never closed.
    static std::optional<WildcardPattern> Parse(std::wstring_view pattern);
    // Exact comparison of characters (letter case matters here).
    bool Matches(std::wstring_view name) const;

private:
    struct Token {
        enum Kind { Literal, AnyOne, AnyRun, Digit, Set } kind = Literal;
        wchar_t c = 0;
        bool negated = false;
        std::vector<std::pair<wchar_t, wchar_t>> ranges;  // inclusive
        bool MatchesOne(wchar_t ch) const;
    };

    std::vector<Token> tokens_;
};

// Patterns separated by ";", both sides lower-cased before they are
// compared, so letters match regardless of case. Empty pieces are skipped.
class PatternSet {
public:
    explicit PatternSet(std::wstring_view text);
    // The first malformed pattern (lower-cased), or nullopt when all are sound.
    const std::optional<std::wstring>& Malformed() const { return malformed_; }
    // True when `name` matches one of the sound patterns.
    bool Matches(std::wstring_view name) const;

private:
    std::vector<WildcardPattern> patterns_;
    std::optional<std::wstring> malformed_;
};

// One-shot form of PatternSet: does `name` match one of the ";"-separated
// patterns? A malformed pattern never matches.
bool MatchPatterns(std::wstring_view name, std::wstring_view patterns);

}  // namespace velmora
