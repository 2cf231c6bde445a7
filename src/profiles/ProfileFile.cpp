#include "ProfileFile.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <new>
#include <system_error>

#include "KeyboardWriter.h"
#include "LittleEndian.h"
#include "ProfileHeader.h"
#include "settings/AtomicFile.h"

namespace profiles {

using keys::kAssignmentBlockSize;
using keys::kRecordCount;
using macros::kMacroRecordSize;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Reads the text that starts at `offset` in the pool, up to its terminator.
// Nothing when the text would run past the end of the pool.
std::optional<std::u16string> textAt(const uint8_t* pool, size_t poolSize, size_t offset) {
    std::u16string text;
    for (size_t at = offset; at + 2 <= poolSize; at += 2) {
        const char16_t unit = le::get16(pool + at);
        if (unit == 0)
            return text;
        text.push_back(unit);
    }
    return std::nullopt;
}

}  // namespace

bool writeAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    return settings::WriteFileAtomically(
        path.string(), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::unique_ptr<keys::AssignmentBlock> makeDefaultBlock() {
    auto block = std::make_unique<keys::AssignmentBlock>();
    keys::WriteProfileHeader(block->header.data(), 0, 0, 0);
    keys::writeLayoutDescriptor(block->header.data());
    keys::setGKeyIdentifiers(block->area(0));
    return block;
}

bool CreateDefaultProfile(const std::filesystem::path& path) {
    try {
        const auto block = makeDefaultBlock();
        std::vector<uint8_t> bytes(kAssignmentBlockSize);
        keys::encodeAssignmentBlock(*block, bytes.data());
        return writeAtomically(path, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CreateDefaultProfile(keys::AssignmentStore& store) {
    std::lock_guard<std::recursive_mutex> guard(store.lock());
    store.releaseAll();
    store.block = makeDefaultBlock();
}

std::vector<uint8_t> encodeProfileFile(keys::AssignmentStore& store) {
    if (!store.block)
        return {};
    // A launch-program or text-block record without a text still needs an
    // offset that points at a text when the file is read back: it gets an
    // empty one (just the terminator).
    std::vector<keys::TextSlot> texts = store.texts;
    size_t poolSize = store.textTotal > 0 ? static_cast<size_t>(store.textTotal) : 0;
    for (size_t i = 0; i < kRecordCount && i < texts.size(); ++i)
        if (keys::carriesText(store.block->records[i].type) && texts[i].size == 0) {
            texts[i].size = 2;
            poolSize += 2;
        }
    const auto textBytes = static_cast<uint32_t>(poolSize);
    keys::WriteProfileHeader(store.block->header.data(), store.macroCount(), textBytes, 0);
    const std::vector<uint8_t> pool = keys::packTexts(texts, *store.block, textBytes);

    std::vector<uint8_t> bytes(keys::profileFileSize(store.macroCount(), textBytes));
    keys::encodeAssignmentBlock(*store.block, bytes.data());
    uint8_t* at = bytes.data() + kAssignmentBlockSize;
    for (const macros::MacroRecord& m : store.macros) {
        macros::encodeMacroRecord(m, at);
        at += kMacroRecordSize;
    }
    std::copy(pool.begin(), pool.end(), at);
    return bytes;
}

std::optional<ProfileContent> parseProfileFile(const uint8_t* data, size_t size) {
    if (size < kAssignmentBlockSize)
        return std::nullopt;
    const keys::ProfileHeaderFields header = keys::readProfileHeader(data);
    if (header.macroCount > macros::MAX_MACROS)
        return std::nullopt;
    if (keys::profileFileSize(header.macroCount, header.textBytes) > size)
        return std::nullopt;

    ProfileContent content;
    content.block = keys::decodeAssignmentBlock(data);
    const uint8_t* at = data + kAssignmentBlockSize;
    for (uint16_t i = 0; i < header.macroCount; ++i, at += kMacroRecordSize) {
        macros::MacroRecord m = macros::decodeMacroRecord(at);
        if (m.actionCount > macros::MAX_MACRO_ACTIONS)
            m.actionCount = macros::MAX_MACRO_ACTIONS;
        content.macros.push_back(m);
    }
    const uint8_t* pool = at;
    const size_t poolSize = header.textBytes;
    content.texts.resize(kRecordCount);
    for (size_t i = 0; i < kRecordCount; ++i) {
        if (!keys::carriesText(content.block->records[i].type))
            continue;
        const size_t offset = static_cast<uint32_t>(content.block->records[i].data) & ~1u;
        const std::optional<std::u16string> text = textAt(pool, poolSize, offset);
        if (!text)
            return std::nullopt;
        content.texts[i].text = *text;
        content.texts[i].size = static_cast<uint32_t>((text->size() + 1) * 2);
        content.textTotal += static_cast<int32_t>(content.texts[i].size);
    }
    return content;
}

bool profileHeaderValid(const uint8_t* header) {
    const keys::ProfileHeaderFields h = keys::readProfileHeader(header);
    return h.magic == keys::kProfileMagic && h.headerSize == keys::kProfileHeaderSize &&
           h.profileCount == 3 && h.version == 1 && h.fileSize >= kAssignmentBlockSize &&
           h.recordCount == kRecordCount && h.macroCount <= macros::MAX_MACROS && h.flags <= 1 &&
           h.fileSize == keys::profileFileSize(h.macroCount, h.textBytes) &&
           h.checksum == keys::profileHeaderChecksum(header);
}

int ValidateProfileFile(const std::filesystem::path& path, keys::Prompts& prompts) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return kProfileInvalid;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return kProfileUnopenable;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size >= (uint64_t(1) << 32) || size < kAssignmentBlockSize)
        return kProfileInvalid;
    uint8_t header[keys::kProfileHeaderSize];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header)
        return kProfileInvalid;
    if (profileHeaderValid(header))
        return kProfileValid;
    prompts.showMessage("PROFILE_FORMAT_ERROR", false, path.string());
    return kProfileInvalid;
}

std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path,
                                                  uint64_t maxBytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    while (bytes.size() < maxBytes) {
        const size_t want =
            static_cast<size_t>(std::min<uint64_t>(sizeof chunk, maxBytes - bytes.size()));
        const size_t got = std::fread(chunk, 1, want, file.get());
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < want)
            break;
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    return bytes;
}

