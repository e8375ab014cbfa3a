#pragma once

#include <memory>
#include <string>

#include "icons/ByteReader.h"

// A message digest computed piece by piece with OpenSSL's libcrypto.
class TDigest {
public:
    enum class TKind { Md5, Sha256 };

    explicit TDigest(TKind kind);
    ~TDigest();
    TDigest(const TDigest&) = delete;
    TDigest& operator=(const TDigest&) = delete;

    void Update(ByteView bytes);
    // The digest of everything given so far, in lowercase hexadecimal; ends the digest.
    std::string FinalHex();

private:
    struct TContext;
    std::unique_ptr<TContext> context_;
};

// The MD5 digest of bytes in lowercase hexadecimal.
std::string Md5Hex(ByteView bytes);
