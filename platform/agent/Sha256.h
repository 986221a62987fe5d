#pragma once

#include <QByteArray>

#include <memory>

struct evp_md_ctx_st;

namespace agent
{

// SHA-256 over data that arrives in pieces (the hardware-assisted digest of
// the crypto library: a package is hashed as fast as it arrives).
class Sha256
{
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void reset();
    void addData(const char* data, qint64 length);
    // The digest of everything added since the last reset (32 bytes).
    QByteArray result();

private:
    struct Free {
        void operator()(evp_md_ctx_st* context) const;
    };
    std::unique_ptr<evp_md_ctx_st, Free> context_;
};

} // namespace agent
