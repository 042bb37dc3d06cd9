#include "ProgramIni.h"

#include "DecimalScale.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <vector>

namespace {

// GetPrivateProfileString fills a 260-byte buffer: one place is the terminator.
constexpr qsizetype kMaxValueLength = 259;

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

bool isBlankByte(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Only the C blanks: a full-width space in a GBK value is part of the value, as it is on Windows.
QString trimBlanks(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

enum class LineKind { Other, Comment, Section, Entry };

struct IniLine {
    QByteArray content; // the bytes of the line without its line ending
    QByteArray ending;  // "\r\n", "\n", or nothing on a last line without one
    LineKind kind = LineKind::Other;
    QString name;  // section or key name, trimmed
    QString value; // entry value, trimmed, quotes still on
};

// The file as lines of raw bytes, each also understood as a profile line. Writing changes or adds
// single lines and puts every other byte back as it was read.
struct IniFile {
    QByteArray bom;
    bool gbk = false;
    std::vector<IniLine> lines;

    QString decode(const QByteArray& bytes) const
    {
        if (!gbk)
            return QString::fromUtf8(bytes);
        QStringDecoder decoder("GBK");
        if (!decoder.isValid())
            return QString::fromLatin1(bytes);
        return decoder.decode(bytes);
    }

    // The bytes of text in the file's encoding; nothing when the encoding has no such characters.
    std::optional<QByteArray> encode(const QString& text) const
    {
        if (!gbk)
            return text.toUtf8();
        QStringEncoder encoder("GBK");
        if (!encoder.isValid())
            return std::nullopt;
        const QByteArray bytes = encoder.encode(text);
        if (encoder.hasError())
            return std::nullopt;
        return bytes;
    }

    // The line ending the file already uses; a file without one gets the platform's.
    QByteArray newline() const
    {
        for (const IniLine& line : lines) {
            if (!line.ending.isEmpty())
                return line.ending;
        }
#ifdef Q_OS_WIN
        return "\r\n";
#else
        return "\n";
#endif
    }

    QByteArray bytes() const
    {
        QByteArray out = bom;
        for (const IniLine& line : lines)
            out += line.content + line.ending;
        return out;
    }

    // Index of the first header of section, or -1.
    int findSection(const QString& section) const
    {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == LineKind::Section && sameName(lines[i].name, section))
                return static_cast<int>(i);
        }
        return -1;
    }

    // Index of the first entry of key in the section whose header is at sectionLine, or -1.
    // lastEntry receives the last entry line of the section (the header when it has none).
    int findKey(int sectionLine, const QString& key, int* lastEntry = nullptr) const
    {
        if (lastEntry)
            *lastEntry = sectionLine;
        for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < lines.size(); ++i) {
            const IniLine& line = lines[i];
            if (line.kind == LineKind::Section)
                break;
            if (line.kind != LineKind::Entry)
                continue;
            if (sameName(line.name, key))
                return static_cast<int>(i);
            if (lastEntry)
                *lastEntry = static_cast<int>(i);
        }
        return -1;
    }

    const IniLine* findEntry(const QString& section, const QString& key) const
    {
        const int s = findSection(section);
        if (s < 0)
            return nullptr;
        const int k = findKey(s, key);
        return k < 0 ? nullptr : &lines[static_cast<std::size_t>(k)];
    }
};

void classify(IniLine& line, const QString& text)
{
    const QString t = trimBlanks(text);
    if (t.startsWith(u';')) {
        line.kind = LineKind::Comment;
        return;
    }
    if (t.startsWith(u'[')) {
        const qsizetype close = t.lastIndexOf(u']');
        if (close > 0) {
            line.kind = LineKind::Section;
            line.name = trimBlanks(t.mid(1, close - 1));
            return;
        }
    }
    const qsizetype eq = t.indexOf(u'=');
    if (eq >= 0) {
        line.kind = LineKind::Entry;
        line.name = trimBlanks(t.left(eq));
        line.value = trimBlanks(t.mid(eq + 1));
    }
}

IniFile parse(QByteArray data)
{
    IniFile file;
    if (data.startsWith(kUtf8Bom)) {
        file.bom = kUtf8Bom;
        data.remove(0, kUtf8Bom.size());
    }
    // Bytes are valid UTF-8 exactly when decoding and encoding them again gives them back: every
    // invalid, overlong or cut-off sequence turns into U+FFFD on the way.
    file.gbk = QString::fromUtf8(data).toUtf8() != data;

    // '\n' is never part of a multi-byte character in UTF-8 or GBK, so splitting the bytes is safe.
    qsizetype pos = 0;
    while (pos < data.size()) {
        qsizetype end = data.indexOf('\n', pos);
        IniLine line;
        if (end < 0) {
            line.content = data.mid(pos);
            end = data.size();
        } else {
            line.content = data.mid(pos, end - pos);
            line.ending = "\n";
            if (line.content.endsWith('\r')) {
                line.content.chop(1);
                line.ending = "\r\n";
            }
            ++end;
        }
        classify(line, file.decode(line.content));
        file.lines.push_back(std::move(line));
        pos = end;
    }
    return file;
}

