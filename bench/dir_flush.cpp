// What the directory flush after the rename costs: the tool's write step
// (temporary file, one write, fsync, rename over the picture) timed for the
// same pictures with and without an fsync of the folder afterwards.
//   dir_flush FOLDER PICTURE... -> prints the mean milliseconds of each way
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

static double WriteStep(const std::string& folder, const std::vector<std::vector<char>>& pictures,
                        bool flush_folder) {
    auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < pictures.size(); i++) {
        std::string target = folder + "/" + std::to_string(i) + ".jpg";
        std::string temp = folder + "/.jhead-bench.part";
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 || write(fd, pictures[i].data(), pictures[i].size()) < 0 || fsync(fd) != 0 ||
            close(fd) != 0 || rename(temp.c_str(), target.c_str()) != 0) {
            perror(temp.c_str());
            return -1;
        }
        if (flush_folder) {
            int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            fsync(dir);
            close(dir);
        }
    }
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count() / pictures.size();
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::vector<std::vector<char>> pictures;
    for (int i = 2; i < argc; i++) {
        std::ifstream f(argv[i], std::ios::binary);
        pictures.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    // Alternated, three rounds each, so that both see the same disk state.
    double without = 0, with = 0;
    for (int round = 0; round < 3; round++) {
        without += WriteStep(argv[1], pictures, false) / 3;
        with += WriteStep(argv[1], pictures, true) / 3;
    }
    printf("  write step per picture: %.3f ms; with the folder flushed too: %.3f ms (%.2fx)\n",
           without, with, with / without);
    return 0;
}
