#pragma once

#include <QString>

// The ciphers that enciphered web links carry: the fixed-key cipher of the
// connection feature (EncryptServicesMain) and the initialisation service's
// configured one (encode:AndReturnCipherText:). Whoever provides them sets
// g_WebLinkCipher; without it no enciphered link opens.
class WebLinkCiphering
{
public:
    virtual ~WebLinkCiphering() = default;
    // The 16 hexadecimal characters of a 16-digit text (a 15-digit IMSI or IMEI with "0" appended).
    virtual QString EncryptServicesMain(const QString& text) = 0;
    // The cipher text of a 15-digit IMSI or IMEI under the configured pattern.
    virtual QString encode(const QString& text) = 0;
};

extern WebLinkCiphering* g_WebLinkCipher;
