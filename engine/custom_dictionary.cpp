#include "engine/custom_dictionary.h"

#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/os/atomic_file.h"
#include "platform/os/os.h"

namespace quillon {
namespace {

using namespace ovu;

// How long a load or save waits for another process's read-merge-replace step.
constexpr std::chrono::milliseconds kLockWait{5000};

// Five fields come before the slots: three type counts, the live count and S.
constexpr std::size_t kBodyFieldsSize = kSlotsOffset - kHeaderSize;

std::int32_t Wrap(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

// The home slot of a word in a table of `size` slots: 32-bit signed arithmetic with
// wrap-around and truncating remainders, as every program of this format computes it.
std::uint32_t HomeSlot(std::string_view word, std::uint32_t size) {
    const auto s = static_cast<std::int32_t>(size);
    std::int32_t h = 0;
    std::int32_t a = 31415;
    for (const char ch : word) {
        const auto c = static_cast<unsigned char>(ch);
        h = Wrap(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(h) + c) % s;
        if (h < 0) h = (-h) % s;
        a = Wrap(static_cast<std::uint32_t>(a) * 27183u) % (s - 1);
    }
    return static_cast<std::uint32_t>(h);
}

std::uint32_t ProbeStep(std::uint32_t home) {
    return home % 97 + 1;
}

std::uint32_t NextSlot(std::uint32_t slot, std::uint32_t step, std::uint32_t size) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(slot) + step) % size);
}

std::uint64_t Fingerprint(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
    return hash;
}

bool ReadRest(std::FILE* file, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::array<std::uint8_t, 1 << 16> chunk;
    std::size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0)
        bytes.insert(bytes.end(), chunk.data(), chunk.data() + got);
    return std::ferror(file) == 0;
}

bool HoldsZeroByte(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

}  // namespace

TCustomDictionary::~TCustomDictionary() {
    try {
        TCustomDictionary::SetLoaded(false);
    } catch (...) {
        // Nothing is reported to the user, and a destructor must not throw.
    }
}

void TCustomDictionary::SetFileName(const std::string& name) {
    // Checked under the lock: on Windows an open file cannot be replaced, so no process
    // of ours reads the file while another replaces it.
    bool accepted = false;
    const auto check = [&] {
        TFileHandle none;
        accepted = CheckFile(name, false, none);
    };
    if (name.empty() || !WithFileLock(name, check)) check();
    if (!accepted) return;
    const bool wasLoaded = loaded_;
    SetLoaded(false);
    fileName_ = name;
    trackChanges_ = !name.empty();
    if (wasLoaded) SetLoaded(true);
}

void TCustomDictionary::SetLoaded(bool on) {
    if (!on) {
        if (modified_) Save();
        Forget();
        return;
    }
    if (loaded_) return;
    if (fileName_.empty()) {
        loaded_ = true;
        return;
    }
    // Without the lock in time the file is still read: reading harms no one.
    if (!WithFileLock(fileName_, [this] { Load(); })) Load();
}

void TCustomDictionary::Load() {
    ClearContents();
    damaged_ = false;
    holdsFile_ = false;
    TFileHandle handle;
    loadRefused_ = !CheckFile(fileName_, true, handle);
    loaded_ = !loadRefused_;
    if (loadRefused_) return;
    if (!handle) {
        // A new file: the first save creates it.
        stamp_ = TFileStamp{};
        holdsFile_ = true;
        modified_ = true;
        return;
    }
    ReadBody(handle);
}

void TCustomDictionary::Forget() {
    ClearContents();
    changes_ = TChanges{};
    loaded_ = false;
    loadRefused_ = false;
    modified_ = false;
    damaged_ = false;
    holdsFile_ = false;
    stamp_ = TFileStamp{};
}

void TCustomDictionary::ClearContents() {
    addedCount_ = excludedCount_ = autoCorrectCount_ = liveCount_ = deletedCount_ = 0;
    table_.clear();
    block_.clear();
    block_.shrink_to_fit();
    allocated_ = 0;
    addedIndex_.clear();
    excludedIndex_.clear();
    autoCorrectIndex_.clear();
    indexValid_ = false;
}

void TCustomDictionary::EnsureLoaded() {
    if (!loaded_ && !loadRefused_) SetLoaded(true);
}

int TCustomDictionary::AddedCount() {
    EnsureLoaded();
    return static_cast<int>(addedCount_);
}

