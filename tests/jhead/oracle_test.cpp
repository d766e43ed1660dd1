// The built tool judged by other programs: djpeg (pixels identical before
// and after) and exiftool (nothing left but Orientation), on real camera
// pictures and on pictures built here in every layout libjpeg writes.
#include <gtest/gtest.h>

#include <cstdlib>
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
        bool ok = group == "ExifTool" || group == "System" || group == "JFIF" || group == "Adobe" ||
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

// Decoded pixels, or "" when djpeg cannot decode the file at all.
std::string Pixels(const std::string& path) {
    return Shell("djpeg -ppm " + Quote(path) + " 2>/dev/null");
}

std::string Jhead(const std::vector<std::string>& args, int* status) {
    std::string cmd = Quote(JHEAD_EXE);
    for (const std::string& a : args) cmd += " " + Quote(a);
    return Shell(cmd + " 2>&1", status);
}

void RequireOracles() {
    for (const char* p : {"djpeg", "cjpeg", "exiftool"}) {
        ASSERT_TRUE(HaveProgram(p)) << p << " missing: run scripts/install-deps.sh";
    }
}

std::string LineFor(const std::string& output, const std::string& path) {
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(path + "：", 0) == 0) return line;
    }
    return "";
}

TEST(RealPictures, NoMetadataLeftSamePixelsOrientationAndIcc) {
    RequireOracles();
    const char* env = getenv("JHEAD_PICTURES");
    stdfs::path src = env ? env : JHEAD_CORPUS;
    ASSERT_TRUE(stdfs::is_directory(src)) << src << " missing; set JHEAD_PICTURES";
    TempFolder t;
    std::vector<std::string> files;
    for (auto& e : stdfs::recursive_directory_iterator(src)) {
        std::string ext = e.path().extension().string();
        for (char& c : ext) c = (char)tolower(c);
        if (!e.is_regular_file() || (ext != ".jpg" && ext != ".jpeg")) continue;
        std::string name = stdfs::relative(e.path(), src).string();
        for (char& c : name) c = c == '/' ? '_' : c;
        files.push_back(t.Path(name));
        stdfs::copy_file(e.path(), files.back());
        stdfs::permissions(files.back(), stdfs::perms::owner_write, stdfs::perm_options::add);
    }
    ASSERT_GT(files.size(), 10u);
    std::map<std::string, Bytes> bytes;
    std::map<std::string, std::string> pixels;
    for (const std::string& f : files) {
        bytes[f] = ReadFile(f);
        pixels[f] = Pixels(f);
    }
    std::map<std::string, Tags> before = ExifTool(files);

    std::vector<std::string> args = {"-de"};
    args.insert(args.end(), files.begin(), files.end());
    int status;
    std::string out = Jhead(args, &status);
    EXPECT_TRUE(status == 0 || status == 1) << "crashed? status " << status;

    std::map<std::string, Tags> after = ExifTool(files);
    int cleaned = 0;
    for (const std::string& f : files) {
        std::string line = LineFor(out, f);
        ASSERT_FALSE(line.empty()) << f << " has no report line";
        if (line.find("未处理") != std::string::npos) {
            EXPECT_EQ(ReadFile(f), bytes[f]) << "refused but changed: " << line;
            continue;
        }
        cleaned++;
        std::vector<std::string> left = Leftovers(after[f]);
        EXPECT_TRUE(left.empty()) << f << ": " << left.front();
        if (!pixels[f].empty()) {
            EXPECT_TRUE(Pixels(f) == pixels[f]) << f << " pixels differ";
        }
        std::string o = before[f]["IFD0:Orientation"];
        bool turned = o.size() == 1 && o[0] >= '2' && o[0] <= '8';
        EXPECT_EQ(after[f]["IFD0:Orientation"], turned ? o : "") << f;
        EXPECT_EQ(Only(after[f], "ICC"), Only(before[f], "ICC")) << f;
    }
    EXPECT_GT(cleaned, (int)files.size() / 2);
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

TEST(GeneratedPictures, EveryLayoutKeepsPixelsOrientationAndIccChunks) {
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
    for (const char* layout : layouts) {
        Bytes base = B(Shell(std::string("cjpeg -quality 85 ") + layout + " " + Quote(ppm)));
        ASSERT_GT(base.size(), 100u) << layout;
        bool be = layout[0] == '-';
        Bytes dirty = Cat(
            {InsertAfterJfif(base, Cat({AllMetadata(6, be), icc_run})), base, B("VENDOR TRAILER")});
        std::string p = t.Path("p.jpg");
        WriteFile(p, dirty);
        std::string before = Pixels(p);
        ASSERT_FALSE(before.empty()) << layout;
        int status;
        std::string out = Jhead({"-de", p}, &status);
        EXPECT_EQ(status, 0) << layout << out;
        Bytes cleaned = ReadFile(p);
        EXPECT_TRUE(Pixels(p) == before) << layout;
        Tags tags = ExifTool({p})[p];
        std::vector<std::string> left = Leftovers(tags);
        EXPECT_TRUE(left.empty()) << layout << ": " << left.front();
        EXPECT_EQ(tags["IFD0:Orientation"], "6") << layout;
        EXPECT_NE(std::search(cleaned.begin(), cleaned.end(), icc_run.begin(), icc_run.end()),
                  cleaned.end())
            << layout;
        // The same picture minus the metadata, the trailer and nothing else.
        EXPECT_EQ(cleaned.size(), base.size() + icc_run.size() + 36) << layout;
        out = Jhead({"-de", p}, &status);
        EXPECT_NE(out.find("无需清理"), std::string::npos) << out;
        EXPECT_EQ(ReadFile(p), cleaned);
    }
}

}  // namespace
