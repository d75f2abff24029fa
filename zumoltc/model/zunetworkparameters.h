#pragma once

#include <QString>

// The controller's network settings (file object LAN). The setters keep them
// consistent: without the network every value but the time server is at its
// default; in DHPC mode the four static addresses are empty; the server address
// and the server name are never both filled. The port 0 means not set.
class ZUNetworkParameters
{
public:
    bool allowed() const { return m_allowed; }
    int lanMode() const { return m_lanMode; }
    QString lanIP() const { return m_lanIP; }
    QString lanMask() const { return m_lanMask; }
    QString gtwIP() const { return m_gtwIP; }
    QString dnsIP() const { return m_dnsIP; }
    QString srvIP() const { return m_srvIP; }
    QString srvName() const { return m_srvName; }
    quint16 asudPort() const { return m_asudPort; }
    QString macAddres() const { return m_macAddres; }
    QString sntpIP() const { return m_sntpIP; }
    QString sntpName() const { return m_sntpName; }

    // false also clears every value but sntpIP and sntpName.
    void setAllowed(bool allowed);
    // DHPC (0) also empties lanIP, lanMask, gtwIP and dnsIP.
    void setLanMode(int mode);
    // A non-empty address empties srvName.
    void setSrvIP(const QString &ip);
    // A non-empty name empties srvIP.
    void setSrvName(const QString &name);
    void setLanIP(const QString &ip) { m_lanIP = ip; }
    void setLanMask(const QString &mask) { m_lanMask = mask; }
    void setGtwIP(const QString &ip) { m_gtwIP = ip; }
    void setDnsIP(const QString &ip) { m_dnsIP = ip; }
    void setMacAddres(const QString &mac) { m_macAddres = mac; }
    void setSntpIP(const QString &ip) { m_sntpIP = ip; }
    void setSntpName(const QString &name) { m_sntpName = name; }
    void setAsudPort(quint16 port) { m_asudPort = port; }

    // As setAllowed(false): the time server stays. The configuration's reset
    // clears the time server as well.
    void reset();

private:
    bool m_allowed = false;
    int m_lanMode = 0;
    QString m_lanIP;
    QString m_lanMask;
    QString m_gtwIP;
    QString m_dnsIP;
    QString m_srvIP;
    QString m_srvName;
    quint16 m_asudPort = 0;
    QString m_macAddres;
    QString m_sntpIP;
    QString m_sntpName;
};