int TCustomDictionary::ExcludedCount() {
    EnsureLoaded();
    return static_cast<int>(excludedCount_);
}

int TCustomDictionary::AutoCorrectCount() {
    EnsureLoaded();
    return static_cast<int>(autoCorrectCount_);
}

bool TCustomDictionary::WithFileLock(const std::string& name, const std::function<void()>& step) {
    if (name == lockedName_) {
        step();
        return true;
    }
    os::FileLock lock;
    if (!lock.Acquire(name, kLockWait)) return false;
    struct Restore {
        std::string& held;
        std::string previous;
        ~Restore() { held = std::move(previous); }
    } restore{lockedName_, lockedName_};
    lockedName_ = name;
    step();
    return true;
}

bool TCustomDictionary::CheckFile(const std::string& name, bool keepOpen, TFileHandle& handle) {
    handle.reset();
    if (name.empty()) return true;
    if (!os::FileExists(name)) {
        if (CanCreate(name)) return true;
        // Made meanwhile by another save, it is checked as it is.
        if (!os::FileExists(name)) return false;
    }
    TFileHandle file(std::fopen(name.c_str(), "rb"));
    if (!file) return false;
    std::array<std::uint8_t, kHeaderSize> head;
    if (std::fread(head.data(), 1, head.size(), file.get()) != head.size() ||
        std::memcmp(head.data(), kBanner.data(), kBanner.size()) != 0 || head[kBanner.size()] != 0)
        return false;
    if (keepOpen) handle = std::move(file);
    return true;
}

bool TCustomDictionary::CanCreate(const std::string& name) {
    // Under the lock, so that no save of ours renames a file onto the name between the
    // trial creation and its removal.
    bool creatable = false;
    WithFileLock(name, [&] {
        std::error_code ec;
        if (std::filesystem::exists(name, ec) || ec) return;  // a folder, a device, or not to be told
        std::FILE* trial = std::fopen(name.c_str(), "ab");
        if (!trial) return;
        std::fclose(trial);
        creatable = true;
        std::filesystem::remove(name, ec);
    });
    return creatable;
}

void TCustomDictionary::ReadBody(TFileHandle& handle) {
    std::vector<std::uint8_t> body;
    const bool read = ReadRest(handle.get(), body);
    handle.reset();
    stamp_ = StampOf(body);
    if (read && ParseBody(body)) {
        holdsFile_ = true;
        return;
    }
    ClearContents();
    damaged_ = true;
}

TCustomDictionary::TFileStamp TCustomDictionary::StampOf(const std::vector<std::uint8_t>& body) const {
    return TFileStamp{true, os::FileDosDateTime(fileName_).value_or(0), body.size(), Fingerprint(body)};
}

