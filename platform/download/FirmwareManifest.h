#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A firmware package's manifest, firmware.plist in the package folder: a
// dictionary naming the image file beside it ("Image"), its size in bytes
// ("Size") and its SHA-256 digest in hexadecimal ("SHA256").
namespace firmware
{

inline constexpr const char* kManifestName = "firmware.plist";
// Far beyond any modem's flash.
inline constexpr std::uint64_t kMaxImageBytes = std::uint64_t(1) << 30;

struct FirmwareManifest {
    std::string image; // a plain file name in the package folder
    std::uint64_t size = 0;
    std::array<unsigned char, 32> sha256{};
};

// Reads the manifest's bytes (XML or binary property list); nullopt with the
// reason when they are not a manifest.
std::optional<FirmwareManifest> parseFirmwareManifest(const unsigned char* data, std::size_t length,
                                                      std::string* error);

// Reads the package folder's manifest and the image it names; the image's
// bytes only when they have the manifest's size and digest.
std::optional<std::vector<unsigned char>> loadFirmwareImage(const std::string& packageFolder,
                                                            std::string* error);

std::array<unsigned char, 32> sha256(const unsigned char* data, std::size_t length);

} // namespace firmware
