#include "core/record_hash.h"

#include <openssl/evp.h>

#include <array>
#include <stdexcept>

#include "core/file_bytes.h"

namespace qlnx {

std::string FileSha256(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_sha256(), nullptr) !=
        1) {
        throw std::runtime_error("SHA-256 is not available");
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0x0f];
    }
    return text;
}

}  // namespace qlnx
