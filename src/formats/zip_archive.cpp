#include "formats/zip_archive.h"

#include <algorithm>

#include <zip.h>

#include <vector>

#include "core/errors.h"
#include "formats/large_pages.h"

namespace qlnx {

namespace {

[[noreturn]] void Damaged(const std::string& reason) {
    throw Error("The workbook is damaged: " + reason + ".");
}

std::string ErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

}  // namespace

ZipArchive::ZipArchive(zip* archive) : archive_(archive) {}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept : archive_(other.archive_) {
    other.archive_ = nullptr;
}

ZipArchive& ZipArchive::operator=(ZipArchive&& other) noexcept {
    std::swap(archive_, other.archive_);
    return *this;
}

ZipArchive::~ZipArchive() {
    if (archive_ != nullptr) zip_discard(archive_);
}

ZipArchive ZipArchive::OpenFile(const std::string& path) {
    int code = 0;
    zip* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (archive == nullptr) Damaged(ErrorText(code));
    return ZipArchive(archive);
}

ZipArchive ZipArchive::OpenBytes(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        const std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        Damaged(text);
    }
    zip* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (archive == nullptr) {
        zip_source_free(source);
        const std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        Damaged(text);
    }
    zip_error_fini(&error);
    return ZipArchive(archive);
}

bool ZipArchive::Has(const std::string& name) const {
    return zip_name_locate(archive_, name.c_str(), 0) >= 0;
}

uint64_t ZipArchive::Size(const std::string& name) const {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive_, name.c_str(), 0, &stat) != 0) return 0;
    return (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0;
}

void ZipArchive::Stream(const std::string& name, uint64_t limit,
                        const std::function<void(std::string_view)>& sink) const {
    const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
    if (index < 0) Damaged("it has no part " + name);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
        Damaged(zip_strerror(archive_));
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && stat.encryption_method != ZIP_EM_NONE) {
        throw Error("The workbook is encrypted; save it without a password to read it.");
    }
    const auto tooLarge = [&] {
        const std::string size = limit >= (uint64_t{1} << 20) ? std::to_string(limit >> 20) + " MB"
                                                              : std::to_string(limit >> 10) + " KB";
        throw Error("The part " + name + " of the workbook inflates past " + size +
                    "; it is not read.");
    };
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > limit) tooLarge();
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) Damaged(zip_strerror(archive_));
    std::vector<char> buffer(size_t{1} << 18);
    uint64_t total = 0;
    try {
        while (true) {
            const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
            if (n < 0) Damaged(zip_file_strerror(file));
            if (n == 0) break;
            // The size the container states may lie: the bytes are counted as they come.
            total += static_cast<uint64_t>(n);
            if (total > limit) tooLarge();
            sink(std::string_view(buffer.data(), static_cast<size_t>(n)));
        }
    } catch (...) {
        zip_fclose(file);
        throw;
    }
    zip_fclose(file);
}

std::string ZipArchive::Read(const std::string& name, uint64_t limit) const {
    std::string text;
    // Room for the size the container states (a size past the limit is refused by Stream):
    // a large part grows into place instead of through copies of twice its size.
    text.reserve(static_cast<size_t>(std::min(Size(name), limit)));
    AdviseLargePages(text.data(), text.capacity());
    Stream(name, limit, [&](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace qlnx
