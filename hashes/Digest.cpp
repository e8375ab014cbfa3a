#include "hashes/Digest.h"

#include <openssl/evp.h>

#include <stdexcept>

struct TDigest::TContext {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> Handle{EVP_MD_CTX_new(),
                                                                   &EVP_MD_CTX_free};
};

TDigest::TDigest(TKind kind) : context_(std::make_unique<TContext>()) {
    const EVP_MD* method = kind == TKind::Md5 ? EVP_md5() : EVP_sha256();
    if (!context_->Handle || EVP_DigestInit_ex(context_->Handle.get(), method, nullptr) != 1)
        throw std::runtime_error("Cannot start a message digest");
}

TDigest::~TDigest() = default;

void TDigest::Update(ByteView bytes) {
    EVP_DigestUpdate(context_->Handle.get(), bytes.data(), bytes.size());
}

std::string TDigest::FinalHex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_->Handle.get(), digest, &length);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return hex;
}

std::string Md5Hex(ByteView bytes) {
    TDigest digest(TDigest::TKind::Md5);
    digest.Update(bytes);
    return digest.FinalHex();
}
