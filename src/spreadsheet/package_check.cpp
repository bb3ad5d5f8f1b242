#include "spreadsheet/package_check.h"

#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <optional>
#include <string_view>

namespace qlnx {

namespace {

constexpr uint32_t kEndOfDirectory = 0x06054b50;
constexpr uint32_t kDirectoryEntry = 0x02014b50;
constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kZip64Marker = 0xFFFFFFFF;

uint32_t Le16(const unsigned char* p) { return static_cast<uint32_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint64_t Le64(const unsigned char* p) {
    return static_cast<uint64_t>(Le32(p)) | static_cast<uint64_t>(Le32(p + 4)) << 32;
}

bool ReadAt(int fd, uint64_t offset, void* buffer, size_t size) {
    auto* out = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::pread(fd, out, size, static_cast<off_t>(offset));
        if (n <= 0) return false;
        out += n;
        offset += static_cast<uint64_t>(n);
        size -= static_cast<size_t>(n);
    }
    return true;
}

struct Part {
    std::string Name;
    uint32_t Method = 0;
    uint32_t Crc = 0;
    uint64_t CompressedSize = 0;
    uint64_t Size = 0;
    uint64_t HeaderOffset = 0;
};

// The zip directory: the parts in their order, or nothing when it cannot be read.
std::optional<std::vector<Part>> ReadDirectory(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size < 22) return std::nullopt;
    const auto fileSize = static_cast<uint64_t>(st.st_size);
    // The end record sits in the last 22 bytes plus a comment of at most 64 KiB.
    const uint64_t tailSize = std::min<uint64_t>(fileSize, 22 + 0xFFFF);
    std::vector<unsigned char> tail(tailSize);
    if (!ReadAt(fd, fileSize - tailSize, tail.data(), tail.size())) return std::nullopt;
    size_t end = tail.size() - 22 + 1;
    do {
        --end;
    } while (end > 0 && Le32(&tail[end]) != kEndOfDirectory);
    if (Le32(&tail[end]) != kEndOfDirectory) return std::nullopt;
    const uint32_t count = Le16(&tail[end + 10]);
    const uint32_t directorySize = Le32(&tail[end + 12]);
    const uint32_t directoryOffset = Le32(&tail[end + 16]);
    if (directorySize == kZip64Marker || directoryOffset == kZip64Marker ||
        uint64_t{directoryOffset} + directorySize > fileSize) {
        return std::nullopt;
    }
    std::vector<unsigned char> directory(directorySize);
    if (!ReadAt(fd, directoryOffset, directory.data(), directory.size())) return std::nullopt;

    std::vector<Part> parts;
    size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 46 > directory.size() || Le32(&directory[at]) != kDirectoryEntry) {
            return std::nullopt;
        }
        const unsigned char* e = &directory[at];
        Part part;
        part.Method = Le16(e + 10);
        part.Crc = Le32(e + 16);
        part.CompressedSize = Le32(e + 20);
        part.Size = Le32(e + 24);
        part.HeaderOffset = Le32(e + 42);
        const size_t nameLength = Le16(e + 28);
        const size_t extraLength = Le16(e + 30);
        const size_t commentLength = Le16(e + 32);
        if (at + 46 + nameLength + extraLength + commentLength > directory.size()) {
            return std::nullopt;
        }
        part.Name.assign(reinterpret_cast<const char*>(e + 46), nameLength);
        // Sizes and offsets past 4 GiB are in the zip64 extra field, in this order.
        const unsigned char* extra = e + 46 + nameLength;
        for (size_t x = 0; x + 4 <= extraLength;) {
            const uint32_t id = Le16(extra + x);
            const size_t length = Le16(extra + x + 2);
            if (id == 1) {
                size_t field = x + 4;
                for (uint64_t* value : {&part.Size, &part.CompressedSize, &part.HeaderOffset}) {
                    if (*value != kZip64Marker) continue;
                    if (field + 8 > x + 4 + length || field + 8 > extraLength) return std::nullopt;
                    *value = Le64(extra + field);
                    field += 8;
                }
            }
            x += 4 + length;
        }
        parts.push_back(std::move(part));
        at += 46 + nameLength + extraLength + commentLength;
    }
    return parts;
}

