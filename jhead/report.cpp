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
    switch (e) {
        case ParseError::None:
            break;
        case ParseError::ReadFailed:
            return "读取文件失败";
        case ParseError::NotJpeg:
            return "不是 JPEG 文件";
        case ParseError::SegmentPastEnd:
            return "文件结构损坏：标记段超出文件末尾";
        case ParseError::BadLength:
            return "文件结构损坏：标记段长度无效";
        case ParseError::Garbage:
            return "文件结构损坏：标记段之间有无法识别的数据";
        case ParseError::UnexpectedMarker:
            return "文件结构损坏：图像数据前出现意外的标记";
        case ParseError::NoFrame:
            return "文件结构损坏：缺少帧头（SOF）";
        case ParseError::NoScan:
            return "文件结构损坏：图像数据开始前文件已结束（缺少 SOS）";
        case ParseError::TooManySegments:
            return "标记段过多，无法安全处理";
    }
    return "未知错误";
}

std::string FsErrorText(const fs::Error& e) {
    if (e.kind == fs::Err::NotRegular) return "不是普通文件";
    const char* action = "";
    switch (e.op) {
        case fs::Op::Open:
            action = "打开文件";
            break;
        case fs::Op::Read:
            action = "读取文件";
            break;
        case fs::Op::Create:
            action = "创建临时文件";
            break;
        case fs::Op::Write:
        case fs::Op::Close:
            action = "写入临时文件";
            break;
        case fs::Op::CopyMetadata:
            action = "复制文件时间和属性";
            break;
        case fs::Op::Flush:
            action = "写入磁盘";
            break;
        case fs::Op::Replace:
            action = "替换原文件";
            break;
    }
    std::string cause;
    switch (e.kind) {
        case fs::Err::NotFound:
            cause = "找不到文件或文件夹";
            break;
        case fs::Err::AccessDenied:
            cause = "拒绝访问";
            break;
        case fs::Err::DiskFull:
            cause = "磁盘空间不足";
            break;
        case fs::Err::InUse:
            cause = "文件正被其他程序使用";
            break;
        default:
            cause = "系统错误 " + std::to_string(e.code);
            break;
    }
    return std::string(action) + "失败：" + cause;
}

}  // namespace jhead
