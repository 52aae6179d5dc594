// Source and output files. A file named by LOAD is sought under the upper-case
// name its symbol has; on a case-sensitive file system the name may then
// match a file only when letter case is ignored, which is done here.
#include "driver/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "console/encoding.h"
#include "reader/sexpr.h"
#include "text/chars.h"

namespace {
// The file OUT is writing: reading it as a source would read the session's
// own output as it grows.
bool output_known;
dev_t output_device;
ino_t output_inode;

bool is_readable_source(FILE *file) {
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    return !(output_known && info.st_dev == output_device && info.st_ino == output_inode);
}

// Upper-cases a name as the readers do, in code page 1251.
std::string folded(const std::string &external_name) {
    std::string name = internal_name(external_name.c_str());
    upper(name.data());
    return name;
}

// The entry of `folder` whose name equals `name` ignoring letter case; the
// first in byte order when several do.
std::string find_ignoring_case(const std::string &folder, const std::string &name) {
    DIR *dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return "";
    std::vector<std::string> matches;
    std::string wanted = folded(name);
    while (dirent *entry = readdir(dir))
        if (folded(entry->d_name) == wanted) matches.push_back(entry->d_name);
    closedir(dir);
    if (matches.empty()) return "";
    return *std::min_element(matches.begin(), matches.end());
}

// Resolves every component of the path that does not exist as written.
std::string resolve_ignoring_case(const std::string &path) {
    std::string resolved;
    std::size_t start = 0;
    if (!path.empty() && path[0] == '/') {
        resolved = "/";
        start = 1;
    }
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        if (!part.empty()) {
            std::string candidate = resolved + part;
            if (access(candidate.c_str(), F_OK) != 0) {
                std::string found = find_ignoring_case(resolved, part);
                if (found.empty()) return path;
                candidate = resolved + found;
            }
            resolved = candidate;
            if (end < path.size()) resolved += '/';
        }
        start = end + 1;
    }
    return resolved;
}
}  // namespace

FILE *open_source(const std::string &external_path, bool any_case) {
    std::string path = external_path;
    if (any_case && access(path.c_str(), F_OK) != 0) path = resolve_ignoring_case(path);
    FILE *file = fopen(path.c_str(), "r");
    if (file && !is_readable_source(file)) {
        fclose(file);
        return nullptr;
    }
    return file;
}

int open_output(const std::string &external_path) {
    return open(external_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
}

void forbid_source(int output_fd) {
    struct stat info;
    output_known = fstat(output_fd, &info) == 0;
    output_device = info.st_dev;
    output_inode = info.st_ino;
}

bool same_file(const std::string &a, const std::string &b) {
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

void guard_closed_standard_output() {
    output_known = false;
    for (int fd : {0, 1, 2}) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // Standard output stays unwritable, so that writing to it fails as
        // it would closed; the others read nothing and swallow what is written.
        int stand_in = open("/dev/null", fd == 2 ? O_WRONLY : O_RDONLY);
        if (stand_in >= 0 && stand_in != fd) {
            dup2(stand_in, fd);
            close(stand_in);
        }
    }
}
