// The built tool judged by other programs: exiftool (the kinds the report
// names; nothing left but Orientation once cleaned), djpeg or ImageMagick
// (pixels identical before and after) and pngcheck, on real camera
// pictures, on pictures built here in every layout libjpeg writes, and on
// the PNG and WebP pictures made with Debian's tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "jpeg_samples.h"
#include "shell.h"

using namespace jhead_test;

namespace {

using Tags = std::map<std::string, std::string>;   // "Group:Tag" -> value
using Lines = std::map<std::string, std::string>;  // file -> the tool's line for it

// One exiftool run over many files: tags per file.
std::map<std::string, Tags> ExifTool(const std::vector<std::string>& files,
                                     const std::string& groups = "-G1") {
    std::string cmd = "exiftool -a -s -n " + groups;
    for (const std::string& f : files) cmd += " " + Quote(f);
    std::istringstream out(Shell(cmd + " 2>/dev/null"));
    static const std::regex kTag(R"(\[(\S+)\]\s+(\S+)\s+: (.*))");
    std::map<std::string, Tags> result;
    std::string file = files[0];
    std::smatch m;
    for (std::string line; std::getline(out, line);) {
        if (line.rfind("======== ", 0) == 0) file = line.substr(9);
        if (std::regex_match(line, m, kTag)) result[file][m[1].str() + ":" + m[2].str()] = m[3];
    }
    return result;
}

// One run of the tool over all files: "" reports, " -de" cleans.
Lines RunJhead(const std::vector<std::string>& files, const char* mode, int* status = nullptr) {
    std::string cmd = Quote(JHEAD_EXE) + mode;
    for (const std::string& f : files) cmd += " " + Quote(f);
    std::istringstream out(Shell(cmd + " 2>&1", status));
    Lines lines;
    for (std::string line; std::getline(out, line);) lines[line.substr(0, line.find("："))] = line;
    return lines;
}

// Each kind of personal information the report names, what a value that
// holds none is made of (a position, time or image size of zeros is none),
// and the exiftool tags ("Family0:Family1:Tag") that hold it.
struct Kind {
    const char* word;
    const char* none;
    std::regex tags;
};
const Kind kKinds[] = {
    {"GPS位置", " 0:.+-",
     std::regex("(EXIF:GPS|XMP:XMP-exif|APP1:FLIR):GPS(Dest)?(Latitude|Longitude)|"
                "XMP:XMP-drone-dji:(GPS)?(Latitude|Longt?itude)")},
    {"地点", " ",
     std::regex("IPTC:(City|Sub-location|Province-State|Country-Primary.*|ContentLocation.*)|"
                "XMP:XMP-(photoshop:(City|State|Country)|iptc(Core|Ext):(Country|Location).*)")},
    {"拍摄设备", " ",
     std::regex("EXIF:\\w+:(Make|Model|HostComputer|LensMake|LensModel)|XMP:XMP-(tiff:"
                "(Make|Model)|aux:Lens|exifEX:Lens(Make|Model))|APP1:FLIR:(Camera|Lens)Model|"
                "APP12:PictureInfo:CameraType|PNG:(Make|Model|Source)")},
    {"拍摄时间", " 0:.+-",
     std::regex("EXIF:\\w+:(ModifyDate|DateTimeOriginal|CreateDate)|XMP:XMP-(xmp:(Create|"
                "Modify)Date|exif:DateTime(Original|Digitized)|tiff:DateTime|photoshop:"
                "DateCreated)|IPTC:(DateCreated|DigitalCreationDate)|APP1:FLIR:DateTimeOriginal|"
                "APP12:PictureInfo:DateTimeOriginal|PNG:(CreationTime|ModifyDate|"
                "Date(create|modify|timestamp))")},
    {"序列号", " ",
     std::regex("(EXIF:\\w+|XMP:XMP-(aux|exifEX|exif)|APP1:FLIR|APP12:PictureInfo):"
                "(Camera|Lens|Filter)?(SerialNumber|ImageUniqueID)")},
    {"厂商数据可能含序列号", " ", std::regex("MakerNotes:(?!CIFF:).*|EXIF:ExifIFD:MakerNote.*")},
    {"作者", " ",
     std::regex(
         "EXIF:\\w+:(Artist|Copyright|OwnerName|XPAuthor)|XMP:XMP-(dc:(Creator|Rights)|"
         "tiff:(Artist|Copyright)|(aux|exifEX):OwnerName|xmpRights:Owner|photoshop:("
         "AuthorsPosition|CaptionWriter|Credit))|IPTC:(By-line|By-lineTitle|Copyright"
         "Notice|Credit|Contact|Writer-Editor)|Ducky:Copyright|PNG:(Author|Copyright|Artist)")},
    {"说明文字", " ",
     std::regex("EXIF:\\w+:(ImageDescription|UserComment|XP(Title|Comment|Keywords|Subject))|"
                "(File|Ducky):Comment|IPTC:(ObjectName|Keywords|SpecialInstructions|Headline|"
                "Caption-Abstract)|XMP:XMP-(dc:(Description|Title|Subject)|photoshop:(Headline"
                "|Instructions)|exif:UserComment|tiff:ImageDescription)|PNG:(Description|Comment|"
                "Title|Disclaimer|Warning)")},
    {"编辑软件", " ",
     std::regex("EXIF:\\w+:Software|XMP:XMP-(tiff:Software|xmp:CreatorTool|xmpMM:History.*)|"
                "Photoshop:(?!(Current)?IPTCDigest|Photoshop(BGR)?Thumbnail).*|APP1:FLIR:"
                "CreatorSoftware|PNG:Software")},
    {"缩略图", " 0:.+-",
     std::regex("EXIF:IFD1:(Thumbnail(Image|TIFF)|StripByteCounts)|JFIF:(JFXX:)?Thumbnail("
                "Image|TIFF)|MPF:MPImage([2-9]|\\d\\d+):.*|Photoshop:Photoshop(BGR)?Thumbnail|"
                "XMP:XMP-xmp:Thumbnail.*")},
};

// The kinds a line names ("；含 GPS位置、作者（...）", "，移除 ...").
std::set<std::string> Named(const std::string& line) {
    static const std::regex kList("(；含|，移除) (.*?)（"), kComma("、");
    std::smatch m;
    if (line.find("未发现个人信息") != std::string::npos || !std::regex_search(line, m, kList)) {
        return {};
    }
    std::string list = m[2];
    return {std::sregex_token_iterator(list.begin(), list.end(), kComma, -1), {}};
}

// Report mode against exiftool, kind by kind: a kind is named exactly when
// exiftool shows one of its tags with a value that is more than spaces. A
// named serial number stands for the maker's data too. Returns the lines.
Lines ExpectKindsAgree(const std::vector<std::string>& files) {
    std::map<std::string, Tags> tags = ExifTool(files, "-G0:1 -u -All -MakerNotes");
    Lines lines = RunJhead(files, "");
    for (const std::string& f : files) {
        std::set<std::string> named = Named(lines[f]);
        for (const auto& [word, none, tag] : kKinds) {
            if (word == std::string("厂商数据可能含序列号") && named.count("序列号")) continue;
            std::string shown;
            for (const auto& [key, value] : tags[f]) {
                if (std::regex_match(key, tag) &&
                    value.find_first_not_of(none) != std::string::npos)
                    shown = ": " + key + " = " + value;
            }
            EXPECT_EQ(named.count(word) > 0, !shown.empty()) << lines[f] << "\n" << word << shown;
        }
    }
    return lines;
}

// Tags that tell nothing about the picture beyond how to show it.
const std::regex kHarmless(
    "(ExifTool|System|Adobe|ICC[^:]*):.*|JFIF:(?!Thumbnail).*|File:(?!Comment).*|"
    "Composite:(?!GPS).*|IFD0:Orientation|RIFF:(?!Date).*|QuickTime:.*|Meta:.*|PNG-pHYs:.*|"
    "PNG:(Image(Width|Height)|"
    "BitDepth|ColorType|Compression|Filter|Interlace|Gamma|(WhitePoint|Red|Green|Blue)[XY]|"
    "BackgroundColor|Palette|Transparency|SRGBRendering|SignificantBits|Animation(Frames|Plays)|"
    "ProfileName)");

Tags Icc(const Tags& tags) { return Tags(tags.lower_bound("ICC"), tags.lower_bound("ICD")); }

bool IsHeif(const std::string& path) {
    Bytes head = ReadFile(path);
    return head.size() > 8 && std::string(head.begin() + 4, head.begin() + 8) == "ftyp";
}

// Decoded pixels: djpeg's, heif-convert's for HEIF and AVIF (with alpha and
// the auxiliary pictures: depth, gain map), or ImageMagick's for a picture
// djpeg cannot read (then a cleaned copy that djpeg reads differs, as it
// should), every frame of an animated WebP among them, without the comment
// it would copy.
std::string Pixels(const std::string& path) {
    if (IsHeif(path)) {
        // Large photos as raw YUV (y4m): decoding to PNG takes seconds each.
        const std::string p = Quote(path);
        return Shell("d=$(mktemp -d); e=png; [ $(stat -c%s " + p + ") -gt 1000000 ] && e=y4m; " +
                     "heif-convert --with-aux --quiet " + p + " $d/p.$e >/dev/null 2>&1; " +
                     "for f in $d/*; do [ $e = y4m ] && md5sum <\"$f\" || convert \"$f\" rgba:- | "
                     "md5sum; done; rm -rf $d");
    }
    std::string p = Shell("djpeg -ppm " + Quote(path) + " 2>/dev/null");
    return p.empty() ? Shell("convert " + Quote(path) + " -strip ppm:- 2>/dev/null") : p;
}

// Runs the tool once over all files and judges each: a refused one is byte
// for byte what it was; a cleaned one decodes to the same pixels, keeps its
// orientation and ICC profile, holds no metadata, neither for exiftool nor
// as the planted text, and its line names the kinds its report line (when
// given) named. Returns how many were cleaned or needed no cleaning.
size_t CleanAndJudge(const std::vector<std::string>& files, const char* planted,
                     const Lines& report = {}) {
    std::map<std::string, Bytes> bytes;
    std::map<std::string, std::string> pixels;
    for (const std::string& f : files) {
        bytes[f] = ReadFile(f);
        pixels[f] = Pixels(f);
    }
    std::map<std::string, Tags> before = ExifTool(files);
    int status;
    Lines lines = RunJhead(files, " -de", &status);
    EXPECT_TRUE(status == 0 || status == 1) << "crashed? status " << status;
    std::map<std::string, Tags> after = ExifTool(files);
    size_t cleaned = 0;
    for (const std::string& f : files) {
        Bytes now = ReadFile(f);
        EXPECT_TRUE(lines.count(f)) << f << " has no report line";
        if (lines[f].find("未处理") != std::string::npos) {
            EXPECT_EQ(now, bytes[f]) << "refused but changed: " << lines[f];
            continue;
        }
        cleaned++;
        for (const auto& [key, value] : after[f]) {
            EXPECT_TRUE(std::regex_match(key, kHarmless)) << f << ": " << key << " = " << value;
        }
        bool holds = std::string(now.begin(), now.end()).find(planted) != std::string::npos;
        EXPECT_TRUE(!*planted || !holds) << f << " still holds " << planted;
        EXPECT_TRUE(Pixels(f) == pixels[f]) << f << " pixels differ";
        // HEIF turns its pictures with properties, which stay; its Exif goes whole.
        std::string o = IsHeif(f) ? "" : before[f]["IFD0:Orientation"];
        EXPECT_EQ(after[f]["IFD0:Orientation"], o >= "2" && o <= "8" ? o : "") << f;
        EXPECT_EQ(after[f]["QuickTime:Rotation"], before[f]["QuickTime:Rotation"]) << f;
        EXPECT_EQ(Icc(after[f]), Icc(before[f])) << f;
        if (report.count(f) && lines[f].find("已清理") != std::string::npos) {
            EXPECT_EQ(Named(lines[f]), Named(report.at(f))) << lines[f] << "\n" << report.at(f);
        }
    }
    return cleaned;
}

// Each test needs the programs that judge, and a folder of its own.
class Oracles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string missing = Shell(
            "for p in djpeg cjpeg exiftool convert pngcheck heif-convert; do command -v $p "
            ">/dev/null || echo $p; done");
        ASSERT_EQ(missing, "") << "run scripts/install-deps.sh";
    }
    TempFolder t;
};

