// The built tool judged by other programs: djpeg (pixels identical before
// and after) and exiftool (nothing left but Orientation), on real camera
// pictures and on pictures built here in every layout libjpeg writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

#include "jpeg_samples.h"
#include "process.h"
#include "temp_folder.h"

using namespace jhead_test;
namespace stdfs = std::filesystem;

namespace {

using Tags = std::map<std::string, std::string>;  // "Group:Tag" -> value

// One exiftool run over many files: tags per file.
std::map<std::string, Tags> ExifTool(const std::vector<std::string>& files) {
    std::string cmd = "exiftool -a -G1 -s -n -q";
    for (const std::string& f : files) cmd += " " + Quote(f);
    std::istringstream out(Shell(cmd + " 2>/dev/null"));
    std::map<std::string, Tags> result;
    std::string current = files.size() == 1 ? files[0] : "";
    std::string line;
    while (std::getline(out, line)) {
        if (line.rfind("======== ", 0) == 0) {
            current = line.substr(9);
            continue;
        }
        size_t close = line.find(']');
        size_t colon = line.find(" : ");
        if (line.empty() || line[0] != '[' || close == std::string::npos ||
            colon == std::string::npos) {
            continue;
        }
        std::string group = line.substr(1, close - 1);
        std::string tag = line.substr(close + 1, colon - close - 1);
        tag.erase(0, tag.find_first_not_of(' '));
        tag.erase(tag.find_last_not_of(' ') + 1);
        result[current][group + ":" + tag] = line.substr(colon + 3);
    }
    return result;
}

// Tags that tell something about the picture beyond how to show it.
std::vector<std::string> Leftovers(const Tags& tags) {
    std::vector<std::string> left;
    for (const auto& [key, value] : tags) {
        std::string group = key.substr(0, key.find(':'));
        std::string tag = key.substr(key.find(':') + 1);
        bool ok = group == "ExifTool" || group == "System" || group == "Adobe" ||
                  (group == "JFIF" && tag.rfind("Thumbnail", 0) != 0) ||
                  group.rfind("ICC", 0) == 0 || (group == "File" && tag != "Comment") ||
                  (group == "Composite" && tag.rfind("GPS", 0) != 0) || key == "IFD0:Orientation";
        if (!ok) left.push_back(key + " = " + value);
    }
    return left;
}

Tags Only(const Tags& tags, const std::string& prefix) {
    Tags out;
    for (const auto& [key, value] : tags) {
        if (key.rfind(prefix, 0) == 0) out[key] = value;
    }
    return out;
}

// Decoded pixels: djpeg's, or ImageMagick's for a picture djpeg cannot read.
std::string Pixels(const std::string& path, bool magick) {
    return Shell((magick ? "convert " + Quote(path) + " ppm:-" : "djpeg -ppm " + Quote(path)) +
                 " 2>/dev/null");
}

struct Before {
    Bytes bytes;
    std::string pixels;
    bool magick = false;
    Tags tags;
};

Before Look(const std::string& path) {
    Before b{ReadFile(path), Pixels(path, false), false, {}};
    b.magick = b.pixels.empty();
    if (b.magick) b.pixels = Pixels(path, true);
    return b;
}

std::string Jhead(const std::vector<std::string>& args, int* status) {
    std::string cmd = Quote(JHEAD_EXE);
    for (const std::string& a : args) cmd += " " + Quote(a);
    return Shell(cmd + " 2>&1", status);
}

std::string LineFor(const std::string& output, const std::string& path) {
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(path + "：", 0) == 0) return line;
    }
    return "";
}

