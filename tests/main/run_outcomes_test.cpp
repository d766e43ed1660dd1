// The tally of the tool's records and the final message, at the edges the
// window's tests do not reach: records shared out among spellings of one
// picture, one lost line, a cancelled run.
#include "main/run_outcomes.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace velmora {
namespace {

std::string Record(ToolOutcome outcome, bool reported, const std::string& path) {
    return FormatOutcomeRecord({outcome, ToolReason::None, reported, false, path});
}

TEST(RunOutcomes, EachRecordCountsOnceAndTheMessageSaysWhatWasHandled) {
    // One picture queued under two spellings; the tool reported it once.
    const std::vector<std::wstring> twice{L"C:\\A.JPG", L"c:\\a.jpg"};
    RunTally t = TallyOutcomes(twice, twice, Record(ToolOutcome::Cleaned, true, "C:\\a.jpg"),
                               [](std::wstring_view n) { return LowerText(n); });
    EXPECT_EQ(std::tuple(t.total, t.cleaned, t.noOutcome), std::tuple(2, 1, 1));

    // Exactly one line missing from the results file is said.
    const std::vector<std::wstring> one{L"C:\\b.jpg"};
    t = TallyOutcomes(one, one, Record(ToolOutcome::NothingToRemove, false, "C:\\b.jpg"),
                      [](std::wstring_view n) { return std::wstring(n); });
    EXPECT_EQ(RunSummary(t),
              L"搞定\r\n注意：有 1 个文件的结果没能写入结果文件，“查看结果”中缺少它们。");

    // Cancelled: handled are those the tool cleaned or found clean, of
    // those the script named.
    RunTally cancelled;
    cancelled.cancelled = true;
    cancelled.total = 5;
    cancelled.cleaned = cancelled.clean = cancelled.noOutcome = cancelled.leftOut = 1;
    cancelled.failed[size_t(ToolReason::ReadOnly)] = 1;
    EXPECT_EQ(RunSummary(cancelled),
              L"已取消：已处理 2 个，共 4 个文件。其余文件未改动。\r\n· 1 个是只读文件\r\n"
              L"· 1 个的文件名含有系统代码页无法表示的字符");
}

}  // namespace
}  // namespace velmora
