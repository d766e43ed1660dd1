#include "report.h"

namespace jhead {

static std::string Bytes(uint64_t n) { return std::to_string(n) + " 字节"; }

// "Exif 12345 字节、XMP 678 字节" for every kind with bytes to remove.
static std::string RemovedList(const Plan& plan) {
    std::string s;
    for (int k = 0; k < kKindCount; k++) {
        if (plan.removed[k] == 0) continue;
        if (!s.empty()) s += "、";
        s += KindName((Kind)k);
        s += " ";
        s += Bytes(plan.removed[k]);
    }
    return s;
}

static std::string Notes(const Plan& plan) {
    std::string s;
    if (plan.orientation.value >= 2)
        s += "；保留方向信息（" + std::to_string(plan.orientation.value) + "）";
    if (plan.truncated) s += "；图像数据不完整，已原样保留";
    return s;
}

std::string CleanedLine(const std::string& path, const Plan& plan, uint64_t size_before) {
    return path + "：已清理，移除 " + RemovedList(plan) + Notes(plan) + "；大小 " +
           Bytes(size_before) + " → " + Bytes(plan.size_after);
}

std::string NothingLine(const std::string& path, uint64_t size) {
    return path + "：无需清理，没有可移除的元数据（" + Bytes(size) + "），文件未改动";
}

std::string InfoLine(const std::string& path, const Plan& plan, uint64_t size) {
    std::string s = path + "：JPEG，" + Bytes(size);
    if (plan.RemovesAnything()) {
        s += "；含 " + RemovedList(plan);
    } else {
        s += "；没有可移除的元数据";
    }
    return s + Notes(plan);
}

std::string FailedLine(const std::string& path, const std::string& reason) {
    return path + "：未处理，" + reason + "，文件未改动";
}

std::string ParseErrorText(ParseError e) {
    // In the order of ParseError.
    static const char* const kTexts[] = {
        "",
        "读取文件失败",
        "不是 JPEG 文件",
        "文件结构损坏：标记段超出文件末尾",
        "文件结构损坏：标记段长度无效",
        "文件结构损坏：标记段之间有无法识别的数据",
        "文件结构损坏：图像数据前出现意外的标记",
        "文件结构损坏：缺少帧头（SOF）",
        "文件结构损坏：图像数据开始前文件已结束（缺少 SOS）",
        "标记段过多，无法安全处理",
    };
    static_assert(sizeof kTexts / sizeof kTexts[0] == (int)ParseError::TooManySegments + 1);
    return kTexts[(int)e];
}

std::string FsErrorText(const fs::Error& e) {
    // In the order of fs::Op and fs::Err.
    static const char* const kActions[] = {"打开文件",     "读取文件",           "创建临时文件",
                                           "写入临时文件", "复制文件时间和属性", "写入磁盘",
                                           "写入临时文件", "替换原文件"};
    static const char* const kCauses[] = {"",
                                          "找不到文件或文件夹",
                                          "拒绝访问",
                                          "磁盘空间不足",
                                          "文件正被其他程序使用",
                                          "不是普通文件"};
    static_assert(sizeof kActions / sizeof kActions[0] == (int)fs::Op::Replace + 1);
    static_assert(sizeof kCauses / sizeof kCauses[0] == (int)fs::Err::NotRegular + 1);
    if (e.kind == fs::Err::NotRegular) return kCauses[(int)e.kind];
    std::string cause = e.kind == fs::Err::Other || e.kind == fs::Err::None
                            ? "系统错误 " + std::to_string(e.code)
                            : kCauses[(int)e.kind];
    return std::string(kActions[(int)e.op]) + "失败：" + cause;
}

}  // namespace jhead
