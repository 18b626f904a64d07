// A writable dictionary of the user's own: added words, excluded words and auto-correct
// pairs in one hash table, read from and saved to a .ovu file, or kept in memory only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ovu_format.h"

namespace quillon {

class TCustomDictionary {
public:
    struct TFileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using TFileHandle = std::unique_ptr<std::FILE, TFileCloser>;

    // Called with each entry in table order: its slot, type byte, word and (for an
    // auto-correct pair) replacement.
    using TEntryVisitor = std::function<void(std::uint32_t slot, char type, std::string_view word,
                                             std::string_view replacement)>;

    TCustomDictionary() = default;
    TCustomDictionary(const TCustomDictionary&) = delete;
    TCustomDictionary& operator=(const TCustomDictionary&) = delete;
    // Unloads, which saves pending changes.
    virtual ~TCustomDictionary();

    // Slots 0-4.
    // Attaches a file; nothing changes when CheckFile refuses the name, so success shows
    // as FileName() equal to the name given. An empty name makes it memory-only.
    virtual void SetFileName(const std::string& name);
    // On: reads the file. Off: saves if modified, then forgets the contents.
    virtual void SetLoaded(bool on);
    virtual int AddedCount();
    virtual int ExcludedCount();
    virtual int AutoCorrectCount();

protected:
    // Slots 5-16: the internal steps.
    // Accepts an empty name, an existing file with our banner (handle open on it after
    // its 121 header bytes when keepOpen) and a missing file that could be created there
    // (no handle).
    virtual bool CheckFile(const std::string& name, bool keepOpen, TFileHandle& handle);
    // Reads the rest of the file after CheckFile; a damaged body leaves the dictionary
    // empty and marks the file as one never to be written over.
    virtual void ReadBody(TFileHandle& handle);
    // Writes the whole dictionary beside `name` and replaces it; false when it could not.
    virtual bool WriteFile(const std::string& name);
    virtual void AddToIndex(char type, std::int32_t slotValue);
    virtual void BuildIndexLists();
    // The zero-ended string at `offset` of the word block (cut at the block's end).
    virtual std::string StringAt(std::uint32_t offset);
    // True when the word's entry has the type (or type is '*'); slotValue and slotIndex
    // tell where the word was met, whatever its type.
    virtual bool Find(char type, std::string_view word, std::int32_t& slotValue, std::int32_t& slotIndex);
    virtual void AppendBytes(const void* bytes, std::size_t length);
    virtual void InsertInTable(std::vector<std::int32_t>& table, std::string_view word,
                               std::int32_t slotValue);
    // Counts the new entry, makes room and puts its slot value in the table.
    virtual void AddToHash(std::string_view word, std::int32_t slotValue);
    virtual bool AddEntry(char type, std::string_view word, std::string_view replacement);
    virtual bool DeleteEntry(char type, std::string_view word);

public:
    // Slots 17-32.
    virtual std::unique_ptr<TCustomDictionary> CreateSameKind();
    // Writes the changes: the whole dictionary when the file is as it was read, else the
    // changes replayed onto the file as it is now. Reading, merging and replacing hold the
    // file's lock, so saves of several processes take turns. A save that cannot write (the
    // lock not had in time, the file refused or damaged, the write failed) keeps the
    // modified flag and the changes for a later save.
    virtual void Save();
    // Writes the whole dictionary to another file (never over a file of another kind);
    // FileName stays. False when nothing was written.
    virtual bool SaveAs(const std::string& name);
    virtual std::string AddedWord(int index);
    virtual std::string ExcludedWord(int index);
    virtual void AutoCorrectPair(int index, std::string& misspelling, std::string& replacement);
    virtual bool IsAdded(std::string_view word);
    virtual bool IsExcluded(std::string_view word);
    virtual bool GetAutoCorrect(std::string_view word, std::string& replacement);
    virtual bool AddWord(std::string_view word);
    virtual bool AddExcluded(std::string_view word);
    virtual bool AddAutoCorrect(std::string_view misspelling, std::string_view replacement);
    virtual bool RemoveWord(std::string_view word);
    virtual bool RemoveExcluded(std::string_view word);
    virtual bool RemoveAutoCorrect(std::string_view misspelling);
    virtual void Clear();

    const std::string& FileName() const { return fileName_; }
    bool Loaded() const { return loaded_; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    // The attached file had our banner but a damaged body when it was read: the
    // dictionary read as empty, and the file is left as it is.
    bool Damaged() const { return damaged_; }
    std::uint32_t SlotCount();
    void ForEachEntry(const TEntryVisitor& visitor);

private:
    // The file as it was when read: date, and a fingerprint of its bytes, because two
    // writes within one DOS date interval share a date.
    struct TFileStamp {
        bool exists = false;
        std::uint32_t dosDate = 0;
        std::uint64_t size = 0;
        std::uint64_t hash = 0;
        bool operator==(const TFileStamp&) const = default;
    };

    struct TChanges {
        std::vector<std::string> addedAdded;
        std::vector<std::string> excludedAdded;
        std::vector<std::string> autoCorrectAdded;
        std::vector<std::string> replacementsAdded;  // parallel to autoCorrectAdded
        std::vector<std::string> addedRemoved;
        std::vector<std::string> excludedRemoved;
        std::vector<std::string> autoCorrectRemoved;
    };

    void EnsureLoaded();
    void Load();
    void Forget();
    void ClearContents();
    // Runs `step` with the lock on `name` held, unless this dictionary (or the save
    // that made it) holds it already; false when the lock was not had in time.
    bool WithFileLock(const std::string& name, const std::function<void()>& step);
    bool CanCreate(const std::string& name);
    TFileStamp StampOf(const std::vector<std::uint8_t>& body) const;
    bool SaveLocked();
    bool ReplayOntoFile();
    void Record(std::vector<std::string>& list, std::string_view word);
    bool ParseBody(const std::vector<std::uint8_t>& body);
    void Rebuild(std::uint32_t size);
    std::string_view WordAt(std::int32_t slotValue) const;
    char TypeAt(std::int32_t slotValue) const;
    const std::vector<std::int32_t>& IndexList(char type);
    std::vector<std::uint8_t> Bytes() const;

    std::string fileName_;
    bool loaded_ = false;
    bool loadRefused_ = false;
    bool modified_ = false;
    bool trackChanges_ = false;
    bool damaged_ = false;
    // The contents in memory are the file's as stamped (false when damaged, refused or
    // never read), so a save may write them whole.
    bool holdsFile_ = false;
    std::string lockedName_;  // the file whose lock is held for this dictionary
    TFileStamp stamp_;

    std::uint32_t addedCount_ = 0;
    std::uint32_t excludedCount_ = 0;
    std::uint32_t autoCorrectCount_ = 0;
    std::uint32_t liveCount_ = 0;
    std::uint32_t deletedCount_ = 0;
    std::vector<std::int32_t> table_;
    std::vector<std::uint8_t> block_;
    std::size_t allocated_ = 0;

    std::vector<std::int32_t> addedIndex_;
    std::vector<std::int32_t> excludedIndex_;
    std::vector<std::int32_t> autoCorrectIndex_;
    bool indexValid_ = false;

    TChanges changes_;
};

}  // namespace quillon
