// Files as bytes for the tests of the file writers: read, written and listed as they are on
// disk.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace qlnx::test {

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The names of the entries of a folder.
inline std::set<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A new empty folder in the system's temporary folder, its name starting with prefix (a test
// may run in another build at the same time); empty when it cannot be made.
inline std::filesystem::path MakeTempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

// Removes a test's folder with all it holds, first giving the owner back every right a test
// took from the folder or a folder inside it.
inline void RemoveTempFolder(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code entryError;
        if (it->is_directory(entryError)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, entryError);
        }
    }
    fs::remove_all(folder, ec);
}

}  // namespace qlnx::test
