#include "platform/agent/Sha256.h"

#include <openssl/evp.h>

namespace agent
{

void Sha256::Free::operator()(evp_md_ctx_st* context) const
{
    EVP_MD_CTX_free(context);
}

Sha256::Sha256() : context_(EVP_MD_CTX_new())
{
    reset();
}

Sha256::~Sha256() = default;

void Sha256::reset()
{
    EVP_DigestInit_ex(context_.get(), EVP_sha256(), nullptr);
}

void Sha256::addData(const char* data, qint64 length)
{
    if (length > 0)
        EVP_DigestUpdate(context_.get(), data, size_t(length));
}

QByteArray Sha256::result()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_.get(), digest, &length);
    reset();
    return QByteArray(reinterpret_cast<const char*>(digest), int(length));
}

} // namespace agent
