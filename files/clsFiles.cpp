#include "files/clsFiles.h"

#include <algorithm>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <utility>

#include "vb/numeric.h"
#include "vb/random.h"
#include "vb/runtime_error.h"
#include "vb/strings.h"

namespace {

// Case-insensitive for ASCII letters, byte order to break ties.
bool NameBefore(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(vb::LCase(a[i]));
        const auto cb = static_cast<unsigned char>(vb::LCase(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

struct Entry {
    std::string name;
    bool directory = false;
    dev_t device = 0; // of a folder, to know it again
    ino_t inode = 0;
};

// The visible entries of one folder, sorted. Hidden entries (a leading dot)
// are left out, as the listing filter leaves out hidden files.
std::vector<Entry> ReadFolder(const std::string& folder) {
    std::vector<Entry> entries;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return entries;
    while (const dirent* item = readdir(dir)) {
        const std::string name = item->d_name;
        if (name.empty() || name[0] == '.') continue;
        struct stat info {};
        if (stat((folder + name).c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            entries.push_back({name, true, info.st_dev, info.st_ino});
        } else if (S_ISREG(info.st_mode)) {
            entries.push_back({name, false});
        }
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return NameBefore(a.name, b.name); });
    return entries;
}

} // namespace

void clsFiles::Initialize(const std::string& pPath) {
    mPath = pPath;
    mFiles.clear();
    std::vector<std::string> folders;
    folders.push_back(pPath.empty() || pPath.back() != '/' ? pPath + "/" : pPath);
    // Links are followed, so each folder is entered once only: a link to a
    // folder above it would otherwise list the same files without end.
    std::set<std::pair<dev_t, ino_t>> visited;
    struct stat top {};
    if (stat(folders[0].c_str(), &top) == 0) visited.insert({top.st_dev, top.st_ino});
    for (size_t i = 0; i < folders.size(); ++i) {
        const std::string folder = folders[i]; // the list grows while we walk it
        for (const Entry& entry : ReadFolder(folder)) {
            if (!entry.directory) {
                mFiles.push_back(folder + entry.name);
            } else if (visited.insert({entry.device, entry.inode}).second) {
                folders.push_back(folder + entry.name + "/");
            }
        }
    }
    mFiles.shrink_to_fit();
}

void clsFiles::CheckIndex(int32_t pIndex) const {
    if (pIndex < 1 || pIndex > Count()) {
        vb::RaiseObjectError(1, "Index '" + std::to_string(pIndex) +
                                    "' is either below 1 or larger than " +
                                    std::to_string(Count()));
    }
}

std::string clsFiles::FileNamePath(int32_t pIndex) const {
    CheckIndex(pIndex);
    return mFiles[pIndex - 1];
}

std::string clsFiles::Filename(int32_t pIndex) const {
    CheckIndex(pIndex);
    const std::string& path = mFiles[pIndex - 1];
    return path.substr(path.rfind('/') + 1);
}

std::string clsFiles::FileNamePathRandom() const {
    return mFiles.at(static_cast<size_t>(vb::Int(vb::Rnd() * Count())));
}