// The verdict on one picture the tool was given: a refused one is byte for
// byte what it was; a cleaned one decodes to the same pixels, keeps its
// orientation and ICC profile, and holds no metadata, neither for exiftool
// nor as the text planted in it. Returns whether it was cleaned.
bool Judge(const std::string& path, const Before& before, const std::string& output,
           const Tags& after, const char* planted = nullptr) {
    std::string line = LineFor(output, path);
    EXPECT_FALSE(line.empty()) << path << " has no report line";
    Bytes now = ReadFile(path);
    if (line.find("未处理") != std::string::npos) {
        EXPECT_EQ(now, before.bytes) << "refused but changed: " << line;
        return false;
    }
    std::vector<std::string> left = Leftovers(after);
    EXPECT_TRUE(left.empty()) << path << ": " << left.front();
    if (planted) {
        auto at = std::search(now.begin(), now.end(), planted, planted + strlen(planted));
        EXPECT_EQ(at, now.end()) << path << " still holds " << planted;
    }
    if (!before.pixels.empty()) {
        EXPECT_TRUE(Pixels(path, before.magick) == before.pixels) << path << " pixels differ";
    }
    std::string o = before.tags.count("IFD0:Orientation") ? before.tags.at("IFD0:Orientation") : "";
    bool turned = o.size() == 1 && o[0] >= '2' && o[0] <= '8';
    EXPECT_EQ(after.count("IFD0:Orientation") ? after.at("IFD0:Orientation") : "", turned ? o : "")
        << path;
    EXPECT_EQ(Only(after, "ICC"), Only(before.tags, "ICC")) << path;
    return true;
}

void RequireOracles() {
    for (const char* p : {"djpeg", "cjpeg", "exiftool", "convert"}) {
        ASSERT_TRUE(HaveProgram(p)) << p << " missing: run scripts/install-deps.sh";
    }
}

TEST(RealPictures, NoMetadataLeftSamePixelsOrientationAndIcc) {
    RequireOracles();
    // The repository's own pictures; more when a collection is at hand.
    std::vector<stdfs::path> sources = {JHEAD_PICTURES_DIR, JHEAD_CORPUS};
    if (const char* env = getenv("JHEAD_PICTURES")) sources = {env};
    TempFolder t;
    std::vector<std::string> files;
    for (const stdfs::path& src : sources) {
        if (!stdfs::is_directory(src)) continue;
        for (auto& e : stdfs::recursive_directory_iterator(src)) {
            std::string ext = e.path().extension().string();
            for (char& c : ext) c = (char)tolower(c);
            if (!e.is_regular_file() || (ext != ".jpg" && ext != ".jpeg")) continue;
            files.push_back(t.Path(std::to_string(files.size()) + "_" +
                                   e.path().filename().string()));
            stdfs::copy_file(e.path(), files.back());
            stdfs::permissions(files.back(), stdfs::perms::owner_write, stdfs::perm_options::add);
        }
    }
    ASSERT_GT(files.size(), 40u);
    std::map<std::string, Before> before;
    for (const std::string& f : files) before[f] = Look(f);
    std::map<std::string, Tags> tags = ExifTool(files);
    for (const std::string& f : files) before[f].tags = tags[f];

    std::vector<std::string> args = {"-de"};
    args.insert(args.end(), files.begin(), files.end());
    int status;
    std::string out = Jhead(args, &status);
    EXPECT_TRUE(status == 0 || status == 1) << "crashed? status " << status;
    std::map<std::string, Tags> after = ExifTool(files);
    size_t cleaned = 0;
    for (const std::string& f : files) cleaned += Judge(f, before[f], out, after[f]);
    EXPECT_GE(cleaned * 100, files.size() * 95) << out;
}

// A gradient with some texture, so that every coefficient has work to do.
std::string WritePpm(const TempFolder& t) {
    const int w = 97, h = 61;
    std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            ppm += (char)(x * 255 / w);
            ppm += (char)(y * 255 / h);
            ppm += (char)((x * y * 7) & 0xFF);
        }
    }
    std::string path = t.Path("in.ppm");
    WriteFile(path, B(ppm));
    return path;
}