bool TCustomDictionary::ParseBody(const std::vector<std::uint8_t>& body) {
    if (body.size() < kBodyFieldsSize) return false;
    const std::uint8_t* p = body.data();
    const std::uint32_t added = ReadU32(p + kAddedCountOffset - kHeaderSize);
    const std::uint32_t excluded = ReadU32(p + kExcludedCountOffset - kHeaderSize);
    const std::uint32_t autoCorrect = ReadU32(p + kAutoCorrectCountOffset - kHeaderSize);
    const std::uint32_t live = ReadU32(p + kLiveCountOffset - kHeaderSize);
    const std::uint32_t size = ReadU32(p + kSlotCountOffset - kHeaderSize);
    if (!IsTableSize(size) || std::uint64_t{added} + excluded + autoCorrect != live) return false;
    // Every writer grows the table before a quarter of it is live.
    if (size == 0 ? live != 0 : std::uint64_t{live} * 4 >= size) return false;
    const std::uint64_t slotsEnd = kBodyFieldsSize + std::uint64_t{size} * 4;
    if (body.size() < slotsEnd + 4) return false;
    const std::uint32_t used = ReadU32(p + slotsEnd);
    if (body.size() - slotsEnd - 4 != used) return false;

    table_.resize(size);
    for (std::uint32_t i = 0; i < size; ++i)
        table_[i] = Wrap(ReadU32(p + kBodyFieldsSize + 4 * std::uint64_t{i}));
    block_.assign(p + slotsEnd + 4, p + body.size());

    std::uint32_t typeCounts[3] = {};
    std::uint32_t positive = 0;
    std::uint32_t deleted = 0;
    for (const std::int32_t v : table_) {
        if (v == kEmptySlot) continue;
        if (v == kDeletedSlot) {
            ++deleted;
            continue;
        }
        if (v < 0 || static_cast<std::uint32_t>(v) > used) return false;
        const char type = TypeAt(v);
        const int kind = type == kAdded ? 0 : type == kExcluded ? 1 : type == kAutoCorrect ? 2 : -1;
        if (kind < 0) return false;
        const std::uint8_t* word = block_.data() + v;
        const std::uint8_t* end = block_.data() + used;
        const auto* wordEnd =
            static_cast<const std::uint8_t*>(std::memchr(word, 0, static_cast<std::size_t>(end - word)));
        if (!wordEnd || wordEnd == word) return false;
        if (type == kAutoCorrect && !std::memchr(wordEnd + 1, 0, static_cast<std::size_t>(end - wordEnd - 1)))
            return false;
        ++typeCounts[kind];
        ++positive;
    }
    if (positive != live || typeCounts[0] != added || typeCounts[1] != excluded ||
        typeCounts[2] != autoCorrect)
        return false;

    // Every entry must be where a search for its word ends: reachable from its home slot
    // and not behind another entry of the same word. Past a budget, a crafted table's
    // long chains are not followed further, so reading costs bounded time.
    std::uint64_t budget = std::uint64_t{64} * size;
    for (std::uint32_t i = 0; i < size && budget > 0; ++i) {
        if (table_[i] <= 0) continue;
        const std::string_view word = WordAt(table_[i]);
        std::uint32_t slot = HomeSlot(word, size);
        const std::uint32_t step = ProbeStep(slot);
        while (slot != i && budget > 0) {
            --budget;
            const std::int32_t v = table_[slot];
            if (v == kEmptySlot || (v > 0 && WordAt(v) == word)) return false;
            slot = NextSlot(slot, step, size);
        }
    }

    addedCount_ = added;
    excludedCount_ = excluded;
    autoCorrectCount_ = autoCorrect;
    liveCount_ = live;
    deletedCount_ = deleted;
    allocated_ = used / kBlockStep * kBlockStep + kBlockStep;
    block_.reserve(allocated_);
    return true;
}

std::vector<std::uint8_t> TCustomDictionary::Bytes() const {
    std::vector<std::uint8_t> bytes(kSlotsOffset + 4 * table_.size() + 4);
    std::memcpy(bytes.data(), kBanner.data(), kBanner.size());
    bytes[kBanner.size()] = 0;
    bytes[kCheckedSize] = kEndOfText;
    WriteU32(&bytes[kAddedCountOffset], addedCount_);
    WriteU32(&bytes[kExcludedCountOffset], excludedCount_);
    WriteU32(&bytes[kAutoCorrectCountOffset], autoCorrectCount_);
    WriteU32(&bytes[kLiveCountOffset], liveCount_);
    WriteU32(&bytes[kSlotCountOffset], static_cast<std::uint32_t>(table_.size()));
    std::uint8_t* out = &bytes[kSlotsOffset];
    for (const std::int32_t v : table_) {
        WriteU32(out, static_cast<std::uint32_t>(v));
        out += 4;
    }
    WriteU32(out, static_cast<std::uint32_t>(block_.size()));
    bytes.insert(bytes.end(), block_.begin(), block_.end());
    return bytes;
}

bool TCustomDictionary::WriteFile(const std::string& name) {
    const std::vector<std::uint8_t> bytes = Bytes();
    return os::WriteFileAtomically(name, bytes.data(), bytes.size());
}

void TCustomDictionary::AddToIndex(char type, std::int32_t slotValue) {
    switch (type) {
        case kAdded:
            addedIndex_.push_back(slotValue);
            break;
        case kExcluded:
            excludedIndex_.push_back(slotValue);
            break;
        case kAutoCorrect:
            autoCorrectIndex_.push_back(slotValue);
            break;
        default:
            break;
    }
}

void TCustomDictionary::BuildIndexLists() {
    addedIndex_.clear();
    excludedIndex_.clear();
    autoCorrectIndex_.clear();
    addedIndex_.reserve(addedCount_ + 256);
    excludedIndex_.reserve(excludedCount_ + 256);
    autoCorrectIndex_.reserve(autoCorrectCount_ + 256);
    for (const std::int32_t v : table_) {
        if (v > 0) AddToIndex(TypeAt(v), v);
    }
    indexValid_ = true;
}

