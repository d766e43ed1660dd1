#include "tool.h"

#include "clean_file.h"
#include "platform/file_system.h"
#include "report.h"

namespace jhead {

static const char* kUsage =
    "用法：jhead [-de] 文件...\n"
    "  文件可以是 JPEG、PNG（含 APNG）、WebP、HEIC/HEIF 或 AVIF，按内容识别，不看扩展名\n"
    "  不带选项    报告每个文件含有哪些元数据，不作任何改动\n"
    "  -de         移除 Exif、XMP、IPTC、注释、文本、缩略图及图像后的附加数据；\n"
    "              保留图像数据、ICC 色彩配置和方向信息，不重新压缩\n"
    "  --help      显示本帮助\n"
    "  --version   显示版本\n"
    "  --          其后的参数都是文件名\n"
    "退出状态：0 全部成功，1 有文件未能处理，2 用法错误";

int RunTool(const std::vector<std::string>& args) {
    bool clean = false;
    bool help = false;
    bool version = false;
    bool only_files = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (only_files || a.size() < 2 || a[0] != '-') {
            files.push_back(a);
        } else if (a == "--") {
            only_files = true;
        } else if (a == "-de") {
            clean = true;
        } else if (a == "--help" || a == "-h" || a == "-?") {
            help = true;
        } else if (a == "--version") {
            version = true;
        } else {
            fs::PrintLine("jhead：未知选项 " + a, true);
            fs::PrintLine(kUsage, true);
            return 2;
        }
    }
    if (help) {
        fs::PrintLine(kUsage, false);
        return 0;
    }
    if (version) {
        fs::PrintLine(std::string("jhead（Velmora）") + kVersion, false);
        return 0;
    }
    if (files.empty()) {
        fs::PrintLine("jhead：没有指定文件", true);
        fs::PrintLine(kUsage, true);
        return 2;
    }
    if (clean) fs::InstallInterruptCleanup();
    std::string event_file, outcome_file;
    bool log = fs::GetEnv("VELMORA_EVENT_FILE", &event_file);
    bool record = fs::GetEnv(velmora::kOutcomeFileVariable, &outcome_file);
    bool failed = false;
    for (const std::string& f : files) {
        FileResult r = clean ? CleanFile(f) : DescribeFile(f);
        if (r.outcome == Outcome::Failed) failed = true;
        // The results file first: the console may be gone already (a
        // cancelled run ends the script that owned it), and a write to it
        // can then block under Wine. A line missing from the results file
        // must not pass unnoticed.
        fs::Error e;
        const bool logged = !log || fs::AppendLine(event_file, r.line, &e);
        fs::PrintLine(r.line, false);
        if (!logged) {
            fs::PrintLine("jhead：" + event_file + "：" + FsErrorText(e), true);
            failed = true;  // the results file misses this line
        }
        // The program that runs the tool learns from this record what
        // happened, and whether the line above reached the results file.
        // It names the file it opened: a short name may lead elsewhere. It
        // never leaves an output for the program to move.
        const velmora::OutcomeRecord outcome{r.outcome, r.reason, logged,  r.gps,
                                             false,     f,        r.opened};
        if (record && !fs::AppendBytes(outcome_file, velmora::FormatOutcomeRecord(outcome), &e)) {
            fs::PrintLine("jhead：" + outcome_file + "：" + FsErrorText(e), true);
            failed = true;
        }
    }
    return failed ? 1 : 0;
}

}  // namespace jhead
