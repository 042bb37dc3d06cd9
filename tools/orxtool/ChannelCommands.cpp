// orxtool sort and set: the channel table of a .sin file sorted, packed, or changed in many
// channels at once, by the same code the window's "排序", "整理空信道" and "批量设置..." run, so
// that the file written is the one the window saves after the same change.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "ChannelBulk.h"
#include "ChannelEdit.h"
#include "ScreenCopy.h"
#include "Texts.h"

#include <algorithm>
#include <iterator>
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
        PrintError(Tr(res::kToolBadChannels, {*given}));
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
    // The keys in English and in the words of the window's sort menu.
    struct Key {
        std::string_view word;
        orx::SortKey key;
    };
    static constexpr Key kKeys[] = {
        {"freq", orx::SortKey::Frequency},     {"频率", orx::SortKey::Frequency},
        {"接收频率", orx::SortKey::Frequency}, {"name", orx::SortKey::Name},
        {"名称", orx::SortKey::Name},          {"number", orx::SortKey::Number},
        {"信道号", orx::SortKey::Number},
    };
    const std::string* by = invocation.option("--by");
    if (!by) {
        PrintError(Tr(res::kToolSortNeedsBy));
        return ExitBadInput;
    }
    const auto found =
        std::find_if(std::begin(kKeys), std::end(kKeys), [&](const Key& k) { return k.word == *by; });
    if (found == std::end(kKeys)) {
        PrintError(Tr(res::kToolBadSortKey, {*by}));
        return ExitBadInput;
    }
    const orx::SortKey key = found->key;
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
            PrintError(Tr(res::kToolBadOffset, {*offset}));
            return ExitBadInput;
        }
    }
    if (const std::string* tx = invocation.option("--tx")) {
        if (change.offset) {
            PrintError(Tr(res::kToolOffsetAndTx));
            return ExitBadInput;
        }
        const auto units = orx::ParseFrequencyMHz(*tx);
        if (!units || *units < orx::kLowestStorableFrequency) {
            PrintError(Tr(res::kToolBadTx, {*tx}));
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
            const std::string takes =
                c.column == orx::ColRxTone || c.column == orx::ColTxTone
                    ? Tr(res::kToolToneValues, {"none/无, 67.0 Hz/模拟:67.0 .. 254.1 Hz/模拟:254.1",
                                                "D023N/数字:023N, D023I/数字:023I .."})
                    : ChoiceValues(c.column);
            PrintError(Tr(res::kToolNotColumnValue, {c.option, *value, takes}));
            return ExitBadInput;
        }
        change.*c.field = *text;
    }
    if (const std::string* prefix = invocation.option("--name-prefix")) {
        change.namePrefix = orx::BulkNamePrefix(*prefix);
        if (!change.namePrefix) {
            PrintError(Tr(res::kToolBadNamePrefix, {*prefix}));
            return ExitBadInput;
        }
    }
    if (change.empty()) {
        PrintError(Tr(res::kToolSetNeedsValue));
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
        const char* text = left.reason == orx::LeftAloneReason::AboveBand   ? res::kToolLeftAboveBand
                           : left.reason == orx::LeftAloneReason::BelowBand ? res::kToolLeftBelowBand
                                                                            : res::kToolLeftUnderTen;
        PrintError(Tr(text, {std::to_string(left.channel), orx::BandRangeText(band)}));
    }
    return ExitRowsRefused;
}

} // namespace orxtool
