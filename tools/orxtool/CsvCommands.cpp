// orxtool csv-export and csv-import: the channel table of a .sin file as the common multi-radio
// channel CSV, and such a file applied to a .sin file as the program's import applies it.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "ChannelBulk.h"
#include "ChannelCsv.h"
#include "ChannelDataFile.h"
#include "ChannelEdit.h"
#include "GbkText.h"
#include "ScreenCopy.h"
#include "Texts.h"

#include <QString>

#include <cstdio>
#include <string>

namespace orxtool {

namespace {

// The grid columns in the English report, column 1 first; the Chinese one uses the grid's headers.
constexpr std::string_view kColumnNames[] = {"rx frequency", "tx frequency", "rx tone",   "tx tone",
                                             "busy lockout", "power",        "bandwidth", "scan add",
                                             "PTT ID",       "name"};
static_assert(std::size(kColumnNames) == orx::kDataColumnCount);

std::string columnName(orx::ChannelColumn col)
{
    if (!IsEnglish())
        return std::string(orx::kChannelHeaders[static_cast<std::size_t>(col)]);
    return std::string(kColumnNames[static_cast<std::size_t>(col - orx::kFirstDataColumn)]);
}

std::string refusalText(const orx::CsvRowResult& row, const orx::CsvImport& result)
{
    const std::string range = orx::BandRangeText(result.limits);
    const std::string& v = row.value;
    using orx::CsvRefusal;
    switch (row.refusal) {
    case CsvRefusal::BadLocation:
        if (result.numbering == orx::CsvNumbering::FromFirstChannel)
            return Tr(res::kToolPastLastChannel, {v});
        return Tr(result.numbering == orx::CsvNumbering::ShiftedFromZero ? res::kToolBadLocationFromZero
                                                                         : res::kToolBadLocation,
                  {v});
    case CsvRefusal::DuplicateLocation:
        return Tr(res::kToolDuplicateLocation, {std::to_string(row.location), std::to_string(row.firstLine)});
    case CsvRefusal::BadFrequency:
        return Tr(res::kToolBadFrequency, {v});
    case CsvRefusal::BadDuplex:
        return Tr(res::kToolBadDuplex, {v});
    case CsvRefusal::BadOffset:
        return Tr(res::kToolBadCsvOffset, {v});
    case CsvRefusal::BadToneMode:
        return Tr(res::kToolBadToneMode, {v});
    case CsvRefusal::BadCrossMode:
        return Tr(res::kToolBadCrossMode, {v});
    case CsvRefusal::BadCtcss:
        return Tr(res::kToolBadCtcss, {v});
    case CsvRefusal::BadDcs:
        return v.empty() ? Tr(res::kCsvMissingDcs) : Tr(res::kToolBadDcs, {v});
    case CsvRefusal::BadPolarity:
        return Tr(res::kToolBadPolarity, {v});
    case CsvRefusal::BadMode:
        return Tr(res::kToolBadMode, {v});
    case CsvRefusal::BadSkip:
        return Tr(res::kToolBadSkip, {v});
    case CsvRefusal::RxOutOfBand:
        return Tr(res::kToolRxOutOfBand, {v, range});
    case CsvRefusal::TxOutOfBand:
        return Tr(res::kToolTxOutOfBand, {v, range});
    case CsvRefusal::NotStorable:
        return Tr(res::kToolNotStorable, {v});
    case CsvRefusal::SerialNumberRow:
        return Tr(res::kToolSerialNumberRow, {std::to_string(row.location)});
    case CsvRefusal::None:
        break;
    }
    return Tr(res::kToolRefused);
}

std::string reportLine(const orx::CsvRowResult& row, const orx::CsvImport& result)
{
    const std::string line = std::to_string(row.line);
    const std::string channel = std::to_string(row.location);
    if (row.outcome == orx::CsvOutcome::Refused)
        return Tr(res::kToolLineRefused, {line, refusalText(row, result)});
    std::string text;
    switch (row.outcome) {
    case orx::CsvOutcome::Added:
        text = Tr(res::kToolLineAdded, {line, channel});
        break;
    case orx::CsvOutcome::Changed: {
        std::string columns;
        for (orx::ChannelColumn col : row.changed)
            columns += (columns.empty() ? "" : Tr(res::kListSeparator)) + columnName(col);
        text = Tr(res::kToolLineChanged, {line, channel, columns});
        break;
    }
    default:
        text = Tr(res::kToolLineUnchanged, {line, channel});
        break;
    }
    for (const orx::CsvAdjustment& a : row.adjustments) {
        text += Tr(a.column == orx::ColName ? res::kToolAdjustedName : res::kToolAdjustedStep,
                   {columnName(a.column), a.given, a.result});
    }
    for (const orx::CsvWarning& w : row.warnings) {
        if (w.kind == orx::CsvWarningKind::UnknownPower)
            text += Tr(res::kToolUnknownPower, {w.value});
        else
            text += Tr(res::kToolNameCut, {w.value, std::to_string(w.channel)});
    }
    return text;
}

// What is wrong with a file refused whole; name is already as messages show it.
std::string problemText(const orx::CsvImport& result, const std::string& name)
{
    const std::string line = std::to_string(result.problemLine);
    switch (result.problem) {
    case orx::CsvProblem::TooLarge:
        return Tr(res::kToolCsvTooLarge, {name, std::to_string(orx::kCsvFileSizeLimit / (1024 * 1024))});
    case orx::CsvProblem::NotText:
        return Tr(res::kToolCsvNotText, {name});
    case orx::CsvProblem::BrokenUtf8:
        return Tr(res::kToolCsvBrokenUtf8, {name, line});
    case orx::CsvProblem::UnterminatedQuote:
        return Tr(res::kToolCsvOpenQuote, {name, line});
    case orx::CsvProblem::NoHeader:
        return Tr(res::kToolCsvEmpty, {name});
    case orx::CsvProblem::MissingColumn:
        return Tr(res::kToolCsvNoColumn, {name, result.missingColumn});
    case orx::CsvProblem::None:
        break;
    }
    return {};
}

} // namespace

int RunCsvExport(const Invocation& invocation)
{
    orx::RadioImage image;
    if (!LoadInput(invocation.arguments.at(0), image))
        return ExitBadInput;
    orx::BandLimits limits;
    orx::ScreenCopy screen;
    orx::ImageToScreen(image, {}, limits, screen);
    return WriteOutput(invocation.arguments.at(1), orx::ExportChannelCsv(screen.channels.allTexts()))
               ? ExitOk
               : ExitOutputFailed;
}

int RunCsvImport(const Invocation& invocation)
{
    const std::string& csvPath = invocation.arguments.at(1);
    const std::string& out = invocation.arguments.at(2);
    if (RefuseBinaryToTerminal(out))
        return ExitBadInput;
    orx::RadioCatalog catalog;
    orx::RadioImage image;
    if (!LoadWithCatalog(invocation, 0, image, catalog))
        return ExitBadInput;
    // One byte beyond the limit is enough to refuse a file; /dev/zero is not read to its end.
    std::string bytes;
    if (!ReadInput(csvPath, orx::kCsvFileSizeLimit + 1, bytes))
        return ExitBadInput;

    // As in the program: the file is opened (which may set the band limits from its band id), the
    // CSV goes into the grid under those limits, and the grid is saved.
    orx::BandLimits limits;
    orx::ScreenCopy screen;
    orx::ImageToScreen(image, catalog, limits, screen);
    orx::CsvPlacement placement;
    if (const std::string* first = invocation.option("--first-channel")) {
        const auto list = orx::ParseChannelList(*first);
        if (!list || list->size() != 1 || first->find('-') != std::string::npos) {
            PrintError(Tr(res::kToolBadFirstChannel, {*first}));
            return ExitBadInput;
        }
        placement = orx::PlacementFrom(screen.channels, list->front());
    }
    orx::CsvImport result =
        orx::ImportChannelCsvFile(bytes, screen.channels.allTexts(), limits, GbkDecoder(), placement);
    if (result.problem != orx::CsvProblem::None) {
        PrintError(Tr(res::kToolNothingWritten, {problemText(result, Quoted(csvPath))}));
        return ExitBadInput;
    }
    orx::ApplyCsvImport(result, screen.channels);
    // The report goes where the .sin file does not.
    // --quiet keeps only the refused rows, which are errors of the file.
    std::FILE* report = IsStdStream(out) || Quiet() ? stderr : stdout;
    if (!Quiet() && result.numbering == orx::CsvNumbering::ShiftedFromZero)
        std::fprintf(report, "%s\n", Tr(res::kToolCountsFromZero).c_str());
    if (!Quiet() && result.numbering == orx::CsvNumbering::FromFirstChannel)
        std::fprintf(report, "%s\n",
                     Tr(res::kToolLocationIgnored, {std::to_string(result.firstChannel)}).c_str());
    for (const orx::CsvRowResult* row : result.reportOrder()) {
        if (!Quiet() || row->outcome == orx::CsvOutcome::Refused)
            std::fprintf(report, "%s\n", reportLine(*row, result).c_str());
    }
    if (!Quiet())
        std::fprintf(report, "%s\n",
                     Tr(res::kToolCsvSummary, {std::to_string(result.count(orx::CsvOutcome::Added)),
                                               std::to_string(result.count(orx::CsvOutcome::Changed)),
                                               std::to_string(result.count(orx::CsvOutcome::Unchanged)),
                                               std::to_string(result.count(orx::CsvOutcome::Refused))})
                         .c_str());
    std::fflush(report);

    orx::RadioImage saved = image;
    orx::ScreenToImage(screen, limits, saved);
    if (!SaveOutput(out, saved))
        return ExitOutputFailed;
    return result.count(orx::CsvOutcome::Refused) > 0 ? ExitRowsRefused : ExitOk;
}

} // namespace orxtool
