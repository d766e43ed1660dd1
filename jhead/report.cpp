#include "report.h"

#include "shown_name.h"

namespace jhead {

static std::string Bytes(uint64_t n) { return std::to_string(n) + " 字节"; }

static std::string Shown(const std::string& path) { return ShownName(path, fs::FitsResultsFile); }

// "Exif 12345 字节、XMP 678 字节" for every kind with bytes to remove.
static std::string RemovedList(const Summary& sum) {
    std::string s;
    for (const auto& [name, bytes] : sum.removed) {
        if (!s.empty()) s += "、";
        s += name + " " + Bytes(bytes);
    }
    return s;
}

// "GPS位置、拍摄设备" for the kinds of personal information found, "" for none.
static std::string PrivateList(const Findings& f) {
    std::string s;
    for (int k = 0; k < (int)Private::Count; k++) {
        Private p = (Private)k;
        if (!f.Has(p)) continue;
        // A serial number said outright makes the maker's data's maybe moot.
        if (p == Private::MakerNotes && f.Has(Private::Serial)) continue;
        if (!s.empty()) s += "、";
        s += PrivateName(p);
    }
    return s;
}

static std::string Notes(const Summary& sum) {
    std::string s;
    if (sum.orientation >= 2) s += "；保留方向信息（" + std::to_string(sum.orientation) + "）";
    std::string damaged;
    for (int d = 0; d < (int)Damage::Count; d++) {
        if (!sum.found.IsDamaged((Damage)d)) continue;
        if (!damaged.empty()) damaged += "、";
        damaged += DamageName((Damage)d);
    }
    if (!damaged.empty()) s += "；" + damaged + " 数据结构损坏，按能读出的部分判断";
    if (sum.found.unread) s += "；部分数据的格式未知，内容未读取，可能还含其他个人信息";
    if (sum.truncated) s += "；图像数据不完整，已原样保留";
    return s;
}

static const char kNoneFound[] = "未发现个人信息";

// "移除 GPS位置、作者（Exif 100 字节）" or "未发现个人信息，移除 注释 20 字节",
// with verb for 移除 or 含.
static std::string Contents(const Summary& sum, const char* verb) {
    std::string kinds = PrivateList(sum.found);
    if (kinds.empty()) return std::string(kNoneFound) + "，" + verb + " " + RemovedList(sum);
    return std::string(verb) + " " + kinds + "（" + RemovedList(sum) + "）";
}

std::string CleanedLine(const std::string& path, const Summary& sum, uint64_t size_before,
                        uint32_t links) {
    std::string s = Shown(path) + "：已清理，" + Contents(sum, "移除") + Notes(sum) + "；大小 " +
                    Bytes(size_before) + " → " + Bytes(sum.size_after);
    if (links > 1) {
        s += "；注意：此文件另有 " + std::to_string(links - 1) +
             " 个硬链接名称，它们仍指向未清理的原文件";
    }
    return s;
}

std::string NothingLine(const std::string& path, uint64_t size) {
    return Shown(path) + "：无需清理，" + kNoneFound + "，没有可移除的元数据（" + Bytes(size) +
           "），文件未改动";
}

std::string InfoLine(const std::string& path, const Summary& sum, uint64_t size) {
    std::string s = Shown(path) + "：" + sum.kind + "，" + Bytes(size) + "；";
    if (sum.RemovesAnything()) {
        s += Contents(sum, "含");
    } else {
        s += std::string(kNoneFound) + "，没有可移除的元数据";
    }
    return s + Notes(sum);
}

std::string FailedLine(const std::string& path, const std::string& reason, const Findings& kept) {
    std::string s = Shown(path) + "：未处理，" + reason + "，文件未改动";
    std::string kinds = PrivateList(kept);
    if (!kinds.empty()) s += "；仍含" + kinds;
    return s;
}

std::string ParseErrorText(ParseError e) {
    // In the order of ParseError.
    static const char* const kTexts[] = {
        "",
        "读取文件失败",
        "不是 JPEG 文件",
        "文件结构损坏：标记段超出文件末尾",
        "文件结构损坏：标记段长度无效",
        "文件结构损坏：图像数据前出现意外的标记",
        "文件结构损坏：缺少帧头（SOF）",
        "文件结构损坏：图像数据开始前文件已结束（缺少 SOS）",
        "文件中没有图像数据",
        "标记段过多，无法安全处理",
    };
    static_assert(sizeof kTexts / sizeof kTexts[0] == (int)ParseError::TooManySegments + 1);
    return kTexts[(int)e];
}

std::string FsErrorText(const fs::Error& e) {
    // In the order of fs::Op and fs::Err.
    static const char* const kActions[] = {
        "打开文件", "读取文件",     "创建临时文件", "写入临时文件", "复制文件时间和属性",
        "写入磁盘", "写入临时文件", "替换原文件",   "写入结果文件",
    };
    static const char* const kCauses[] = {
        "",
        "找不到文件或文件夹",
        "路径中有一部分不是文件夹",
        "拒绝访问",
        "磁盘或文件系统为只读",
        "磁盘空间不足",
        "文件太大",
        "文件正被其他程序使用",
        "不是普通文件",
        "文件名或路径太长",
        "符号链接层数过多（可能形成循环）",
        "文件名无效",
        "磁盘或网络读写出错",
        "打开的文件太多",
        "内存不足",
        "无法保留文件的所有者和所属组（文件属于其他用户或组）",
    };
    static_assert(sizeof kActions / sizeof kActions[0] == (int)fs::Op::Append + 1);
    static_assert(sizeof kCauses / sizeof kCauses[0] == (int)fs::Err::Other);
    if (e.kind == fs::Err::NotRegular || e.kind == fs::Err::OwnerNotKept)
        return kCauses[(int)e.kind];
    std::string cause = e.kind == fs::Err::Other || e.kind == fs::Err::None
                            ? "未知的系统错误（代码 " + std::to_string(e.code) + "）"
                            : kCauses[(int)e.kind];
    return std::string(kActions[(int)e.op]) + "失败：" + cause;
}

}  // namespace jhead
