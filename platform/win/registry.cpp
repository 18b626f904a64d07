#include "platform/win/registry.h"

#include <windows.h>

#include <cstring>

namespace quillon::win {
namespace {

// Far beyond any text setting; a bigger value is taken as damage, not read.
constexpr DWORD kLongestValue = 16u << 20;

HKEY RootKey(TRegistryRoot root) {
    return root == TRegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}
bool IsUsableName(const std::string& name) {
    return name.find('\0') == std::string::npos;
}

}  // namespace

TRegistryKey& TRegistryKey::operator=(TRegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

TRegistryKey TRegistryKey::OpenForReading(TRegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (!IsUsablePath(path) || RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return TRegistryKey();
    return TRegistryKey(key);
}

TRegistryKey TRegistryKey::Create(TRegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (!IsUsablePath(path) ||
        RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return TRegistryKey();
    return TRegistryKey(key);
}

void TRegistryKey::Close() {
    if (key_) RegCloseKey(static_cast<HKEY>(key_));
    key_ = nullptr;
}

std::optional<std::string> TRegistryKey::ReadString(const std::string& name) const {
    if (!key_ || !IsUsableName(name)) return std::nullopt;
    const HKEY key = static_cast<HKEY>(key_);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The size can grow between the two calls when another program writes the value.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > kLongestValue) return std::nullopt;
        std::string value(size + 1, '\0');  // room for a terminator the data may lack
        DWORD got = size;
        const LONG rc =
            RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        value.resize(std::strlen(value.c_str()));
        return value;
    }
    return std::nullopt;
}

bool TRegistryKey::WriteString(const std::string& name, const std::string& value) {
    if (!key_ || !IsUsableName(name) || value.find('\0') != std::string::npos ||
        value.size() >= kLongestValue)
        return false;
    return RegSetValueExA(static_cast<HKEY>(key_), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace quillon::win
