#include "mods/file_hash.h"

#include "platform/app_error.h"
#include "platform/file_handle.h"
#include "platform/late_libraries.h"

namespace ravenlock {

namespace {
constexpr wchar_t kFeature[] = L"Проверка файлов модов";
}

Sha256::Sha256() {
    const auto& api = late::BCrypt(kFeature);
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (api.BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0)
        throw AppError(L"Система не даёт вычислить SHA-256.");
    if (api.BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) < 0) {
        api.BCryptCloseAlgorithmProvider(algorithm, 0);
        throw AppError(L"Система не даёт вычислить SHA-256.");
    }
    algorithm_ = algorithm;
    hash_ = hash;
}

Sha256::~Sha256() {
    const auto& api = late::BCrypt(kFeature);
    if (hash_) api.BCryptDestroyHash(hash_);
    if (algorithm_) api.BCryptCloseAlgorithmProvider(algorithm_, 0);
}

void Sha256::Add(const void* bytes, size_t size) {
    const auto& api = late::BCrypt(kFeature);
    auto* at = static_cast<UCHAR*>(const_cast<void*>(bytes));
    while (size > 0) {
        const ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        if (api.BCryptHashData(hash_, at, piece, 0) < 0) throw AppError(L"Система не даёт вычислить SHA-256.");
        at += piece;
        size -= piece;
    }
}

std::string Sha256::HexDigest() {
    UCHAR digest[32];
    if (late::BCrypt(kFeature).BCryptFinishHash(hash_, digest, sizeof digest, 0) < 0)
        throw AppError(L"Система не даёт вычислить SHA-256.");
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (UCHAR b : digest) {
        text += hex[b >> 4];
        text += hex[b & 15];
    }
    return text;
}

std::string FileSha256(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return "";
    try {
        Sha256 sha;
        std::string buffer(1 << 20, '\0');
        DWORD got = 0;
        bool ok = true;
        while ((ok = ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) && got > 0)
            sha.Add(buffer.data(), got);
        return ok ? sha.HexDigest() : "";
    } catch (const AppError&) {
        return "";
    }
}

}  // namespace ravenlock
