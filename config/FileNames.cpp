#include "FileNames.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // + the byte, 0x80..0xFF
constexpr char16_t kReplacement = 0xFFFD;

bool isEscapedByte(char16_t unit)
{
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at i (strict: no overlong forms, no surrogates, nothing
// beyond U+10FFFF), or 0 when the bytes there are not one.
int sequenceLength(const QByteArray& s, qsizetype i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            low = 0xA0;
        else if (b0 == 0xED)
            high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            low = 0x90;
        else if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    const auto b1 = static_cast<unsigned char>(s[i + 1]);
    if (b1 < low || b1 > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (!isContinuation(static_cast<unsigned char>(s[i + k])))
            return 0;
    }
    return length;
}

} // namespace

QString FileNameFromBytes(const QByteArray& bytes)
{
    QString name;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const int length = sequenceLength(bytes, i);
        if (length == 0) {
            name += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            name += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        }
    }
    return name;
}

QByteArray FileNameBytes(const QString& name)
{
    QByteArray bytes;
    qsizetype start = 0; // of the run of ordinary characters not yet converted
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (!isEscapedByte(unit))
            continue;
        bytes += name.mid(start, i - start).toUtf8();
        bytes += static_cast<char>(unit - kEscapeBase);
        start = i + 1;
    }
    bytes += name.mid(start).toUtf8();
    return bytes;
}

std::filesystem::path FileSystemPath(const QString& name)
{
    const QByteArray bytes = FileNameBytes(name);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString DisplayFileName(const QString& name)
{
    QString shown = name;
    for (QChar& c : shown) {
        if (isEscapedByte(c.unicode()))
            c = QChar(kReplacement);
    }
    return shown;
}
