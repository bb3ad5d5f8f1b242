// A regular file mapped read-only into memory, so that it is read where it lies.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string_view>

namespace qlnx {

// The whole of an open regular file, mapped read-only. Another program that cuts the file
// short while it is mapped would end this one at the first read past the new end (a bus
// error); the mapping catches that, reads the lost part as zero bytes and remembers it.
class FileMap {
public:
    // Takes over the descriptor fd of a regular file of opened.st_size > 0 bytes and maps
    // it; populate maps every page at once. Throws std::system_error when it cannot (the
    // descriptor is then closed).
    FileMap(int fd, const struct stat& opened, bool populate);
    ~FileMap();
    FileMap(const FileMap&) = delete;
    FileMap& operator=(const FileMap&) = delete;

    std::string_view Bytes() const { return {data_, size_}; }
    // Maps the pages of bytes [from, to) now, so that reading them does not wait on the disk.
    void Load(size_t from, size_t to) const;
    // The file's size or modification time changed since it was opened, or part of it was
    // gone when it was read (those bytes read as zero).
    bool Changed() const;

private:
    int fd_;
    struct stat opened_;
    char* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;  // size_ up to whole pages
    int slot_ = -1;      // where the bus-error guard knows the mapping
};

}  // namespace qlnx
