#include "AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

CAppContext::CAppContext(const QString& appDirectory)
{
    SetAppDirectory(appDirectory);
}

void CAppContext::SetAppDirectory(const QString& directory)
{
    QString d = QDir::fromNativeSeparators(directory);
    if (d.isEmpty())
        d = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (!d.endsWith(u'/'))
        d += u'/';
    if (d != m_appDirectory)
        m_catalog.reset();
    m_appDirectory = d;
}

bool CAppContext::BeginTransfer()
{
    bool idle = false;
    return m_transferBusy.compare_exchange_strong(idle, true);
}

CProgramIni CAppContext::ProgramIni() const
{
    return CProgramIni::InAppDirectory(m_appDirectory);
}

std::vector<CAppContext::FileStamp> CAppContext::catalogStamps() const
{
    // The files that could hold the lists, whether they exist now or not: one that appears counts
    // as a change too.
    std::vector<FileStamp> stamps;
    for (const QString& path : CProgramIni::CandidateFiles(m_appDirectory)) {
        const QFileInfo info(path);
        FileStamp s;
        s.path = path;
        s.exists = info.isFile();
        if (s.exists) {
            s.size = info.size();
            s.modified = info.lastModified();
            s.changed = info.metadataChangeTime();
        }
        stamps.push_back(s);
    }
    return stamps;
}

const orx::RadioCatalog& CAppContext::RadioCatalog()
{
    std::vector<FileStamp> stamps = catalogStamps();
    if (!m_catalog || stamps != m_catalogStamps) {
        m_catalog = CProgramIni::ReadRadioCatalog(CProgramIni::DefaultReadOrder(m_appDirectory));
        m_catalogStamps = std::move(stamps);
    }
    return *m_catalog;
}

void CAppContext::LoadPortName()
{
    const CProgramIni ini = ProgramIni();
    m_portName =
        ini.GetString(QString::fromLatin1(CProgramIni::kSection), QString::fromLatin1(CProgramIni::kPortKey));
}

bool CAppContext::StorePortName(QString* unreadable, QString* storedIn) const
{
    CProgramIni ini = ProgramIni();
    const bool stored = ini.WriteString(QString::fromLatin1(CProgramIni::kSection),
                                        QString::fromLatin1(CProgramIni::kPortKey), m_portName);
    if (unreadable)
        *unreadable = ini.unreadablePath();
    if (storedIn)
        *storedIn = ini.path();
    return stored;
}
