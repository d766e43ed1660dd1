// The tool's outcome records as the program reads them back.
#include "common/tool_outcome.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velmora {
namespace {

TEST(ToolOutcome, RecordsRoundTripAndOnlyWholeWellFormedLinesCount) {
    const OutcomeRecord written[] = {
        {ToolOutcome::Cleaned, ToolReason::None, true, true, false, "C:\\a b.jpg", "C:\\a b.jpg"},
        {ToolOutcome::Failed, ToolReason::Other, false, false, true, "C:\\X~1.JPG", "C:\\x\ty"},
        {ToolOutcome::NothingToRemove, ToolReason::None, true, false, false, "", ""},
    };
    std::string text;
    for (const OutcomeRecord& r : written) text += FormatOutcomeRecord(r);
    text += "cleaned\t-\t1\t0\t2\tC:\\bad flag.jpg\t\n";  // malformed: skipped
    text += "failed\tnosuch\t1\t0\t0\tC:\\bad reason.jpg\t\n";
    text += "cleaned\t-\t1\t0\t0\tC:\\cut short.jpg\t";  // no line end yet
    const std::vector<OutcomeRecord> read = ParseOutcomeRecords(text);
    ASSERT_EQ(read.size(), std::size(written));
    auto fields = [](const OutcomeRecord& r) {
        return std::tie(r.outcome, r.reason, r.reported, r.gps, r.output, r.path, r.opened);
    };
    for (size_t i = 0; i < read.size(); ++i) EXPECT_EQ(fields(read[i]), fields(written[i])) << i;
}

// Names come back exactly, lone surrogates (which Windows names may hold)
// included; bytes that are no UTF-8 never pass for a character.
TEST(ToolOutcome, Utf8BothWays) {
    const std::wstring names[] = {L"a.jpg",
                                  L"é照",
                                  L"😀.jpg",
                                  L"\x7F\x80\x7FF\x800\xFFFF",
                                  L"\U00010000\U0010FFFF",
                                  std::wstring(1, wchar_t(0xD800)),
                                  std::wstring(1, wchar_t(0xDC00)) + L"x"};
    for (const std::wstring& name : names) EXPECT_EQ(WideFromUtf8(Utf8FromWide(name)), name);
    EXPECT_EQ(WideFromUtf8("\xC0\xAF|\xE4\xB8|\xF4\x90\x80\x80|\x80"),
              L"\xFFFD\xFFFD|\xFFFD\xFFFD|\xFFFD\xFFFD\xFFFD\xFFFD|\xFFFD");
}

}  // namespace
}  // namespace velmora
