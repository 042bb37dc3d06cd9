#pragma once

// Small helpers shared by the image tests: bytes written as hex in the test tables, and the
// UTF-8 std::string texts of the codecs shown as QString in failure messages.

#include "RadioImage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

inline QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

inline std::string s(const QString& q)
{
    return q.toStdString();
}

// "00 25 51 14" -> bytes
inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QByteArray imageBytes(const orx::RadioImage& image, std::size_t offset, std::size_t length)
{
    const auto span = image.bytes(offset, length);
    return QByteArray(reinterpret_cast<const char*>(span.data()), static_cast<qsizetype>(span.size()));
}

inline void putBytes(orx::RadioImage& image, std::size_t offset, const QByteArray& bytes)
{
    for (qsizetype k = 0; k < bytes.size(); ++k)
        image.set(offset + static_cast<std::size_t>(k), static_cast<std::uint8_t>(bytes[k]));
}
