#pragma once
// SHA-256 through the system's BCrypt, fed in pieces as a file is written or read.
#include <cstddef>
#include <string>

namespace ravenlock {

class Sha256 {
public:
    Sha256();  // AppError when the system offers no SHA-256
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;
    void Add(const void* bytes, size_t size);
    std::string HexDigest();  // 64 lower-case hex digits; the object is spent after it

private:
    void* algorithm_ = nullptr;
    void* hash_ = nullptr;
};

// The SHA-256 of a whole file; "" when it cannot be read.
std::string FileSha256(const std::wstring& path);

}  // namespace ravenlock
