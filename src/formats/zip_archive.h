// A zip container (a workbook) read through libzip: its entries streamed in pieces, each
// held to a size limit while it inflates.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct zip;

namespace qlnx {

class ZipArchive {
public:
    // Opens the file, or the bytes (kept by the caller while the archive lives). Throws
    // qlnx::Error when the container is damaged.
    static ZipArchive OpenFile(const std::string& path);
    static ZipArchive OpenBytes(std::string_view bytes);
    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    bool Has(const std::string& name) const;
    // The size the container states for the entry once inflated (0 when it states none).
    uint64_t Size(const std::string& name) const;
    // Streams the inflated entry to sink in pieces. Throws qlnx::Error when the entry is
    // missing, encrypted, damaged, or inflates (or says it does) past limit bytes.
    void Stream(const std::string& name, uint64_t limit,
                const std::function<void(std::string_view)>& sink) const;
    // The whole entry.
    std::string Read(const std::string& name, uint64_t limit) const;

private:
    explicit ZipArchive(zip* archive);
    zip* archive_ = nullptr;
};

}  // namespace qlnx