// Metadata right before the second scan header; {} for a single scan.
Bytes BetweenScans(const Bytes& jpeg, const Bytes& meta) {
    Bytes sos = {0xFF, 0xDA};
    auto first = std::search(jpeg.begin(), jpeg.end(), sos.begin(), sos.end());
    auto second = std::search(first + 2, jpeg.end(), sos.begin(), sos.end());
    if (second == jpeg.end()) return {};
    Bytes out(jpeg.begin(), second);
    return Cat({out, meta, Bytes(second, jpeg.end())});
}

TEST(GeneratedPictures, EveryLayoutAndDamageKeepsPixelsOrientationAndIcc) {
    RequireOracles();
    TempFolder t;
    std::string ppm = WritePpm(t);
    const char* layouts[] = {"",
                             "-progressive",
                             "-restart 1",
                             "-grayscale -progressive",
                             "-optimize -restart 3 -sample 1x1",
                             "-arithmetic"};
    std::vector<Bytes> icc = IccChunks(3);
    Bytes icc_run = Cat({icc[0], icc[1], icc[2]});
    Bytes icc_long = icc[0];
    icc_long[3] += 2;  // swallows the marker of the Adobe segment after it
    Bytes adobe = Seg(0xEE, B(std::string("Adobe\0\144\0\0\0\0\1", 12)));
    Bytes xmp_short = Seg(0xE1, B(std::string("http://ns.adobe.com/xap/1.0/\0<x>secret</x>", 42)));
    xmp_short[3] -= 2;
    Bytes secret = Seg(0xFE, B("secret"));
    std::vector<std::string> files;
    std::map<std::string, Before> before;
    for (const char* layout : layouts) {
        Bytes base = B(Shell(std::string("cjpeg -quality 85 ") + layout + " " + Quote(ppm)));
        ASSERT_GT(base.size(), 100u) << layout;
        bool be = layout[0] == '-';
        Bytes jfif_thumb = Seg(0xE0, B(std::string("JFIF\0\1\1\0\0\1\0\1\1\1abc", 17)));
        Bytes dirty = Cat({InsertAfterJfif(base, Cat({AllMetadata(6, be), icc_run})), B("TRAILER")});
        std::vector<Bytes> variants = {
            dirty,
            Cat({{0xFF, 0xD8, 0x00}, jfif_thumb, Bytes(base.begin() + 2, base.end())}),
            InsertAfterJfif(base, Cat({ExifSegment(6, be), {0, 0, 0}, secret, {0xFF, 0xD0}})),
            InsertAfterJfif(base, Cat({icc_long, adobe, xmp_short, ExifSegment(3, be)})),
            InsertAfterJfif(base, Cat({ExifSegment(0, be), {0xFF, 0xFE, 0x00, 0x01}})),
            BetweenScans(base, Cat({secret, AllMetadata(6, be)})),
        };
        for (const Bytes& v : variants) {
            if (v.empty()) continue;
            files.push_back(t.Path(std::to_string(files.size()) + ".jpg"));
            WriteFile(files.back(), v);
            before[files.back()] = Look(files.back());
            ASSERT_FALSE(before[files.back()].magick) << layout;
        }
        // The same picture minus the metadata, the trailer and nothing else.
        std::string p = t.Path("size.jpg");
        WriteFile(p, dirty);
        Jhead({"-de", p}, nullptr);
        EXPECT_EQ(ReadFile(p).size(), base.size() + icc_run.size() + 36) << layout;
    }
    std::map<std::string, Tags> tags = ExifTool(files);
    for (const std::string& f : files) before[f].tags = tags[f];
    std::vector<std::string> args = {"-de"};
    args.insert(args.end(), files.begin(), files.end());
    int status;
    std::string out = Jhead(args, &status);
    EXPECT_EQ(status, 0) << out;
    std::map<std::string, Tags> after = ExifTool(files);
    for (const std::string& f : files) EXPECT_TRUE(Judge(f, before[f], out, after[f], "secret"));
    out = Jhead(args, &status);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), (long)files.size()) << out;
    EXPECT_EQ(out.find("已清理"), std::string::npos) << out;
}

}  // namespace