bool LoadStoreFromFile(const std::filesystem::path& path, keys::AssignmentStore& store) {
    try {
        // Read no more than the header can announce: block, 100 macros, the pool.
        auto headerBytes = readWholeFile(path, keys::kProfileHeaderSize);
        if (!headerBytes || headerBytes->size() < keys::kProfileHeaderSize)
            return false;
        const keys::ProfileHeaderFields header = keys::readProfileHeader(headerBytes->data());
        const uint64_t announced = keys::profileFileSize(header.macroCount, header.textBytes);
        std::error_code error;
        const auto realSize = std::filesystem::file_size(path, error);
        if (error || realSize < announced || header.macroCount > macros::MAX_MACROS)
            return false;
        const auto bytes = readWholeFile(path, announced);
        if (!bytes)
            return false;
        std::optional<ProfileContent> content = parseProfileFile(bytes->data(), bytes->size());
        if (!content)
            return false;

        std::lock_guard<std::recursive_mutex> guard(store.lock());
        store.releaseAll();
        store.block = std::move(content->block);
        store.macros = std::move(content->macros);
        store.texts = std::move(content->texts);
        store.textTotal = content->textTotal;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool SaveStoreToFile(const std::filesystem::path& path, keys::AssignmentStore& store,
                     bool takeLock) {
    std::unique_lock<std::recursive_mutex> guard(store.lock(), std::defer_lock);
    if (takeLock)
        guard.lock();
    try {
        const std::vector<uint8_t> bytes = encodeProfileFile(store);
        if (bytes.empty())
            return false;
        return writeAtomically(path, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool SaveStoreToCache(const std::filesystem::path& cachePath, keys::AssignmentStore& store,
                      bool takeLock) {
    std::error_code error;
    if (!std::filesystem::exists(cachePath, error))
        return false;
    return SaveStoreToFile(cachePath, store, takeLock);
}

}  // namespace profiles
