#include "common/wildcard.h"

#include "common/text.h"

namespace velmora {

bool WildcardPattern::Token::MatchesOne(wchar_t ch) const {
    switch (kind) {
        case Literal:
            return ch == c;
        case AnyOne:
            return true;
        case Digit:
            return ch >= L'0' && ch <= L'9';
        case Set: {
            bool inList = false;
            for (const auto& [lo, hi] : ranges) inList = inList || (ch >= lo && ch <= hi);
            return inList != negated;
        }
        case AnyRun:
            break;
    }
    return false;
}

std::optional<WildcardPattern> WildcardPattern::Parse(std::wstring_view pattern) {
    WildcardPattern parsed;
    for (size_t i = 0; i < pattern.size(); ++i) {
        Token t;
        const wchar_t c = pattern[i];
        if (c == L'?') {
            t.kind = Token::AnyOne;
        } else if (c == L'*') {
            t.kind = Token::AnyRun;
        } else if (c == L'#') {
            t.kind = Token::Digit;
        } else if (c == L'[') {
            const size_t close = pattern.find(L']', i + 1);
            if (close == std::wstring_view::npos) return std::nullopt;
            std::wstring_view list = pattern.substr(i + 1, close - i - 1);
            t.kind = Token::Set;
            if (!list.empty() && list[0] == L'!') {
                t.negated = true;
                list.remove_prefix(1);
            }
            // "x-y" is a range unless the hyphen stands first or last.
            for (size_t k = 0; k < list.size(); ++k) {
                if (k + 2 < list.size() && list[k + 1] == L'-') {
                    t.ranges.emplace_back(list[k], list[k + 2]);
                    k += 2;
                } else {
                    t.ranges.emplace_back(list[k], list[k]);
                }
            }
            i = close;
        } else {
            t.c = c;
        }
        parsed.tokens_.push_back(std::move(t));
    }
    return parsed;
}

// Walks name and pattern together; on a mismatch it goes back to the last
// "*" and lets it take one more character. Linear in the usual case, and
// never worse than name length times pattern length.
bool WildcardPattern::Matches(std::wstring_view name) const {
    size_t n = 0, p = 0;
    size_t starP = std::wstring::npos, starN = 0;
    while (n < name.size()) {
        if (p < tokens_.size() && tokens_[p].kind == Token::AnyRun) {
            starP = p++;
            starN = n;
        } else if (p < tokens_.size() && tokens_[p].MatchesOne(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::wstring::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < tokens_.size() && tokens_[p].kind == Token::AnyRun) ++p;
    return p == tokens_.size();
}

PatternSet::PatternSet(std::wstring_view text) {
    for (const std::wstring& piece : SplitText(LowerText(text), L";")) {
        if (piece.empty()) continue;
        std::optional<WildcardPattern> parsed = WildcardPattern::Parse(piece);
        if (!parsed) {
            if (!malformed_) malformed_ = piece;
            continue;
        }
        patterns_.push_back(std::move(*parsed));
    }
}

bool PatternSet::Matches(std::wstring_view name) const {
    const std::wstring lowered = LowerText(name);
    for (const WildcardPattern& pattern : patterns_) {
        if (pattern.Matches(lowered)) return true;
    }
    return false;
}

bool MatchPatterns(std::wstring_view name, std::wstring_view patterns) {
    return PatternSet(patterns).Matches(name);
}

}  // namespace velmora