// What one part's content tells: its checksum and size, how it begins and ends, and how many
// rows it holds.
class PartReader {
public:
    void Add(const unsigned char* bytes, size_t size) {
        crc_ = crc32(crc_, bytes, static_cast<uInt>(size));
        size_ += size;
        const std::string_view text(reinterpret_cast<const char*>(bytes), size);
        if (head_.size() < kKeep) head_.append(text.substr(0, kKeep - head_.size()));
        // The end of the last piece is too short to hold a whole row tag: joined to this
        // piece, every tag is counted once, also one across the boundary.
        std::string window = std::move(carry_);
        window.append(text);
        for (size_t at = window.find(kRowTag); at != std::string::npos;
             at = window.find(kRowTag, at + 1)) {
            ++rows_;
        }
        carry_ = window.substr(window.size() - std::min(window.size(), kRowTag.size() - 1));
        tail_.append(text.substr(text.size() - std::min(text.size(), kKeep)));
        if (tail_.size() > kKeep) tail_.erase(0, tail_.size() - kKeep);
    }
    uint32_t Crc() const { return static_cast<uint32_t>(crc_); }
    uint64_t Size() const { return size_; }
    uint64_t Rows() const { return rows_; }

    // The XML ends with the close of the element it opened first.
    bool XmlClosed() const {
        size_t at = 0;
        for (;;) {
            at = head_.find('<', at);
            if (at == std::string::npos || at + 1 >= head_.size()) return false;
            if (head_[at + 1] != '?' && head_[at + 1] != '!') break;
            ++at;
        }
        const size_t nameEnd = head_.find_first_of(" \t\r\n/>", at + 1);
        if (nameEnd == std::string::npos) return false;
        const std::string close = "</" + head_.substr(at + 1, nameEnd - at - 1) + ">";
        std::string_view end(tail_);
        while (!end.empty() &&
               std::string_view(" \t\r\n").find(end.back()) != std::string_view::npos) {
            end.remove_suffix(1);
        }
        const bool rootSelfClosed = head_.compare(nameEnd, 2, "/>") == 0;
        return end.size() >= close.size() &&
               (end.substr(end.size() - close.size()) == close ||
                (rootSelfClosed && end.substr(end.size() - 2) == "/>"));
    }

private:
    static constexpr size_t kKeep = 256;
    static constexpr std::string_view kRowTag = "<row ";

    uLong crc_ = crc32(0, nullptr, 0);
    uint64_t size_ = 0;
    uint64_t rows_ = 0;
    std::string head_;
    std::string tail_;
    std::string carry_;
};

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Inflates one part into reader; false when its data cannot be read or inflated.
bool ReadPart(int fd, const Part& part, PartReader& reader) {
    unsigned char header[30];
    if (!ReadAt(fd, part.HeaderOffset, header, sizeof header) || Le32(header) != kLocalHeader) {
        return false;
    }
    uint64_t at = part.HeaderOffset + 30 + Le16(header + 26) + Le16(header + 28);
    uint64_t left = part.CompressedSize;
    std::vector<unsigned char> in(size_t{1} << 18);
    std::vector<unsigned char> out(size_t{1} << 18);
    if (part.Method == 0) {
        while (left > 0) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(left, in.size()));
            if (!ReadAt(fd, at, in.data(), n)) return false;
            reader.Add(in.data(), n);
            at += n;
            left -= n;
        }
        return true;
    }
    if (part.Method != 8) return false;
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (z.avail_in == 0) {
            if (left == 0) break;
            const size_t n = static_cast<size_t>(std::min<uint64_t>(left, in.size()));
            if (!ReadAt(fd, at, in.data(), n)) break;
            at += n;
            left -= n;
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(n);
        }
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) break;
        reader.Add(out.data(), out.size() - z.avail_out);
    }
    inflateEnd(&z);
    return status == Z_STREAM_END;
}

}  // namespace

std::string PackageFault(int fd, const std::vector<uint64_t>& sheetRows) {
    const std::optional<std::vector<Part>> parts = ReadDirectory(fd);
    if (!parts) return "its zip directory cannot be read";
    size_t sheetsFound = 0;
    for (const Part& part : *parts) {
        PartReader reader;
        if (!ReadPart(fd, part, reader) || reader.Size() != part.Size || reader.Crc() != part.Crc) {
            return "its part " + part.Name + " is damaged";
        }
        const bool xml = EndsWith(part.Name, ".xml") || EndsWith(part.Name, ".rels");
        if (xml && !reader.XmlClosed()) return "its part " + part.Name + " is cut short";
        for (size_t i = 0; i < sheetRows.size(); ++i) {
            if (part.Name != "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml") continue;
            ++sheetsFound;
            if (reader.Rows() != sheetRows[i]) return "its part " + part.Name + " lacks rows";
        }
    }
    if (sheetsFound != sheetRows.size()) return "a worksheet is missing";
    return {};
}

}  // namespace qlnx
