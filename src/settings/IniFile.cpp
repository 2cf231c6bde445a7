// IniFile.cpp - cached private-profile reads and atomic writes.
#include "settings/IniFile.h"

#include <sys/stat.h>
#include <time.h>

#include <map>
#include <mutex>

#include "settings/AtomicFile.h"

namespace settings {
namespace {

// What identifies one version of a file on disk.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

struct CacheEntry {
    FileStamp stamp;
    std::shared_ptr<const IniDocument> document;
    bool trusted = false;  // false while the file may still change within one clock tick
};

int64_t Nanoseconds(const timespec& t) {
    return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

// File times advance in coarse ticks, so a file rewritten within the tick in
// which we read it could keep its stamp. Such "racy" entries are re-read until
// the file is clearly older than our copy of it.
constexpr int64_t kRacyWindowNs = 100'000'000;

class IniCache {
  public:
    std::shared_ptr<const IniDocument> load(const std::string& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            forget(path);
            return nullptr;
        }
        FileStamp stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
        {
            std::lock_guard lock(mutex_);
            auto it = entries_.find(path);
            if (it != entries_.end() && it->second.trusted && it->second.stamp == stamp) {
                return it->second.document;
            }
        }
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        std::optional<std::string> bytes = ReadWholeFile(path);
        if (!bytes) {
            forget(path);
            return nullptr;
        }
        auto document = std::make_shared<const IniDocument>(IniDocument::Parse(*bytes));
        bool trusted =
            Nanoseconds(now) - std::max(Nanoseconds(stamp.modified), Nanoseconds(stamp.changed)) >
            kRacyWindowNs;
        std::lock_guard lock(mutex_);
        if (entries_.size() >= kMaxEntries)
            entries_.clear();
        entries_[path] = {stamp, document, trusted};
        return document;
    }

    void forget(const std::string& path) {
        std::lock_guard lock(mutex_);
        entries_.erase(path);
    }

  private:
    static constexpr size_t kMaxEntries = 64;
    std::mutex mutex_;
    std::map<std::string, CacheEntry> entries_;
};

IniCache& Cache() {
    static IniCache cache;
    return cache;
}

// Serialises read-modify-write cycles of this process.
std::mutex& WriteMutex() {
    static std::mutex mutex;
    return mutex;
}

template <typename Edit>
bool EditFile(const std::string& file, Edit edit) {
    std::lock_guard lock(WriteMutex());
    IniDocument document;
    if (auto bytes = ReadWholeFile(file)) {
        document = IniDocument::Parse(*bytes);
    } else {
        // A file that exists but cannot be read must not be replaced by one
        // holding only the new entry.
        struct stat info {};
        if (::lstat(file.c_str(), &info) == 0)
            return false;
    }
    int result = edit(document);  // 1 changed, 0 unchanged, -1 refused
    if (result <= 0)
        return result == 0;
    bool ok = WriteFileAtomically(file, document.Serialize());
    Cache().forget(file);
    return ok;
}

}  // namespace

std::shared_ptr<const IniDocument> LoadIniDocument(const std::string& file) {
    return Cache().load(file);
}

std::optional<std::string> FindIniString(const std::string& file, std::string_view section,
                                         std::string_view key, size_t maxChars) {
    auto document = LoadIniDocument(file);
    if (!document)
        return std::nullopt;
    auto value = document->Find(section, key);
    if (!value)
        return std::nullopt;
    return std::string(CutUtf8(*value, maxChars));
}

std::string ReadIniString(const std::string& file, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
    if (auto value = FindIniString(file, section, key, kIniReadMaxChars))
        return *value;
    // The default passes through the same buffer as a value would.
    return std::string(CutUtf8(defaultValue, kIniReadMaxChars));
}

bool WriteIniString(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view value) {
    return EditFile(file, [&](IniDocument& document) {
        auto current = document.Find(section, key);
        if (current && *current == value)
            return 0;
        return document.Set(section, key, value) ? 1 : -1;
    });
}

bool DeleteIniKey(const std::string& file, std::string_view section, std::string_view key) {
    return EditFile(file,
                    [&](IniDocument& document) { return document.Remove(section, key) ? 1 : 0; });
}

std::vector<std::string> ReadIniKeys(const std::string& file, std::string_view section) {
    auto document = LoadIniDocument(file);
    if (!document)
        return {};
    return document->Keys(section);
}

std::optional<std::string> CIniFile::GetString(std::string_view section, std::string_view key,
                                               std::string_view defaultValue) const {
    std::optional<std::string> value = FindIniString(fileName_, section, key, kMaxChars);
    if (!value)
        value = std::string(CutUtf8(defaultValue, kMaxChars));
    if (value->empty())
        return std::nullopt;
    return value;
}

bool CIniFile::WriteString(std::string_view section, std::string_view key,
                           std::string_view value) const {
    return WriteIniString(fileName_, section, key, value);
}

}  // namespace settings