// Copies of the files a find over args lists, in folder, numbered before
// their names (collections repeat names).
std::vector<std::string> Copies(const TempFolder& folder, const std::string& args) {
    std::istringstream found(Shell("find " + args + " -type f 2>/dev/null"));
    std::vector<std::string> files;
    for (std::string f; std::getline(found, f);) {
        files.push_back(
            folder.Path(std::to_string(files.size()) + "-" + f.substr(f.rfind('/') + 1)));
        WriteFile(files.back(), ReadFile(f));
    }
    return files;
}

// The repository's own pictures, and more when a collection is at hand.
TEST_F(Oracles, RealPicturesReportedThenCleaned) {
    const char* env = getenv("JHEAD_PICTURES");
    std::string from = env ? Quote(env) : Quote(JHEAD_PICTURES_DIR) + " " + Quote(JHEAD_CORPUS);
    std::vector<std::string> files = Copies(t, from + " -iname '*.jp*g'");
    ASSERT_GT(files.size(), 30u);
    Lines report = ExpectKindsAgree(files);
    EXPECT_GE(CleanAndJudge(files, "", report) * 100, files.size() * 95);
}

// Pictures that exiftool itself fills, one kind and one place at a time,
// blank values among them, then all at once.
TEST_F(Oracles, PicturesExifToolFillsReportedThenCleaned) {
    std::string base = t.Path("base.jpg");
    Shell("convert -size 64x48 plasma: " + Quote(base));
    std::vector<std::string> writes = {
        "-GPSLatitude=48.8 -GPSLatitudeRef=N -GPSLongitude=2.3 -GPSLongitudeRef=E",
        "-XMP-exif:GPSLongitude=2.3 -IFD0:Software=Editor",
        "-IFD0:Make=Acme -XMP-tiff:Model=X1 -XMP-xmp:CreatorTool=Editor",
        "-IFD0:Make='   ' -IFD0:Model=' ' -XMP-xmpMM:HistoryAction=saved",
        "-ExifIFD:DateTimeOriginal='2020:01:01 10:00:00' -XPAuthor=Ann",
        "-XMP-xmp:CreateDate=2020:01:01 -IPTC:DigitalCreationDate=20200101 -XMP-dc:Creator=Ann",
        "-ExifIFD:SerialNumber=123 -XMP-aux:LensSerialNumber=' ' -Comment='Ann at 48.8N'",
        "-XMP-exifEX:SerialNumber=77 -IFD0:Artist=Ann -IFD0:Copyright=' ' -XPComment=Hi",
        "-ExifIFD:OwnerName=Ann -IPTC:CopyrightNotice=' ' -XMP-photoshop:City=Paris",
        "-XMP-dc:Rights=CC -IPTC:By-line=Ann -XMP-iptcCore:Location=Home -XMP-dc:Description=D",
        "'-ThumbnailImage<='" + Quote(base),
        "'-Photoshop:PhotoshopThumbnail<='" + Quote(base),
        "-GPSLatitude=0 -GPSLongitude=0 -GPSLatitudeRef=N -XMP-aux:Lens=L -IFD1:Model=X",
        "-GPSDestLatitude=1 -GPSDestLatitudeRef=N -HostComputer=PC -ImageDescription=Ann",
        "-LensModel=50mm -ImageUniqueID=abc -UserComment=Hi -Ducky:Copyright=C",
        "-IPTC:City=Paris -IPTC:Credit=Ann -IPTC:Caption-Abstract=Hi -Ducky:Comment=Ann",
    };

    std::string all;
    for (const std::string& w : writes) all += " " + w;
    writes.push_back(all);
    std::vector<std::string> files;
    for (const std::string& w : writes) {
        files.push_back(t.Path(std::to_string(files.size()) + ".jpg"));
        WriteFile(files.back(), ReadFile(base));
        Shell("exiftool -q -overwrite_original " + w + " " + Quote(files.back()));
    }
    EXPECT_EQ(CleanAndJudge(files, "", ExpectKindsAgree(files)), files.size());
}

