#include "GbkText.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

orx::LegacyDecoder GbkDecoder()
{
    return [](std::string_view bytes) -> std::optional<std::string> {
        QStringDecoder decoder("GBK");
        if (!decoder.isValid())
            return std::nullopt;
        const QString text =
            decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (decoder.hasError())
            return std::nullopt;
        return text.toStdString();
    };
}
