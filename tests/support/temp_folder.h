// A fresh folder for one test's files, removed with everything in it afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Root() const { return root_; }
    // Root, separator, name; the name is not checked, so it may hold any bytes.
    std::string Path(std::string_view name) const;
    // Writes the bytes to the named file and answers its path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    std::string Write(std::string_view name, const std::vector<std::uint8_t>& bytes) const;
    std::string MakeFolder(std::string_view name) const;

private:
    std::string root_;
};

}  // namespace quillon::test
