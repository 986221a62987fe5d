#pragma once

#include <QString>

// What a way of showing the operator names answers: the home name (the SIM's
// service provider) and the local name (the registered network).
class JspnShowProtocol
{
public:
    virtual ~JspnShowProtocol() = default;
    virtual QString getHomeSpn() const = 0;
    virtual QString getLocalSpn() const = 0;
};
