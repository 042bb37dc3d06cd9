// orxtool sort and set: the channel table of a .sin file sorted, packed, or changed in many
// channels at once, by the same code the window's "排序", "整理空信道" and "批量设置..." run, so
// that the file written is the one the window saves after the same change.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "ChannelBulk.h"
#include "ChannelEdit.h"
#include "ScreenCopy.h"

#include <numeric>
#include <span>
#include <string>

namespace orxtool {

namespace {

// The channels the command works on: --channels, or all of them.
bool channelsOf(const Invocation& invocation, std::vector<int>& rows)
{
    const std::string* given = invocation.option("--channels");
    if (!given) {
        rows.resize(orx::ChannelEntryTable::kCount);
        std::iota(rows.begin(), rows.end(), 1);
        return true;
    }
    const auto list = orx::ParseChannelList(*given);
    if (!list) {
        PrintError("--channels '" + *given +
                   "' is not a list of channels from 1 to 128 (for example 1-16,20)");
        return false;
    }
    rows = *list;
    return true;
}

// The file as the program opens it, a change of its channel table, and the file it then saves.
template <class Change> int changeChannels(const Invocation& invocation, Change change)
{
    const std::string& out = invocation.arguments.at(1);
    if (RefuseBinaryToTerminal(out))
        return ExitBadInput;
    orx::RadioCatalog catalog;
    orx::RadioImage image;
    if (!LoadWithCatalog(invocation, 0, image, catalog))
        return ExitBadInput;
    orx::BandLimits limits;
    orx::ScreenCopy screen;
    orx::ImageToScreen(image, catalog, limits, screen);
    change(screen.channels, limits);
    orx::RadioImage saved = image;
    orx::ScreenToImage(screen, limits, saved);
    return SaveOutput(out, saved) ? ExitOk : ExitOutputFailed;
}

} // namespace

int RunSort(const Invocation& invocation)
{
    const std::string* by = invocation.option("--by");
    orx::SortKey key = orx::SortKey::Frequency;
    if (!by) {
        PrintError("sort needs --by freq, name or number");
        return ExitBadInput;
    }
    if (*by == "freq")
        key = orx::SortKey::Frequency;
    else if (*by == "name")
        key = orx::SortKey::Name;
    else if (*by == "number")
        key = orx::SortKey::Number;
    else {
        PrintError("--by '" + *by + "' is none of freq, name, number");
        return ExitBadInput;
    }
    std::vector<int> rows;
    if (!channelsOf(invocation, rows))
        return ExitBadInput;
    const bool descending = invocation.flag("--descending");
    return changeChannels(invocation, [&](orx::ChannelEntryTable& table, const orx::BandLimits&) {
        orx::SortChannels(table, rows, key, descending);
    });
}

int RunSet(const Invocation& invocation)
{
    std::vector<int> rows;
    if (!channelsOf(invocation, rows))
        return ExitBadInput;

    orx::BulkChange change;
    if (const std::string* offset = invocation.option("--offset")) {
        change.offset = orx::ParseOffsetText(*offset);
        if (!change.offset) {
            PrintError("--offset '" + *offset + "' is not +MHZ, -MHZ or 0 (for example -0.6, +5)");
            return ExitBadInput;
        }
    }
    if (const std::string* tx = invocation.option("--tx")) {
        if (change.offset) {
            PrintError("--offset and --tx both set the transmit frequency; give one of them");
            return ExitBadInput;
        }
        const auto units = orx::ParseFrequencyMHz(*tx);
        if (!units || *units < orx::kLowestStorableFrequency) {
            PrintError("--tx '" + *tx + "' is not a transmit frequency in MHz");
            return ExitBadInput;
        }
        change.offset = orx::OffsetChoice{orx::Duplex::Split, *units};
    }

    struct Column {
        const char* option;
        orx::ChannelColumn column;
        std::optional<std::string> orx::BulkChange::*field;
    };
    static constexpr Column kColumns[] = {
        {"--rx-tone", orx::ColRxTone, &orx::BulkChange::rxTone},
        {"--tx-tone", orx::ColTxTone, &orx::BulkChange::txTone},
        {"--busy-lockout", orx::ColBusyLockout, &orx::BulkChange::busyLockout},
        {"--power", orx::ColPower, &orx::BulkChange::power},
        {"--bandwidth", orx::ColBandwidth, &orx::BulkChange::bandwidth},
        {"--scan-add", orx::ColScanAdd, &orx::BulkChange::scanAdd},
        {"--ptt-id", orx::ColPttId, &orx::BulkChange::pttId},
    };
    for (const Column& c : kColumns) {
        const std::string* value = invocation.option(c.option);
        if (!value)
            continue;
        const auto text = orx::BulkCellText(c.column, GridValue(c.column, *value));
        if (!text) {
            const std::string takes = c.column == orx::ColRxTone || c.column == orx::ColTxTone
                                          ? "none/无, 67.0 Hz/模拟:67.0 .. 254.1 Hz/模拟:254.1 (standard "
                                            "tones), D023N/数字:023N, D023I/数字:023I .."
                                          : ChoiceValues(c.column);
            PrintError(std::string(c.option) + " '" + *value + "' is not a value of that column (" + takes +
                       ")");
            return ExitBadInput;
        }
        change.*c.field = *text;
    }
    if (const std::string* prefix = invocation.option("--name-prefix")) {
        change.namePrefix = orx::BulkNamePrefix(*prefix);
        if (!change.namePrefix) {
            PrintError("--name-prefix '" + *prefix +
                       "' holds characters a name cannot store (0-9, A-Z, '-' and space, at most 8)");
            return ExitBadInput;
        }
    }
    if (change.empty()) {
        PrintError("set needs at least one value to set (--offset, --tx, --power, ...)");
        return ExitBadInput;
    }
    // Channels whose transmit frequency would leave the band keep what they had; the others are
    // written, and the ones left alone are listed as csv-import lists its refused rows.
    std::vector<orx::LeftAlone> leftAlone;
    orx::BandLimits band;
    const int status =
        changeChannels(invocation, [&](orx::ChannelEntryTable& table, const orx::BandLimits& limits) {
            orx::ApplyBulkChange(table, rows, change, limits, &leftAlone);
            band = limits;
        });
    if (status != ExitOk || leftAlone.empty())
        return status;
    for (const orx::LeftAlone& left : leftAlone) {
        const char* why = left.reason == orx::LeftAloneReason::AboveBand   ? "above the band "
                          : left.reason == orx::LeftAloneReason::BelowBand ? "below the band "
                                                                           : "below 10 MHz, under the band ";
        PrintError("channel " + std::to_string(left.channel) +
                   " left as it was: its transmit frequency would be " + why + orx::BandRangeText(band));
    }
    return ExitRowsRefused;
}

} // namespace orxtool
