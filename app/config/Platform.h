#pragma once

class ConfigManager;

// The family of the configured device ("Main"/"DeviceType") as a small code,
// read once.
class Platform
{
public:
    enum Code { NotRead = -1, Other = 0, Icera = 1, RV52 = 2, CDMA = 3 };

    static Platform& sharedPlatform();

    // Reads the device type of the given store (the shared one for sharedPlatform).
    explicit Platform(const ConfigManager& store);
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    int platform() const { return platform_; }
    void setPlatform(int platform) { platform_ = platform; }

private:
    int platform_ = NotRead;
};
