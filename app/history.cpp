#include "app/history.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/game_form.h"
#include "files/clsFiles.h"
#include "platform/host.h"
#include "vb/numeric.h"
#include "vb/strings.h"

std::vector<MonsterRecord> MonsterHistory;
int32_t MonstersLeft = 0;
platform::DateTime MonsterNameUntil = 0;

namespace {

std::string gHistoryFile;

std::string HistoryPath() {
    return gHistoryFile.empty() ? platform::host().AppPath() + "/History.ini" : gHistoryFile;
}

[[noreturn]] void CannotRead(const std::string& path, int error) {
    throw StartUpError("Cannot read " + path + ": " + std::strerror(error) +
                       ". Nothing was changed; fix it and start again.");
}

// The history's bytes; a missing history is an empty one, but one that exists
// and cannot be read must not be taken for empty and overwritten at the end.
std::string ReadHistoryFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        if (errno == ENOENT) return "";
        CannotRead(path, errno);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            close(fd);
            CannotRead(path, error);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return bytes;
}

// A folder that exists but cannot be opened says why, rather than looking empty.
void CheckReadableFolder(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir) {
        closedir(dir);
        return;
    }
    if (errno != ENOENT) CannotRead(folder, errno);
}

[[noreturn]] void FailWrite(const std::string& what, const std::string& path, int error) {
    throw std::runtime_error("Could not " + what + " " + path + ": " + std::strerror(error));
}

} // namespace

std::string HistoryKey(const std::string& name) {
    return vb::LCase(vb::Trim(name));
}

std::vector<HistoryLine> ParseHistoryText(const std::string& text) {
    std::vector<HistoryLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;

        // The count follows the last comma, so a file name may hold commas.
        const size_t comma = line.rfind(',');
        if (comma == std::string::npos) continue;
        const std::string name = vb::Trim(line.substr(0, comma));
        const std::string count = vb::Trim(line.substr(comma + 1));
        if (name.empty() || count.empty()) continue;
        // A count beyond a Long is held at its limit: reading it as 0 would
        // make a defeated monster new again.
        const double value = std::clamp(vb::Val(count), -2147483648.0, 2147483647.0);
        lines.push_back({name, vb::RoundEven(value)});
    }
    return lines;
}

std::string HistoryText() {
    std::string text;
    for (const MonsterRecord& record : MonsterHistory) {
        text += record.FileName + "," + std::to_string(record.Defeats) + "\r\n";
    }
    return text;
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string temp = path + ".new";
    struct stat old {};
    const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) FailWrite("create a temporary file for", path, errno);
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = errno;
            close(fd);
            unlink(temp.c_str());
            FailWrite("write", path, error);
        }
        written += static_cast<size_t>(n);
    }
    fchmod(fd, mode);
    if (fsync(fd) != 0 || close(fd) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        FailWrite("write", path, error);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        FailWrite("replace", path, error);
    }
    // The rename itself reaches the disk with the folder.
    const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
}

void LoadHistory() {
    const std::vector<HistoryLine> lines = ParseHistoryText(ReadHistoryFile(HistoryPath()));

    const std::string monstersFolder = platform::host().AppPath() + "/Monsters";
    CheckReadableFolder(monstersFolder);
    clsFiles files;
    files.Initialize(monstersFolder);

    MonsterHistory.clear();
    std::vector<std::string> keys;
    for (int32_t i = 1; i <= files.Count(); ++i) {
        const std::string name = files.Filename(i);
        if (name.find_first_of("\r\n") != std::string::npos) {
            std::fprintf(stderr, "Not taken as a monster: its name holds a line break: %s\n",
                         files.FileNamePath(i).c_str());
            continue;
        }
        MonsterHistory.push_back(MonsterRecord{name, 0});
        keys.push_back(HistoryKey(name));
    }
    if (MonsterHistory.empty()) {
        throw StartUpError("No monster pictures found in the folder " + monstersFolder +
                           ". Put at least one monster GIF file there.");
    }
    for (const HistoryLine& line : lines) {
        const std::string key = HistoryKey(line.Name);
        for (size_t i = 0; i < MonsterHistory.size(); ++i) {
            if (keys[i] == key) MonsterHistory[i].Defeats = line.Defeats;
        }
    }
    MonstersLeft = 0;
    for (const MonsterRecord& record : MonsterHistory) {
        if (record.Defeats == 0) ++MonstersLeft;
    }
    MonsterNameUntil = platform::host().Now() - platform::kMillisecondsPerDay;
}

void SetHistoryFile(const std::string& path) {
    gHistoryFile = path;
}

void SaveHistory() {
    WriteFileAtomically(HistoryPath(), HistoryText());
}

std::string NextMonsterFile() {
    MonsterNameUntil = platform::AddSeconds(platform::host().Now(), 5);
    for (const MonsterRecord& record : MonsterHistory) {
        if (record.Defeats == 0) return record.FileName;
    }
    return "";
}

void RecordDefeat(const std::string& pFileName) {
    const std::string wanted = vb::LCase(pFileName);
    for (MonsterRecord& record : MonsterHistory) {
        if (HistoryKey(record.FileName) != wanted) continue;
        if (record.Defeats < INT32_MAX) ++record.Defeats;
        const bool wasLast = MonstersLeft == 1;
        --MonstersLeft;
        if (wasLast) {
            if (GameForm* form = CurrentGameForm()) {
                form->TextChange(platform::host().AppPath() + "/images/Text_Success.gif", 10000);
            }
        }
        return;
    }
}
