#pragma once

// Program.ini, the configuration file beside the executable. It is read and written with the
// meaning of a Windows profile file, because installers ship it written for that: section and key
// names match without regard to case, the first matching key wins, values are trimmed and at most
// 259 characters come back, and writing a key changes its line in place and keeps every other line
// and comment. Values may be saved as UTF-8 or as GBK (as Windows installers write them).
//
// Installed (a system-wide package: no Program.ini beside the executable, /etc/orxprog/Program.ini
// present; or a Program.ini beside it that the user cannot write), the program reads the installed
// file but keeps the user's own copy in ~/.config/orxprog/: a key found there wins, and every write
// goes there. Otherwise only the file beside the executable is used (a build folder). A Program.ini that is
// no text this class can read (UTF-16, binary) is never written to: it is read as empty, and writes go to the
// user's copy instead.
//
// This is the only class that reads or writes Program.ini.

#include "Band.h"

#include <QString>
#include <QStringList>

class CProgramIni {
public:
    // Program.ini in the program's folder appDirectory (and the user's copy when that file cannot
    // be written there); an empty file is created where writes go when there is none.
    static CProgramIni InAppDirectory(const QString& appDirectory);
    // A configuration file at an explicit path (the command-line tool's --ini, the tests).
    explicit CProgramIni(const QString& path);

    // The file that writes go to: the user's copy when there is one, else the file itself.
    const QString& path() const { return m_path; }
    // The installed file read after the user's copy, or empty when there is no user's copy.
    const QString& installedPath() const { return m_installedPath; }
    // Program.ini in the per-user configuration folder, ~/.config/orxprog/Program.ini.
    static QString UserCopyPath();
    // The system-wide Program.ini of an installation (/etc/orxprog/Program.ini under the default prefix).
    static QString SystemPath();
    static void SetSystemPath(const QString& path); // the tests' stand-in for /etc
    // The files InAppDirectory() reads, in order, found without creating anything (the command-line
    // tool reads what the program reads).
    static QStringList DefaultReadOrder(const QString& appDirectory);
    // Every file that may decide the settings of a program in appDirectory, existing or not.
    static QStringList CandidateFiles(const QString& appDirectory);
    // The model and band lists of these files, the first file that has a key winning.
    static orx::RadioCatalog ReadRadioCatalog(const QStringList& readOrder);
    // A file that exists but holds no text this class can read (UTF-16, binary), so it was left alone
    // and writes go to the user's copy; empty when there is none.
    const QString& unreadablePath() const { return m_unreadablePath; }

    // The value, or "" when the file, section or key is missing.
    QString GetString(const QString& section, const QString& key) const;
    bool WriteString(const QString& section, const QString& key, const QString& value);
    int GetInt(const QString& section, const QString& key) const;
    bool WriteInt(const QString& section, const QString& key, int value);

    // Keys of section "Setup".
    static constexpr const char* kSection = "Setup";
    static constexpr const char* kPortKey = "COM";
    static constexpr const char* kModelKeyFormat = "Type%1"; // model names, 0..19 up to the first empty
    static constexpr const char* kBandKeyFormat = "Field%1"; // band entries of model %1, ';'-separated

    // The model and band lists this file offers.
    orx::RadioCatalog ReadRadioCatalog() const;

private:
    CProgramIni() = default;
    void createIfMissing() const;
    QStringList readOrder() const;

    QString m_path;
    QString m_installedPath;
    QString m_unreadablePath;
};