// Metadata right before the second scan header; {} for a single scan.
Bytes BetweenScans(const Bytes& jpeg, const Bytes& meta) {
    Bytes sos = {0xFF, 0xDA};
    auto at = std::search(std::search(jpeg.begin(), jpeg.end(), sos.begin(), sos.end()) + 2,
                          jpeg.end(), sos.begin(), sos.end());
    return at == jpeg.end() ? Bytes() : Cat({Bytes(jpeg.begin(), at), meta, Bytes(at, jpeg.end())});
}

// Every layout cjpeg writes, its metadata after the JFIF header or between
// the scans. (How damaged headers clean is pinned byte for byte in memory.)
TEST_F(Oracles, EveryLayoutKeepsPixelsOrientationAndIcc) {
    std::string ppm = t.Path("in.ppm");
    Shell("convert -size 97x61 -seed 7 plasma: " + Quote(ppm));
    std::vector<Bytes> icc = IccChunks(3);
    Bytes icc_run = Cat({icc[0], icc[1], icc[2]});
    std::vector<std::string> files;
    std::map<size_t, size_t> sizes;  // file -> its size once cleaned, where known
    for (const char* layout : {"", "-progressive", "-restart 1", "-grayscale -progressive",
                               "-optimize -restart 3 -sample 1x1", "-arithmetic"}) {
        Bytes base = B(Shell(std::string("cjpeg -quality 85 ") + layout + " " + Quote(ppm)));
        ASSERT_GT(base.size(), 100u) << layout;
        bool be = layout[0] == '-';
        // Right after SOI and the JFIF header cjpeg writes first.
        auto at = base.begin() + 4 + (base[4] << 8 | base[5]);
        Bytes dirty = Cat({Bytes(base.begin(), at), AllMetadata(6, be), icc_run,
                           Bytes(at, base.end()), B("TRAILER")});
        // The same picture minus the metadata, the trailer and nothing else.
        sizes[files.size()] = base.size() + icc_run.size() + 36;
        Bytes between = BetweenScans(base, Cat({Seg(0xFE, B("secret")), AllMetadata(6, be)}));
        for (const Bytes& v : {dirty, between.empty() ? dirty : between}) {
            files.push_back(t.Path(std::to_string(files.size()) + ".jpg"));
            WriteFile(files.back(), v);
        }
    }
    EXPECT_EQ(CleanAndJudge(files, "secret"), files.size());
    for (const auto& [i, size] : sizes) EXPECT_EQ(ReadFile(files[i]).size(), size) << files[i];
}

