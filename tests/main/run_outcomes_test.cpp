// The tally of the tool's records and the final message, at the edges the
// window's tests do not reach: records shared out among spellings of one
// picture, a cancelled run.
#include "main/run_outcomes.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/text.h"

namespace velmora {
namespace {

TEST(RunOutcomes, EachRecordCountsOnceAndTheMessageSaysWhatWasHandled) {
    // One picture queued under two spellings; the tool reported it once.
    const std::vector<std::wstring> twice{L"C:\\A.JPG", L"c:\\a.jpg"};
    const std::string record = FormatOutcomeRecord(
        {ToolOutcome::Cleaned, ToolReason::None, true, false, false, "C:\\a.jpg", ""});
    RunTally t = TallyOutcomes(
        MatchOutcomes(twice, twice, record, [](std::wstring_view n) { return LowerText(n); }));
    EXPECT_EQ(std::tuple(t.total, t.cleaned, t.noOutcome), std::tuple(2, 1, 1));
    // The script named the picture by its short form; the record names it long.
    const Outcomes byLong = MatchOutcomes({L"C:\\A~1.JPG"}, {L"C:\\a.jpg"}, record,
                                          [](std::wstring_view n) { return LowerText(n); });
    EXPECT_TRUE(byLong[0].has_value());

    // Cancelled: handled are those the tool cleaned or found clean, of
    // those the script named; a refused picture still keeps its position.
    RunTally cancelled;
    cancelled.cancelled = true;
    cancelled.total = 6;
    cancelled.unsafeNames = 1;
    cancelled.cleaned = cancelled.clean = cancelled.noOutcome = cancelled.leftOut = 1;
    cancelled.gpsKept = 1;
    cancelled.failed[size_t(ToolReason::ReadOnly)] = 1;
    EXPECT_EQ(RunSummary(cancelled),
              L"已取消：已处理 2 张，共 4 张图片。其余图片未改动。\r\n已清除 1 张图片。\r\n"
              L"1 张图片本来就没有需要清除的信息。\r\n"
              L"已处理但未清除的图片中，有 1 张仍含GPS位置。\r\n· 1 张是只读文件\r\n"
              L"· 1 张的文件名含有系统代码页无法表示的字符\r\n"
              L"· 1 张的文件名含有无法安全处理的字符（引号、换行等控制字符）");
}

}  // namespace
}  // namespace velmora
