#pragma once

// The application context: what the whole program shares and what is handed down to whoever needs
// it, never read as a global. It owns the program's folder (AppDirectory), the serial port the
// user chose (PortName: "COM1" to "COM8" from the port menu, or a device of this machine; read from
// Program.ini at start-up, stored there at exit), the busy mark of a radio transfer (TransferBusy),
// and the model and band catalogue of Program.ini, read once and again only when the file changes.

#include "Band.h"
#include "ProgramIni.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>
#include <vector>

class CAppContext {
public:
    // appDirectory empty: the folder of the running executable (the working folder without an
    // application object).
    explicit CAppContext(const QString& appDirectory = QString());

    CAppContext(const CAppContext&) = delete;
    CAppContext& operator=(const CAppContext&) = delete;

    // The folder Program.ini and "Factory default.sin" lie in, with a trailing separator.
    const QString& AppDirectory() const { return m_appDirectory; }
    void SetAppDirectory(const QString& directory);

    const QString& PortName() const { return m_portName; }
    void SetPortName(const QString& name) { m_portName = name; }

    // True while a transfer thread runs anywhere in the program: a second one never starts.
    bool TransferBusy() const { return m_transferBusy.load(); }
    // Takes the busy mark; false (and nothing taken) when a transfer holds it already. Safe from
    // any thread.
    bool BeginTransfer();
    void EndTransfer() { m_transferBusy.store(false); }

    // Program.ini of this program: the file in AppDirectory, or the user's copy beside an installed
    // one. The file where writes go is created when missing.
    CProgramIni ProgramIni() const;
    // The model and band lists of Program.ini. Read the first time they are asked for, and again
    // only when one of the files they come from has changed (appeared, gone, written to).
    const orx::RadioCatalog& RadioCatalog();

    // PortName from Program.ini (start-up) and into it (exit). StorePortName gives the file it
    // could not read (left untouched) in unreadable, and whether the port was stored.
    void LoadPortName();
    bool StorePortName(QString* unreadable = nullptr, QString* storedIn = nullptr) const;

private:
    struct FileStamp {
        QString path;
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime changed; // a change of owner or permissions moves where writes go
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    std::vector<FileStamp> catalogStamps() const;

    QString m_appDirectory;
    QString m_portName = QStringLiteral("COM1");
    std::atomic<bool> m_transferBusy{false};
    std::optional<orx::RadioCatalog> m_catalog;
    std::vector<FileStamp> m_catalogStamps;
};