// Text in UTF-8 or GBK has no NUL byte (UTF-16 has one in every ASCII character), and bytes that are
// not UTF-8 must be GBK.
bool isReadableText(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return false;
    QByteArray data = bytes.startsWith(kUtf8Bom) ? bytes.mid(kUtf8Bom.size()) : bytes;
    if (QString::fromUtf8(data).toUtf8() == data)
        return true;
    QStringDecoder gbk("GBK");
    if (!gbk.isValid())
        return true; // nothing better to judge by: read it as the parser can
    (void)gbk.decode(data);
    return !gbk.hasError();
}

// The file's lines, or nothing when it exists but cannot be read, as a file or as text. A missing
// file reads as empty.
std::optional<IniFile> load(const QString& path)
{
    QFile f(path);
    if (!f.exists())
        return IniFile{};
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (!isReadableText(bytes))
        return std::nullopt;
    return parse(bytes);
}

bool existsButUnreadable(const QString& path)
{
    return QFileInfo(path).isFile() && !load(path);
}

// A value enclosed in a matching pair of double or single quotes.
bool enclosedInQuotes(const QString& v)
{
    return v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
}

// What GetPrivateProfileString hands back: a value in double or single quotes loses them, and the
// buffer holds at most 259 characters.
QString profileValue(const QString& stored)
{
    QString v = stored;
    if (enclosedInQuotes(v))
        v = v.mid(1, v.size() - 2);
    if (v.size() > kMaxValueLength) {
        qsizetype cut = kMaxValueLength;
        if (v[cut - 1].isHighSurrogate()) // never leave half a character behind
            --cut;
        v.truncate(cut);
    }
    return v;
}

// A value that reading would change (blanks at its ends, or enclosed in quotes) is written in
// quotes, so that GetString returns exactly what was written.
QString storedValue(const QString& value)
{
    const bool blankEnds = !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()));
    return blankEnds || enclosedInQuotes(value) ? u'"' + value + u'"' : value;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(u'\n') || s.contains(u'\r');
}

// Names that could not be found again after writing them are refused.
bool writableNames(const QString& section, const QString& key)
{
    if (section.isEmpty() || key.isEmpty() || hasLineBreak(section) || hasLineBreak(key))
        return false;
    if (section.contains(u']') || key.contains(u'='))
        return false;
    return !key.startsWith(u';') && !key.startsWith(u'[');
}

bool save(const QString& path, const QByteArray& bytes)
{
    QSaveFile out(path);
    // A folder that refuses new files may still hold a writable Program.ini: then write in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size())
        return false; // the unfinished copy is dropped, the file stays as it was
    return out.commit();
}

QString& systemPathStorage()
{
    static QString path = QStringLiteral(ORX_SYSTEM_PROGRAM_INI);
    return path;
}

// Where the program keeps its configuration. A Program.ini beside the executable is the program's
// own when it may be written (a build folder, a copy the user unpacked), else the installed file
// under the user's copy. Without one, an installation's system-wide file is the installed file
// (also for root, who could write into the program's folder); only a program that has neither and
// a writable folder creates its Program.ini beside itself.
struct IniLocation {
    QString path;
    QString installedPath;
};
IniLocation locate(const QString& appDirectory)
{
    const QString beside = appDirectory + QStringLiteral("Program.ini");
    const QFileInfo info(beside);
    if (info.exists()) {
        if (info.isWritable() && !existsButUnreadable(beside))
            return {beside, QString()};
        return {CProgramIni::UserCopyPath(), beside};
    }
    if (QFileInfo(CProgramIni::SystemPath()).isFile() || !QFileInfo(info.absolutePath()).isWritable())
        return {CProgramIni::UserCopyPath(), CProgramIni::SystemPath()};
    return {beside, QString()};
}

} // namespace

CProgramIni CProgramIni::InAppDirectory(const QString& appDirectory)
{
    CProgramIni ini;
    const IniLocation where = locate(appDirectory);
    ini.m_path = where.path;
    ini.m_installedPath = where.installedPath;
    for (const QString& file : ini.readOrder()) {
        if (existsButUnreadable(file)) {
            ini.m_unreadablePath = file;
            break;
        }
    }
    if (!ini.m_installedPath.isEmpty())
        QDir().mkpath(QFileInfo(ini.m_path).absolutePath());
    ini.createIfMissing();
    return ini;
}

CProgramIni::CProgramIni(const QString& path) : m_path(path)
{
    if (existsButUnreadable(m_path))
        m_unreadablePath = m_path;
    createIfMissing();
}

QString CProgramIni::UserCopyPath()
{
    // Named after the program, not after whichever executable asks: orxtool reads what orxprog wrote.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/orxprog/Program.ini");
}

QString CProgramIni::SystemPath()
{
    return systemPathStorage();
}

void CProgramIni::SetSystemPath(const QString& path)
{
    systemPathStorage() = path;
}