// HEIC and AVIF made by pictures/heif/make.sh (grids, idat, a thumbnail,
// alpha) with the phone photos beside the repository when present, and the
// PNG and WebP pictures make_png_webp.sh made: the damaged ones (bad_*,
// truncated*) refused, the cleaned PNGs still passing pngcheck.
TEST_F(Oracles, HeifPngAndWebpPicturesReportedThenCleaned) {
    const std::string dir = Quote(JHEAD_PICTURES_DIR) + "/";
    std::vector<std::string> files = Copies(
        t,
        dir + "heif " + dir + "png " + dir + "webp " + Quote(JHEAD_HEIF_CORPUS) +
            R"( \( -iname '*.hei[cf]' -o -iname '*.avif' -o -iname '*.png' -o -iname '*.webp' \))");
    std::vector<std::string> whole;
    std::copy_if(files.begin(), files.end(), std::back_inserter(whole), [](const std::string& f) {
        return f.find("-bad_") == f.npos && f.find("-truncated") == f.npos;
    });
    ASSERT_GE(whole.size(), 12u);
    EXPECT_EQ(CleanAndJudge(files, "secret", ExpectKindsAgree(whole)), whole.size());
    EXPECT_EQ(Shell("cd " + Quote(t.Path("")) + " && pngcheck -q *-[!bt]*.png"), "");
}

}  // namespace
