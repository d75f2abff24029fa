#include "zunetworkparameters.h"

#include "zuenums.h"

void ZUNetworkParameters::setAllowed(bool allowed)
{
    m_allowed = allowed;
    if (allowed)
        return;
    setLanMode(zu::DHPC);
    m_srvIP.clear();
    m_srvName.clear();
    m_macAddres.clear();
    m_asudPort = 0;
}

void ZUNetworkParameters::setLanMode(int mode)
{
    m_lanMode = mode;
    if (mode != zu::DHPC)
        return;
    m_lanIP.clear();
    m_lanMask.clear();
    m_gtwIP.clear();
    m_dnsIP.clear();
}

void ZUNetworkParameters::setSrvIP(const QString &ip)
{
    m_srvIP = ip;
    if (!ip.isEmpty())
        m_srvName.clear();
}

void ZUNetworkParameters::setSrvName(const QString &name)
{
    m_srvName = name;
    if (!name.isEmpty())
        m_srvIP.clear();
}

void ZUNetworkParameters::reset()
{
    setAllowed(false);
}