const std::vector<std::int32_t>& TCustomDictionary::IndexList(char type) {
    EnsureLoaded();
    if (!indexValid_) BuildIndexLists();
    return type == kAdded ? addedIndex_ : type == kExcluded ? excludedIndex_ : autoCorrectIndex_;
}

std::string TCustomDictionary::StringAt(std::uint32_t offset) {
    if (offset >= block_.size()) return {};
    const auto* start = reinterpret_cast<const char*>(block_.data()) + offset;
    const std::size_t left = block_.size() - offset;
    const void* zero = std::memchr(start, 0, left);
    return std::string(start, zero ? static_cast<const char*>(zero) - start : left);
}

std::string_view TCustomDictionary::WordAt(std::int32_t slotValue) const {
    const auto offset = static_cast<std::size_t>(slotValue);
    const auto* start = reinterpret_cast<const char*>(block_.data()) + offset;
    const std::size_t left = block_.size() - offset;
    const void* zero = std::memchr(start, 0, left);
    return std::string_view(start,
                            zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - start) : left);
}

char TCustomDictionary::TypeAt(std::int32_t slotValue) const {
    return static_cast<char>(block_[static_cast<std::size_t>(slotValue) - 1]);
}

bool TCustomDictionary::Find(char type, std::string_view word, std::int32_t& slotValue,
                             std::int32_t& slotIndex) {
    slotValue = kEmptySlot;
    slotIndex = -1;
    const auto size = static_cast<std::uint32_t>(table_.size());
    if (size == 0) return false;
    std::uint32_t slot = HomeSlot(word, size);
    const std::uint32_t step = ProbeStep(slot);
    // S steps visit every slot once (S is prime), so a table without an empty slot
    // still ends the search.
    for (std::uint32_t n = 0; n < size; ++n, slot = NextSlot(slot, step, size)) {
        const std::int32_t v = table_[slot];
        if (v == kEmptySlot) return false;
        if (v > 0 && WordAt(v) == word) {
            slotValue = v;
            slotIndex = static_cast<std::int32_t>(slot);
            return type == kAnyType || TypeAt(v) == type;
        }
    }
    return false;
}

void TCustomDictionary::AppendBytes(const void* bytes, std::size_t length) {
    if (length >= allocated_ - block_.size()) {
        allocated_ += kBlockStep;
        block_.reserve(allocated_);
    }
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    block_.insert(block_.end(), first, first + length);
}

void TCustomDictionary::InsertInTable(std::vector<std::int32_t>& table, std::string_view word,
                                      std::int32_t slotValue) {
    const auto size = static_cast<std::uint32_t>(table.size());
    std::uint32_t slot = HomeSlot(word, size);
    const std::uint32_t step = ProbeStep(slot);
    // A deleted slot is reused only as the home slot; AddToHash keeps empty slots.
    for (std::uint32_t n = 0; n < size; ++n) {
        if (table[slot] == kEmptySlot || (n == 0 && table[slot] == kDeletedSlot)) {
            table[slot] = slotValue;
            return;
        }
        slot = NextSlot(slot, step, size);
    }
}

void TCustomDictionary::Rebuild(std::uint32_t size) {
    std::vector<std::int32_t> table(size, kEmptySlot);
    for (const std::int32_t v : table_) {
        if (v > 0) InsertInTable(table, WordAt(v), v);
    }
    table_ = std::move(table);
    deletedCount_ = 0;
    indexValid_ = false;
}

void TCustomDictionary::AddToHash(std::string_view word, std::int32_t slotValue) {
    ++liveCount_;
    const auto size = static_cast<std::uint32_t>(table_.size());
    if (std::uint64_t{liveCount_} * 4 >= size) {
        Rebuild(NextTableSize(size));
    } else if ((std::uint64_t{liveCount_} + deletedCount_) * 2 >= size) {
        // Growth looks at live entries only; deleted slots are dropped here, so at least
        // half the table stays empty and every insertion finds an empty slot.
        Rebuild(size);
    }
    const std::uint32_t home = HomeSlot(word, static_cast<std::uint32_t>(table_.size()));
    if (table_[home] == kDeletedSlot) --deletedCount_;
    InsertInTable(table_, word, slotValue);
    if (indexValid_) AddToIndex(TypeAt(slotValue), slotValue);
}

