#include "platform/download/FirmwareManifest.h"

#include <openssl/evp.h>
#include <plist/plist.h>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace firmware
{

namespace
{

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPointer = std::unique_ptr<void, PlistFree>;

std::optional<std::string> stringItem(plist_t dictionary, const char* key)
{
    plist_t node = plist_dict_get_item(dictionary, key);
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return std::nullopt;
    uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    return text ? std::optional<std::string>(std::string(text, length)) : std::nullopt;
}

bool isPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::optional<std::array<unsigned char, 32>> hexDigest(const std::string& text)
{
    if (text.size() != 64)
        return std::nullopt;
    std::array<unsigned char, 32> digest{};
    for (std::size_t i = 0; i < 64; ++i) {
        const char c = text[i];
        int value;
        if (c >= '0' && c <= '9')
            value = c - '0';
        else if (c >= 'a' && c <= 'f')
            value = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            value = c - 'A' + 10;
        else
            return std::nullopt;
        digest[i / 2] = static_cast<unsigned char>(digest[i / 2] << 4 | value);
    }
    return digest;
}

// The whole file, when it is a regular file of at most maxBytes.
std::optional<std::vector<unsigned char>> readRegularFile(const std::string& path, std::uint64_t maxBytes,
                                                          std::string* error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        *error = "cannot open " + path;
        return std::nullopt;
    }
    std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* f) {
        ::close(*f);
        delete f;
    });
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || std::uint64_t(st.st_size) > maxBytes) {
        *error = path + " is not a file of a firmware package's size";
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(std::size_t(st.st_size));
    std::size_t have = 0;
    while (have < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n <= 0) {
            *error = "cannot read " + path;
            return std::nullopt;
        }
        have += std::size_t(n);
    }
    return bytes;
}

} // namespace

std::array<unsigned char, 32> sha256(const unsigned char* data, std::size_t length)
{
    std::array<unsigned char, 32> digest{};
    unsigned int digestLength = 0;
    EVP_Digest(data, length, digest.data(), &digestLength, EVP_sha256(), nullptr);
    return digest;
}

std::optional<FirmwareManifest> parseFirmwareManifest(const unsigned char* data, std::size_t length,
                                                      std::string* error)
{
    if (length == 0 || length > 64 * 1024) {
        *error = "the manifest is empty or too long";
        return std::nullopt;
    }
    plist_t root = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(data), uint32_t(length), &root);
    const PlistPointer owner(root);
    if (!root || plist_get_node_type(root) != PLIST_DICT) {
        *error = "the manifest is not a property-list dictionary";
        return std::nullopt;
    }
    FirmwareManifest manifest;
    const std::optional<std::string> image = stringItem(root, "Image");
    if (!image || !isPlainFileName(*image)) {
        *error = "the manifest names no image file";
        return std::nullopt;
    }
    manifest.image = *image;
    plist_t size = plist_dict_get_item(root, "Size");
    if (!size || plist_get_node_type(size) != PLIST_UINT) {
        *error = "the manifest gives no size";
        return std::nullopt;
    }
    plist_get_uint_val(size, &manifest.size);
    if (manifest.size > kMaxImageBytes) {
        *error = "the manifest's size is beyond any image";
        return std::nullopt;
    }
    const std::optional<std::string> digestText = stringItem(root, "SHA256");
    const std::optional<std::array<unsigned char, 32>> digest =
        digestText ? hexDigest(*digestText) : std::nullopt;
    if (!digest) {
        *error = "the manifest gives no SHA-256 digest";
        return std::nullopt;
    }
    manifest.sha256 = *digest;
    return manifest;
}

std::optional<std::vector<unsigned char>> loadFirmwareImage(const std::string& packageFolder,
                                                            std::string* error)
{
    const std::optional<std::vector<unsigned char>> manifestBytes =
        readRegularFile(packageFolder + '/' + kManifestName, 64 * 1024, error);
    if (!manifestBytes)
        return std::nullopt;
    const std::optional<FirmwareManifest> manifest =
        parseFirmwareManifest(manifestBytes->data(), manifestBytes->size(), error);
    if (!manifest)
        return std::nullopt;
    std::optional<std::vector<unsigned char>> image =
        readRegularFile(packageFolder + '/' + manifest->image, manifest->size, error);
    if (!image)
        return std::nullopt;
    if (image->size() != manifest->size || sha256(image->data(), image->size()) != manifest->sha256) {
        *error = "the image " + manifest->image + " does not match the manifest";
        return std::nullopt;
    }
    return image;
}

} // namespace firmware
