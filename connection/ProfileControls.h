#pragma once

namespace ns
{
class Button;
class Matrix;
class TextField;
} // namespace ns

// The controls of one access group (IPv4 or IPv6) of the profile editor:
// account and APN, then addresses. Unused controls stay null.
struct AccessControls {
    ns::Button* saveAccount = nullptr;
    ns::Button* askUsername = nullptr;
    ns::TextField* username = nullptr;
    ns::TextField* password = nullptr;
    ns::Matrix* apnMode = nullptr;
    ns::TextField* apn = nullptr;
    ns::Matrix* authMode = nullptr;
    ns::Matrix* pdpMode = nullptr;
    ns::TextField* pdpAddress = nullptr;
    ns::Matrix* dnsMode = nullptr;
    ns::TextField* preDns = nullptr;
    ns::TextField* altDns = nullptr;
    // The heading of the group's network settings.
    ns::TextField* advancedCaption = nullptr;
    ns::TextField* usernameCaption = nullptr;
    ns::TextField* passwordCaption = nullptr;
    // The captions of the APN, the authentication mode, the PDP address and the DNS servers.
    ns::TextField* apnCaption = nullptr;
    ns::TextField* authCaption = nullptr;
    ns::TextField* pdpCaption = nullptr;
    ns::TextField* preDnsCaption = nullptr;
    ns::TextField* altDnsCaption = nullptr;
};

// The controls that show one profile: the browse pane's or the edit sheet's.
struct ProfileControls {
    ns::TextField* provider = nullptr;
    ns::TextField* telNumber = nullptr;
    ns::Matrix* pdpType = nullptr;
    AccessControls access;
};