QStringList CProgramIni::CandidateFiles(const QString& appDirectory)
{
    return {appDirectory + QStringLiteral("Program.ini"), UserCopyPath(), SystemPath()};
}

QStringList CProgramIni::DefaultReadOrder(const QString& appDirectory)
{
    const IniLocation where = locate(appDirectory);
    QStringList files;
    for (const QString& path : {where.path, where.installedPath}) {
        if (!path.isEmpty() && QFileInfo(path).isFile())
            files << path;
    }
    return files;
}

void CProgramIni::createIfMissing() const
{
    // A missing file is created empty. NewOnly: an existing file that merely cannot be read is
    // never truncated. A folder that refuses the file is no error; reads then give defaults.
    QFile f(m_path);
    if (!f.exists())
        f.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

QStringList CProgramIni::readOrder() const
{
    return m_installedPath.isEmpty() ? QStringList{m_path} : QStringList{m_path, m_installedPath};
}

QString CProgramIni::GetString(const QString& section, const QString& key) const
{
    for (const QString& path : readOrder()) {
        const std::optional<IniFile> file = load(path);
        if (!file)
            continue;
        if (const IniLine* entry = file->findEntry(trimBlanks(section), trimBlanks(key)))
            return profileValue(entry->value);
    }
    return {};
}

bool CProgramIni::WriteString(const QString& sectionName, const QString& keyName, const QString& value)
{
    const QString section = trimBlanks(sectionName);
    const QString key = trimBlanks(keyName);
    if (!writableNames(section, key) || hasLineBreak(value))
        return false;
    std::optional<IniFile> file = load(m_path);
    if (!file) // never replace a file we could not read
        return false;
    const QByteArray before = file->bytes();
    const bool existed = QFile::exists(m_path);

    const std::optional<QByteArray> valueBytes = file->encode(storedValue(value));
    if (!valueBytes)
        return false;
    const QByteArray nl = file->newline();
    auto& lines = file->lines;

    const int sectionLine = file->findSection(section);
    int lastEntry = -1;
    const int keyLine = sectionLine < 0 ? -1 : file->findKey(sectionLine, key, &lastEntry);
    if (keyLine >= 0) {
        // Keep the line up to the value as it is (key spelling, blanks around '='). '=' and the
        // blanks are single bytes in UTF-8 and GBK alike, so the byte search is exact.
        IniLine& line = lines[static_cast<std::size_t>(keyLine)];
        qsizetype start = line.content.indexOf('=') + 1;
        while (start < line.content.size() && isBlankByte(line.content[start]))
            ++start;
        line.content = line.content.left(start) + *valueBytes;
    } else {
        const std::optional<QByteArray> keyBytes = file->encode(key);
        const std::optional<QByteArray> sectionBytes = file->encode(section);
        if (!keyBytes || !sectionBytes)
            return false;
        IniLine entry;
        entry.content = *keyBytes + '=' + *valueBytes;
        entry.ending = nl;
        // The line before the new one may be the file's last line without a line ending.
        auto endLine = [&lines, &nl](std::size_t i) {
            if (i < lines.size() && lines[i].ending.isEmpty())
                lines[i].ending = nl;
        };
        if (sectionLine >= 0) {
            const auto at = static_cast<std::size_t>(lastEntry);
            endLine(at);
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at) + 1, entry);
        } else {
            if (!lines.empty())
                endLine(lines.size() - 1);
            IniLine header;
            header.content = '[' + *sectionBytes + ']';
            header.ending = nl;
            lines.push_back(header);
            lines.push_back(entry);
        }
    }
    const QByteArray after = file->bytes();
    if (existed && after == before)
        return true;
    return save(m_path, after);
}

int CProgramIni::GetInt(const QString& section, const QString& key) const
{
    // GetPrivateProfileInt: the leading decimal integer of the value, 0 when there is none.
    return orx::LeadingInteger(GetString(section, key).toStdString());
}

bool CProgramIni::WriteInt(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

orx::RadioCatalog CProgramIni::ReadRadioCatalog() const
{
    return ReadRadioCatalog(readOrder());
}

orx::RadioCatalog CProgramIni::ReadRadioCatalog(const QStringList& readOrder)
{
    orx::RadioCatalog catalog;
    std::vector<IniFile> files;
    for (const QString& path : readOrder) {
        if (std::optional<IniFile> file = load(path))
            files.push_back(std::move(*file));
    }
    const QString section = QString::fromLatin1(kSection);
    auto value = [&](const char* format, int i) {
        for (const IniFile& file : files) {
            if (const IniLine* entry = file.findEntry(section, QString::fromLatin1(format).arg(i)))
                return profileValue(entry->value).toStdString();
        }
        return std::string();
    };
    for (int i = 0; i < orx::kMaxModels; ++i) {
        std::string model = value(kModelKeyFormat, i);
        if (model.empty())
            break;
        catalog.models.push_back(std::move(model));
    }
    for (int i = 0; i < orx::kMaxModels; ++i)
        catalog.fields[static_cast<std::size_t>(i)] = value(kBandKeyFormat, i);
    return catalog;
}
