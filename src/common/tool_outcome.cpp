#include "common/tool_outcome.h"

#include <iterator>

namespace velmora {

namespace {

constexpr std::string_view kOutcomeWords[] = {"cleaned", "clean", "failed"};
constexpr std::string_view kReasonWords[] = {"-",        "missing", "readonly", "inuse",
                                             "denied",   "notjpeg", "damaged",  "notafile",
                                             "diskfull", "other",   "otherfile"};
static_assert(std::size(kReasonWords) == kToolReasonCount);

template <typename Enum, size_t N>
bool Lookup(const std::string_view (&words)[N], std::string_view word, Enum* out) {
    for (size_t i = 0; i < N; ++i) {
        if (words[i] == word) {
            *out = Enum(i);
            return true;
        }
    }
    return false;
}

bool Flag(std::string_view word, bool* out) {
    if (word != "0" && word != "1") return false;
    *out = word == "1";
    return true;
}

}  // namespace

std::string FormatOutcomeRecord(const OutcomeRecord& r) {
    std::string line(kOutcomeWords[int(r.outcome)]);
    line += '\t';
    line += kReasonWords[int(r.reason)];
    line += r.reported ? "\t1" : "\t0";
    line += r.gps ? "\t1" : "\t0";
    line += r.output ? "\t1\t" : "\t0\t";
    return line + r.path + "\t" + r.opened + "\n";
}

std::vector<OutcomeRecord> ParseOutcomeRecords(std::string_view text) {
    std::vector<OutcomeRecord> records;
    for (size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1)) {
        std::string_view line = text.substr(0, end);
        std::string_view fields[7];
        for (int i = 0; i < 6; ++i) {
            const size_t tab = line.find('\t');
            if (tab == std::string_view::npos) break;
            fields[i] = line.substr(0, tab);
            line.remove_prefix(tab + 1);
        }
        fields[6] = line;
        OutcomeRecord r;
        if (Lookup(kOutcomeWords, fields[0], &r.outcome) &&
            Lookup(kReasonWords, fields[1], &r.reason) && Flag(fields[2], &r.reported) &&
            Flag(fields[3], &r.gps) && Flag(fields[4], &r.output) && fields[5].data() != nullptr) {
            r.path = fields[5];
            r.opened = fields[6];
            records.push_back(std::move(r));
        }
    }
    return records;
}

std::wstring WideFromUtf8(std::string_view s) {
    std::wstring out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = s[i];
        const int extra = c < 0x80 ? 0 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
        char32_t cp = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
        bool ok = extra >= 0 && c < 0xF5 && i + size_t(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char next = s[i + size_t(k)];
            ok = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        // Overlong forms and values past Unicode are not text.
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        ok = ok && cp >= kMin[extra < 0 ? 0 : extra] && cp <= 0x10FFFF;
        if (!ok) {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000 && sizeof(wchar_t) == 2) {
            out += wchar_t(0xD800 + ((cp - 0x10000) >> 10));
            out += wchar_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += wchar_t(cp);
        }
        i += size_t(extra) + 1;
    }
    return out;
}

std::string Utf8FromWide(std::wstring_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = char32_t(s[i]);
        const bool pair =
            cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && (s[i + 1] & 0xFC00) == 0xDC00;
        if (pair) cp = 0x10000 + ((cp - 0xD800) << 10) + ((s[++i] & 0x3FF));
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
        } else if (cp < 0x10000) {
            out += {char(0xE0 | (cp >> 12)), char(0x80 | ((cp >> 6) & 0x3F)),
                    char(0x80 | (cp & 0x3F))};
        } else {
            out += {char(0xF0 | (cp >> 18)), char(0x80 | ((cp >> 12) & 0x3F)),
                    char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
        }
    }
    return out;
}

}  // namespace velmora
