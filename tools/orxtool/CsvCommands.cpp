// orxtool csv-export and csv-import: the channel table of a .sin file as the common multi-radio
// channel CSV, and such a file applied to a .sin file as the program's import applies it.

#include "Commands.h"
#include "ToolSupport.h"

#include "ChannelBulk.h"
#include "ChannelCsv.h"
#include "ChannelDataFile.h"
#include "ChannelEdit.h"
#include "GbkText.h"
#include "ScreenCopy.h"

#include <QString>

#include <cstdio>
#include <string>

namespace orxtool {

namespace {

// The grid columns in the report, column 1 first.
constexpr std::string_view kColumnNames[] = {"rx frequency", "tx frequency", "rx tone",   "tx tone",
                                             "busy lockout", "power",        "bandwidth", "scan add",
                                             "PTT ID",       "name"};
static_assert(std::size(kColumnNames) == orx::kDataColumnCount);

std::string_view columnName(orx::ChannelColumn col)
{
    return kColumnNames[static_cast<std::size_t>(col - orx::kFirstDataColumn)];
}

std::string refusalText(const orx::CsvRowResult& row, const orx::CsvImport& result)
{
    const orx::BandLimits& limits = result.limits;
    const std::string v = "'" + row.value + "'";
    using orx::CsvRefusal;
    switch (row.refusal) {
    case CsvRefusal::BadLocation:
        if (result.numbering == orx::CsvNumbering::FromFirstChannel)
            return "it would go to channel " + row.value + ", past the last channel (128)";
        return "Location " + v + " is not a channel from " +
               (result.numbering == orx::CsvNumbering::ShiftedFromZero ? "0 to 127 (the file counts from 0)"
                                                                       : "1 to 128");
    case CsvRefusal::DuplicateLocation:
        return "channel " + std::to_string(row.location) + " was already set by line " +
               std::to_string(row.firstLine);
    case CsvRefusal::BadFrequency:
        return "Frequency " + v + " is not a receive frequency";
    case CsvRefusal::BadDuplex:
        return "Duplex " + v + " is none of '', '+', '-', 'split', 'off'";
    case CsvRefusal::BadOffset:
        return "Offset " + v + " gives no transmit frequency";
    case CsvRefusal::BadToneMode:
        return "Tone " + v + " is none of '', 'Tone', 'TSQL', 'DTCS', 'Cross'";
    case CsvRefusal::BadCrossMode:
        return "CrossMode " + v + " is not understood";
    case CsvRefusal::BadCtcss:
        return "CTCSS tone " + v + " is not a standard tone";
    case CsvRefusal::BadDcs:
        if (row.value.empty())
            return "the DTCS tone has no code (DtcsCode is empty)";
        return "DCS code " + v + " is not a standard code";
    case CsvRefusal::BadPolarity:
        return "DtcsPolarity " + v + " is none of NN, NR, RN, RR";
    case CsvRefusal::BadMode:
        return "Mode " + v + " is neither FM nor NFM";
    case CsvRefusal::BadSkip:
        return "Skip " + v + " is neither '' nor 'S'";
    case CsvRefusal::RxOutOfBand:
        return "receive frequency " + row.value + " is outside the band " + orx::BandRangeText(limits);
    case CsvRefusal::TxOutOfBand:
        return "transmit frequency " + row.value + " is outside the band " + orx::BandRangeText(limits);
    case CsvRefusal::NotStorable:
        return "frequency " + row.value + " is below 10 MHz, which a channel cannot hold";
    case CsvRefusal::SerialNumberRow:
        return "channel " + std::to_string(row.location) + " holds the serial number";
    case CsvRefusal::None:
        break;
    }
    return "refused";
}

std::string reportLine(const orx::CsvRowResult& row, const orx::CsvImport& result)
{
    std::string line = "line " + std::to_string(row.line) + ": ";
    if (row.outcome == orx::CsvOutcome::Refused)
        return line + "refused: " + refusalText(row, result);
    line += "channel " + std::to_string(row.location) + " ";
    switch (row.outcome) {
    case orx::CsvOutcome::Added:
        line += "added";
        break;
    case orx::CsvOutcome::Changed: {
        line += "changed:";
        const char* separator = " ";
        for (orx::ChannelColumn col : row.changed) {
            line += separator + std::string(columnName(col));
            separator = ", ";
        }
        break;
    }
    default:
        line += "unchanged";
        break;
    }
    for (const orx::CsvAdjustment& a : row.adjustments) {
        const std::string why = a.column == orx::ColName ? "" : " (off the 5 / 6.25 kHz steps)";
        line +=
            "; " + std::string(columnName(a.column)) + " '" + a.given + "' became '" + a.result + "'" + why;
    }
    for (const orx::CsvWarning& w : row.warnings) {
        if (w.kind == orx::CsvWarningKind::UnknownPower)
            line += "; warning: power level '" + w.value + "' taken as high";
        else
            line +=
                "; warning: name cut to '" + w.value + "', the name of channel " + std::to_string(w.channel);
    }
    return line;
}

// What is wrong with a file refused whole; name is already as messages show it.
std::string problemText(const orx::CsvImport& result, const std::string& name)
{
    switch (result.problem) {
    case orx::CsvProblem::TooLarge:
        return name + " is larger than " + std::to_string(orx::kCsvFileSizeLimit / (1024 * 1024)) +
               " MiB, which no channel file is";
    case orx::CsvProblem::NotText:
        return name + " is neither UTF-8 nor GBK text";
    case orx::CsvProblem::BrokenUtf8:
        return name + " begins with a UTF-8 byte-order mark, but line " + std::to_string(result.problemLine) +
               " is not UTF-8";
    case orx::CsvProblem::UnterminatedQuote:
        return name + ": the quote on line " + std::to_string(result.problemLine) + " is never closed";
    case orx::CsvProblem::NoHeader:
        return name + " is empty";
    case orx::CsvProblem::MissingColumn:
        return name + " has no " + result.missingColumn + " column";
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
            PrintError("--first-channel '" + *first + "' is not a channel from 1 to 128");
            return ExitBadInput;
        }
        placement = orx::PlacementFrom(screen.channels, list->front());
    }
    orx::CsvImport result =
        orx::ImportChannelCsvFile(bytes, screen.channels.allTexts(), limits, GbkDecoder(), placement);
    if (result.problem != orx::CsvProblem::None) {
        PrintError(problemText(result, Quoted(csvPath)) + "; nothing written");
        return ExitBadInput;
    }
    orx::ApplyCsvImport(result, screen.channels);
    // The report goes where the .sin file does not.
    // --quiet keeps only the refused rows, which are errors of the file.
    std::FILE* report = IsStdStream(out) || Quiet() ? stderr : stdout;
    if (!Quiet() && result.numbering == orx::CsvNumbering::ShiftedFromZero)
        std::fprintf(report,
                     "the file counts its locations from 0: every row goes to the channel after it\n");
    if (!Quiet() && result.numbering == orx::CsvNumbering::FromFirstChannel)
        std::fprintf(report, "the Location column is ignored: the rows go to the channels from %d on\n",
                     result.firstChannel);
    for (const orx::CsvRowResult* row : result.reportOrder()) {
        if (!Quiet() || row->outcome == orx::CsvOutcome::Refused)
            std::fprintf(report, "%s\n", reportLine(*row, result).c_str());
    }
    if (!Quiet())
        std::fprintf(report, "added %d, changed %d, unchanged %d, refused %d\n",
                     result.count(orx::CsvOutcome::Added), result.count(orx::CsvOutcome::Changed),
                     result.count(orx::CsvOutcome::Unchanged), result.count(orx::CsvOutcome::Refused));
    std::fflush(report);

    orx::RadioImage saved = image;
    orx::ScreenToImage(screen, limits, saved);
    if (!SaveOutput(out, saved))
        return ExitOutputFailed;
    return result.count(orx::CsvOutcome::Refused) > 0 ? ExitRowsRefused : ExitOk;
}

} // namespace orxtool
