#pragma once

// The one way a text of the program reaches the screen: the Chinese source text, looked up in the
// language the user chose (res/i18n/orxprog_*.ts). Every text shares one context, so the same
// Chinese words get the same translation wherever they are shown.

#include <QCoreApplication>
#include <QString>

#include <string_view>

namespace res {

inline constexpr const char* kTrContext = "orxprog";

// The shown text of a source text; an empty text for nullptr.
inline QString Tr(const char* source)
{
    return source ? QCoreApplication::translate(kTrContext, source) : QString();
}

// A text with %n in the plural form that n takes in the shown language ("1 channel", "2 channels");
// %n becomes n.
inline QString Tr(const char* source, int n)
{
    return QCoreApplication::translate(kTrContext, source, nullptr, n);
}

inline QString Tr(std::string_view source)
{
    // translate() wants a terminated string; the views of the image library's tables are literals
    // but need not say so.
    const std::string text(source);
    return QCoreApplication::translate(kTrContext, text.c_str());
}

// UTF-8 text of the image library (grid texts, names, reports) as a QString, untranslated.
inline QString FromUtf8(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace res