bool TCustomDictionary::AddEntry(char type, std::string_view word, std::string_view replacement) {
    if (word.empty() || word.size() + replacement.size() > kMaxEntryBytes) return false;
    if (HoldsZeroByte(word) || HoldsZeroByte(replacement)) return false;  // it would end the record early
    std::int32_t slotValue;
    std::int32_t slotIndex;
    if (Find(kAnyType, word, slotValue, slotIndex)) return false;
    // Slot values are positive 32-bit numbers, and the last table size has no successor.
    const auto size = static_cast<std::uint32_t>(table_.size());
    if (block_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
    if ((std::uint64_t{liveCount_} + 1) * 4 >= size && NextTableSize(size) == 0) return false;

    slotValue = static_cast<std::int32_t>(block_.size() + 1);
    std::string record(1, type);
    record.append(word).push_back('\0');
    if (type == kAutoCorrect) record.append(replacement).push_back('\0');
    AppendBytes(record.data(), record.size());
    AddToHash(word, slotValue);
    if (type == kAdded)
        ++addedCount_;
    else if (type == kExcluded)
        ++excludedCount_;
    else
        ++autoCorrectCount_;
    return true;
}

bool TCustomDictionary::DeleteEntry(char type, std::string_view word) {
    std::int32_t slotValue;
    std::int32_t slotIndex;
    if (!Find(type, word, slotValue, slotIndex)) return false;
    table_[static_cast<std::size_t>(slotIndex)] = kDeletedSlot;
    ++deletedCount_;
    indexValid_ = false;
    --liveCount_;
    return true;
}

std::unique_ptr<TCustomDictionary> TCustomDictionary::CreateSameKind() {
    return std::make_unique<TCustomDictionary>();
}

void TCustomDictionary::Save() {
    if (!modified_ || fileName_.empty()) return;
    bool written = false;
    WithFileLock(fileName_, [&] { written = SaveLocked(); });
    // Changes that did not reach the file stay pending for a later save.
    if (!written) return;
    modified_ = false;
    changes_ = TChanges{};
}

bool TCustomDictionary::SaveLocked() {
    TFileHandle handle;
    if (!CheckFile(fileName_, true, handle)) return false;
    std::optional<TFileStamp> now = stamp_;
    if (handle) {
        std::vector<std::uint8_t> body;
        now.reset();
        if (ReadRest(handle.get(), body)) now = StampOf(body);
        handle.reset();  // an open file cannot be replaced on Windows
    }
    if (holdsFile_ && now == stamp_) return WriteFile(fileName_);
    return ReplayOntoFile();
}

bool TCustomDictionary::ReplayOntoFile() {
    std::unique_ptr<TCustomDictionary> current = CreateSameKind();
    current->lockedName_ = fileName_;  // held by this save
    current->SetFileName(fileName_);
    if (current->FileName() != fileName_) return false;
    current->SetLoaded(true);
    if (!current->holdsFile_) {
        // Damaged or refused now: it is left as it is, and so are our changes.
        current->modified_ = false;
        return false;
    }
    for (const std::string& w : changes_.addedAdded) current->AddWord(w);
    for (const std::string& w : changes_.excludedAdded) current->AddExcluded(w);
    for (std::size_t i = 0; i < changes_.autoCorrectAdded.size(); ++i)
        current->AddAutoCorrect(changes_.autoCorrectAdded[i], changes_.replacementsAdded[i]);
    for (const std::string& w : changes_.addedRemoved) current->RemoveWord(w);
    for (const std::string& w : changes_.excludedRemoved) current->RemoveExcluded(w);
    for (const std::string& w : changes_.autoCorrectRemoved) current->RemoveAutoCorrect(w);
    current->Save();
    const bool written = !current->modified_;
    current->modified_ = false;  // its end must not try again
    return written;
}

bool TCustomDictionary::SaveAs(const std::string& name) {
    EnsureLoaded();
    // A damaged body stays as it is, also when asked by name.
    if (name.empty() || (damaged_ && name == fileName_)) return false;
    bool written = false;
    WithFileLock(name, [&] {
        TFileHandle none;
        written = CheckFile(name, false, none) && WriteFile(name);
    });
    return written;
}

std::string TCustomDictionary::AddedWord(int index) {
    const auto& list = IndexList(kAdded);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {};
    return StringAt(static_cast<std::uint32_t>(list[static_cast<std::size_t>(index)]));
}

std::string TCustomDictionary::ExcludedWord(int index) {
    const auto& list = IndexList(kExcluded);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {};
    return StringAt(static_cast<std::uint32_t>(list[static_cast<std::size_t>(index)]));
}

void TCustomDictionary::AutoCorrectPair(int index, std::string& misspelling, std::string& replacement) {
    misspelling.clear();
    replacement.clear();
    const auto& list = IndexList(kAutoCorrect);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
    const auto offset = static_cast<std::uint32_t>(list[static_cast<std::size_t>(index)]);
    misspelling = StringAt(offset);
    replacement = StringAt(offset + static_cast<std::uint32_t>(misspelling.size()) + 1);
}

bool TCustomDictionary::IsAdded(std::string_view word) {
    EnsureLoaded();
    std::int32_t slotValue;
    std::int32_t slotIndex;
    return Find(kAdded, word, slotValue, slotIndex);
}

bool TCustomDictionary::IsExcluded(std::string_view word) {
    EnsureLoaded();
    std::int32_t slotValue;
    std::int32_t slotIndex;
    return Find(kExcluded, word, slotValue, slotIndex);
}

bool TCustomDictionary::GetAutoCorrect(std::string_view word, std::string& replacement) {
    EnsureLoaded();
    std::int32_t slotValue;
    std::int32_t slotIndex;
    if (!Find(kAutoCorrect, word, slotValue, slotIndex)) return false;
    replacement =
        StringAt(static_cast<std::uint32_t>(slotValue) + static_cast<std::uint32_t>(word.size()) + 1);
    return true;
}

void TCustomDictionary::Record(std::vector<std::string>& list, std::string_view word) {
    modified_ = true;
    if (trackChanges_) list.emplace_back(word);
}

bool TCustomDictionary::AddWord(std::string_view word) {
    EnsureLoaded();
    if (!AddEntry(kAdded, word, {})) return false;
    Record(changes_.addedAdded, word);
    return true;
}

bool TCustomDictionary::AddExcluded(std::string_view word) {
    EnsureLoaded();
    if (!AddEntry(kExcluded, word, {})) return false;
    Record(changes_.excludedAdded, word);
    return true;
}

bool TCustomDictionary::AddAutoCorrect(std::string_view misspelling, std::string_view replacement) {
    EnsureLoaded();
    if (!AddEntry(kAutoCorrect, misspelling, replacement)) return false;
    Record(changes_.autoCorrectAdded, misspelling);
    Record(changes_.replacementsAdded, replacement);
    return true;
}

bool TCustomDictionary::RemoveWord(std::string_view word) {
    EnsureLoaded();
    if (!DeleteEntry(kAdded, word)) return false;
    --addedCount_;
    Record(changes_.addedRemoved, word);
    return true;
}

bool TCustomDictionary::RemoveExcluded(std::string_view word) {
    EnsureLoaded();
    if (!DeleteEntry(kExcluded, word)) return false;
    --excludedCount_;
    Record(changes_.excludedRemoved, word);
    return true;
}

bool TCustomDictionary::RemoveAutoCorrect(std::string_view misspelling) {
    EnsureLoaded();
    if (!DeleteEntry(kAutoCorrect, misspelling)) return false;
    --autoCorrectCount_;
    Record(changes_.autoCorrectRemoved, misspelling);
    return true;
}

void TCustomDictionary::Clear() {
    EnsureLoaded();
    ClearContents();
    changes_ = TChanges{};
}

std::uint32_t TCustomDictionary::SlotCount() {
    EnsureLoaded();
    return static_cast<std::uint32_t>(table_.size());
}

void TCustomDictionary::ForEachEntry(const TEntryVisitor& visitor) {
    EnsureLoaded();
    for (std::uint32_t i = 0; i < table_.size(); ++i) {
        const std::int32_t v = table_[i];
        if (v <= 0) continue;
        const std::string_view word = WordAt(v);
        const char type = TypeAt(v);
        const std::string_view replacement = type == kAutoCorrect
                                                 ? WordAt(v + static_cast<std::int32_t>(word.size()) + 1)
                                                 : std::string_view();
        visitor(i, type, word, replacement);
    }
}

}  // namespace quillon
