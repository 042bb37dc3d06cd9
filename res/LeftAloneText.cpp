#include "LeftAloneText.h"

#include "ChannelEdit.h"
#include "Texts.h"
#include "Tr.h"

#include <QStringList>

namespace res {

QString LeftAloneMessage(const std::vector<orx::LeftAlone>& leftAlone, const orx::BandLimits& limits)
{
    if (leftAlone.empty())
        return QString();
    QStringList lines{Tr(kLeftAloneHeading, static_cast<int>(leftAlone.size()))};
    const QString band = FromUtf8(orx::BandRangeText(limits));
    const std::pair<orx::LeftAloneReason, const char*> reasons[] = {
        {orx::LeftAloneReason::AboveBand, kLeftAboveBand},
        {orx::LeftAloneReason::BelowBand, kLeftBelowBand},
        {orx::LeftAloneReason::NotStorable, kLeftNotStorable},
    };
    for (const auto& [reason, text] : reasons) {
        QStringList channels;
        for (const orx::LeftAlone& left : leftAlone) {
            if (left.reason == reason)
                channels << QString::number(left.channel);
        }
        if (!channels.isEmpty())
            lines << Tr(text, static_cast<int>(channels.size()))
                         .arg(band, channels.join(Tr(kCsvListSeparator)));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace res
