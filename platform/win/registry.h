// A key of the Windows registry, through the ANSI functions (names and texts in the
// system ANSI code page).
#pragma once

#include <optional>
#include <string>

namespace quillon::win {

enum class TRegistryRoot { CurrentUser, LocalMachine };

class TRegistryKey {
public:
    TRegistryKey() = default;
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;
    TRegistryKey(TRegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    TRegistryKey& operator=(TRegistryKey&& other) noexcept;
    ~TRegistryKey() { Close(); }

    // An existing key, for reading; not open when it is missing or the path is empty.
    static TRegistryKey OpenForReading(TRegistryRoot root, const std::string& path);
    // The key for reading and writing, created with its parents when missing; not open
    // when that fails or the path is empty.
    static TRegistryKey Create(TRegistryRoot root, const std::string& path);

    bool IsOpen() const { return key_ != nullptr; }
    void Close();

    // A REG_SZ or REG_EXPAND_SZ value (not expanded) up to its first NUL; nothing when
    // the value is missing, of another type, or the key is not open.
    std::optional<std::string> ReadString(const std::string& name) const;
    // Writes a REG_SZ value; false when it was not written or the text holds a NUL.
    bool WriteString(const std::string& name, const std::string& value);

private:
    explicit TRegistryKey(void* key) : key_(key) {}

    void* key_ = nullptr;  // HKEY
};

}  // namespace quillon::win
