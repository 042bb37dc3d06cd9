#include "PortName.h"

namespace {

QString& portNameStorage()
{
    static QString name = QStringLiteral("COM1");
    return name;
}

} // namespace

QString PortName()
{
    return portNameStorage();
}

void SetPortName(const QString& name)
{
    portNameStorage() = name;
}
