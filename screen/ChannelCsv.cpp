#include "ChannelCsv.h"

#include "ChannelBulk.h"

#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "Csv.h"
#include "DecimalScale.h"
#include "ToneChoice.h"
#include "Tones.h"

#include <algorithm>
#include <map>
#include <span>

namespace orx {

namespace {

// The columns, named as in kCsvColumns.
enum CsvColumn : int {
    CsvLocation,
    CsvName,
    CsvFrequency,
    CsvDuplex,
    CsvOffset,
    CsvTone,
    CsvRToneFreq,
    CsvCToneFreq,
    CsvDtcsCode,
    CsvDtcsPolarity,
    CsvRxDtcsCode,
    CsvCrossMode,
    CsvMode,
    CsvTStep,
    CsvSkip,
    CsvPower,
    CsvColumnCount = static_cast<int>(kCsvColumns.size()),
};

// Frequencies in a file can be any size; beyond this (1000 GHz) they only need to stay outside
// every band, and sums of two of them must not overflow.
constexpr std::int64_t kHugeFrequency = 100000000000;
// The codec stores eight BCD digits.
constexpr std::int64_t kLargestStoredFrequency = 99999999;
// Power figures in watts from this on (in 0.1 W) are high power.
constexpr std::int64_t kHighPowerTenthsOfWatt = 20;

constexpr std::string_view kModeWide = "FM";
constexpr std::string_view kModeNarrow = "NFM";
constexpr std::string_view kStep5 = "5.00";
constexpr std::string_view kStep625 = "6.25";
constexpr std::string_view kSkipNotScanned = "S";
constexpr std::string_view kPowerHigh = "High";
constexpr std::string_view kPowerLow = "Low";
// Power levels read without a doubt, in capitals; any other level is taken as high power.
constexpr std::string_view kClearlyHigh[] = {"HIGH", "HI", "H"};
constexpr std::string_view kClearlyLow[] = {"LOW", "LO", "L"};
constexpr std::string_view kCrossArrow = "->";

constexpr int kFrequencyDecimals = 6;

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upper(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), asciiUpper);
    return out;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool isDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits with at most one decimal point and at least one digit: "145", "145.00625", ".5".
bool isDecimal(std::string_view s)
{
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos)
        return isDigits(s);
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = s.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return false;
    return (whole.empty() || isDigits(whole)) && (fraction.empty() || isDigits(fraction));
}

std::int64_t frequencyUnits(std::string_view mhz)
{
    return std::min(DecimalScale(LeadingNumber(mhz), kFrequencyShift), kHugeFrequency);
}

std::string csvFrequency(std::int64_t units)
{
    return FormatScaled(units, kFrequencyShift, kFrequencyDecimals);
}

// What saving stores of a row, read back: the texts the radio would show.
ChannelTexts storedTexts(int channel, const ChannelTexts& row)
{
    RadioImage scratch;
    EncodeChannel(row, channel, scratch);
    return DecodeChannel(scratch, channel);
}

std::int64_t storedFrequency(const std::string& text)
{
    if (text.empty())
        return 0;
    return std::min(DecimalScale(LeadingNumber(text), kFrequencyShift), kLargestStoredFrequency);
}

bool sameCtcss(const ToneChoice& a, const ToneChoice& b)
{
    return DecimalScale(LeadingNumber(a.value), kToneShift) ==
           DecimalScale(LeadingNumber(b.value), kToneShift);
}

bool isDcs(const ToneChoice& t)
{
    return t.mode == ToneDcsNormal || t.mode == ToneDcsInverted;
}

std::string dcsField(const ToneChoice& t)
{
    std::string code = t.value;
    if (code.size() < 3)
        code.insert(0, 3 - code.size(), '0');
    return code;
}

char polarityLetter(const ToneChoice& t)
{
    return t.mode == ToneDcsInverted ? 'R' : 'N';
}

// The tone fields of a channel: Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode,
// CrossMode. The simplest mode that says both tones exactly; placeholders where a mode has no use.
std::array<std::string, 7> toneFields(const ToneChoice& tx, const ToneChoice& rx)
{
    std::string mode;
    std::string rTone(kCsvCtcssPlaceholder);
    std::string cTone(kCsvCtcssPlaceholder);
    std::string dtcs(kCsvDcsPlaceholder);
    std::string rxDtcs(kCsvDcsPlaceholder);
    std::string cross(kCsvCrossModePlaceholder);
    const std::string polarity{polarityLetter(tx), polarityLetter(rx)};

    if (tx.mode == ToneNone && rx.mode == ToneNone) {
        // no tone either way
    } else if (tx.mode == ToneCtcss && rx.mode == ToneNone) {
        mode = "Tone";
        rTone = tx.value;
    } else if (tx.mode == ToneCtcss && rx.mode == ToneCtcss && sameCtcss(tx, rx)) {
        mode = "TSQL";
        cTone = rx.value;
    } else if (isDcs(tx) && isDcs(rx) && LeadingInteger(tx.value) == LeadingInteger(rx.value)) {
        mode = "DTCS";
        dtcs = dcsField(tx);
    } else {
        mode = "Cross";
        std::string out;
        if (tx.mode == ToneCtcss) {
            out = "Tone";
            rTone = tx.value;
        } else if (isDcs(tx)) {
            out = "DTCS";
            dtcs = dcsField(tx);
        }
        std::string in;
        if (rx.mode == ToneCtcss) {
            in = "Tone";
            cTone = rx.value;
        } else if (isDcs(rx)) {
            in = "DTCS";
            rxDtcs = dcsField(rx);
        }
        cross = out + std::string(kCrossArrow) + in;
    }
    return {mode, rTone, cTone, dtcs, polarity, rxDtcs, cross};
}

// --- import ---

struct Layout {
    std::array<int, CsvColumnCount> index{};

    bool has(CsvColumn c) const { return index[static_cast<std::size_t>(c)] >= 0; }
    std::string_view field(const CsvRecord& record, CsvColumn c) const
    {
        const int i = index[static_cast<std::size_t>(c)];
        if (i < 0 || static_cast<std::size_t>(i) >= record.fields.size())
            return {};
        return record.fields[static_cast<std::size_t>(i)];
    }
};

Layout readHeader(const CsvRecord& header)
{
    Layout layout;
    layout.index.fill(-1);
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = upper(trim(header.fields[i]));
        for (int c = 0; c < CsvColumnCount; ++c) {
            // The first column of a name counts; a repeated one is ignored like an unknown one.
            if (layout.index[static_cast<std::size_t>(c)] < 0 &&
                name == upper(kCsvColumns[static_cast<std::size_t>(c)]))
                layout.index[static_cast<std::size_t>(c)] = static_cast<int>(i);
        }
    }
    return layout;
}

bool isBlankRecord(const CsvRecord& record)
{
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& f) { return trim(f).empty(); });
}

// Refusing a row: the reason and the field that caused it.
struct Refusal {
    CsvRefusal reason = CsvRefusal::None;
    std::string value;
};

std::optional<std::string_view> standardCtcss(std::string_view field)
{
    field = trim(field);
    if (!isDecimal(field))
        return std::nullopt;
    const std::int64_t tenths = DecimalScale(LeadingNumber(field), kToneShift);
    for (std::string_view tone : CtcssTones) {
        if (DecimalScale(LeadingNumber(tone), kToneShift) == tenths)
            return tone;
    }
    return std::nullopt;
}

std::optional<std::string_view> standardDcs(std::string_view field)
{
    field = trim(field);
    if (!isDigits(field) || field.size() > 4)
        return std::nullopt;
    const int code = LeadingInteger(field);
    for (std::string_view entry : DcsCodes) {
        if (LeadingInteger(entry) == code)
            return entry;
    }
    return std::nullopt;
}

struct ToneResult {
    ToneChoice tx;
    ToneChoice rx;
};

// One side of a tone: "" none, "TONE" a CTCSS field, "DTCS" a DCS field with its polarity letter.
bool toneSide(std::string_view kind, std::string_view ctcss, std::string_view dcs, char polarity,
              ToneChoice& out, Refusal& refusal)
{
    if (kind.empty()) {
        out = {};
        return true;
    }
    if (kind == "TONE") {
        const auto tone = standardCtcss(ctcss);
        if (!tone) {
            refusal = {CsvRefusal::BadCtcss, std::string(ctcss)};
            return false;
        }
        out = {ToneCtcss, std::string(*tone)};
        return true;
    }
    const auto code = standardDcs(dcs);
    if (!code) {
        refusal = {CsvRefusal::BadDcs, std::string(dcs)};
        return false;
    }
    out = {polarity == 'R' ? ToneDcsInverted : ToneDcsNormal, std::string(*code)};
    return true;
}

bool readTones(const Layout& layout, const CsvRecord& record, ToneResult& out, Refusal& refusal)
{
    const std::string mode = upper(trim(layout.field(record, CsvTone)));
    const std::string_view rTone = layout.field(record, CsvRToneFreq);
    const std::string_view cTone = layout.field(record, CsvCToneFreq);
    const std::string_view dtcs = layout.field(record, CsvDtcsCode);
    // Older files have one DCS code for both directions.
    const std::string_view rxDtcs = layout.has(CsvRxDtcsCode) ? layout.field(record, CsvRxDtcsCode) : dtcs;

    std::string kinds[2]; // transmit, receive
    if (mode.empty()) {
        out = {};
        return true;
    }
    if (mode == "TONE") {
        kinds[0] = "TONE";
    } else if (mode == "TSQL") {
        kinds[0] = kinds[1] = "TONE";
    } else if (mode == "DTCS") {
        kinds[0] = kinds[1] = "DTCS";
    } else if (mode == "CROSS") {
        const std::string cross = layout.has(CsvCrossMode) ? upper(trim(layout.field(record, CsvCrossMode)))
                                                           : upper(kCsvCrossModePlaceholder);
        const std::size_t arrow = cross.find(kCrossArrow);
        if (arrow == std::string::npos) {
            refusal = {CsvRefusal::BadCrossMode, std::string(layout.field(record, CsvCrossMode))};
            return false;
        }
        kinds[0] = std::string(trim(std::string_view(cross).substr(0, arrow)));
        kinds[1] = std::string(trim(std::string_view(cross).substr(arrow + kCrossArrow.size())));
        for (const std::string& k : kinds) {
            if (!k.empty() && k != "TONE" && k != "DTCS") {
                refusal = {CsvRefusal::BadCrossMode, std::string(layout.field(record, CsvCrossMode))};
                return false;
            }
        }
    } else {
        refusal = {CsvRefusal::BadToneMode, std::string(layout.field(record, CsvTone))};
        return false;
    }

    std::string polarity = upper(trim(layout.field(record, CsvDtcsPolarity)));
    if (polarity.empty())
        polarity = "NN";
    const bool usesDcs = kinds[0] == "DTCS" || kinds[1] == "DTCS";
    if (usesDcs && (polarity.size() != 2 || (polarity[0] != 'N' && polarity[0] != 'R') ||
                    (polarity[1] != 'N' && polarity[1] != 'R'))) {
        refusal = {CsvRefusal::BadPolarity, std::string(layout.field(record, CsvDtcsPolarity))};
        return false;
    }
    if (mode == "TSQL") // one tone both ways: cToneFreq
        return toneSide(kinds[0], cTone, dtcs, 'N', out.tx, refusal) &&
               toneSide(kinds[1], cTone, dtcs, 'N', out.rx, refusal);
    if (mode == "DTCS") // one code both ways: DtcsCode
        return toneSide(kinds[0], rTone, dtcs, polarity[0], out.tx, refusal) &&
               toneSide(kinds[1], cTone, dtcs, polarity[1], out.rx, refusal);
    const char txPolarity = usesDcs ? polarity[0] : 'N';
    const char rxPolarity = usesDcs ? polarity[1] : 'N';
    return toneSide(kinds[0], rTone, dtcs, txPolarity, out.tx, refusal) &&
           toneSide(kinds[1], cTone, rxDtcs, rxPolarity, out.rx, refusal);
}

// The new texts of a row that the file sets, or the refusal.
struct RowPlan {
    std::optional<ChannelTexts> texts;
    Refusal refusal;
    std::vector<CsvAdjustment> adjustments;
    std::vector<CsvWarning> warnings;
    bool nameCut = false; // the file's name was cut or reduced to fit the radio
};

bool isOneOf(std::string_view value, std::span<const std::string_view> list)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The Power field as the radio's two levels; a level nobody can read as low is high (a radio
// whose high power is too strong is safer than one that stays silent), and warned about.
std::string_view readPower(std::string_view field, std::vector<CsvWarning>& warnings)
{
    const std::string p = upper(trim(field));
    if (isOneOf(p, kClearlyHigh))
        return text::kHigh;
    if (isOneOf(p, kClearlyLow))
        return text::kLow;
    std::string_view figure = p;
    if (!figure.empty() && figure.back() == 'W')
        figure = trim(figure.substr(0, figure.size() - 1));
    if (isDecimal(figure))
        return DecimalScale(LeadingNumber(figure), kToneShift) >= kHighPowerTenthsOfWatt ? text::kHigh
                                                                                         : text::kLow;
    warnings.push_back({CsvWarningKind::UnknownPower, std::string(trim(field)), 0});
    return text::kHigh;
}

RowPlan planRow(const Layout& layout, const CsvRecord& record, const ChannelTexts& before,
                const BandLimits& limits)
{
    RowPlan plan;
    auto refuse = [&plan](CsvRefusal reason, std::string_view value) {
        plan.refusal = {reason, std::string(value)};
        return plan;
    };

    // Receive frequency: in the band, rounded to a channel step as the frequency editor rounds.
    const std::string_view rxField = trim(layout.field(record, CsvFrequency));
    if (!isDecimal(rxField) || frequencyUnits(rxField) <= 0)
        return refuse(CsvRefusal::BadFrequency, layout.field(record, CsvFrequency));
    const std::int64_t rxUnits = frequencyUnits(rxField);
    const ForeignFrequencyCheck rx = CheckForeignFrequency(rxUnits, limits);
    if (rx.verdict == ForeignFrequency::OutOfBand)
        return refuse(CsvRefusal::RxOutOfBand, rxField);
    if (rx.verdict == ForeignFrequency::NotStorable)
        return refuse(CsvRefusal::NotStorable, rxField);
    const std::string rxText = rx.text;
    if (rx.verdict == ForeignFrequency::Rounded)
        plan.adjustments.push_back({ColRxFrequency, csvFrequency(rxUnits), rxText});

    // Transmit frequency from Duplex and Offset, computed from the file's values and then put
    // through the same rule, as if typed into the transmit cell.
    std::optional<std::string> txText; // nothing: the file does not say
    if (layout.has(CsvDuplex)) {
        const std::string duplex = upper(trim(layout.field(record, CsvDuplex)));
        const std::string_view offsetField = trim(layout.field(record, CsvOffset));
        std::int64_t txUnits = 0;
        if (duplex.empty()) {
            txUnits = rxUnits;
        } else if (duplex == "+" || duplex == "-" || duplex == "SPLIT") {
            if (!isDecimal(offsetField))
                return refuse(CsvRefusal::BadOffset, layout.field(record, CsvOffset));
            const std::int64_t offset = frequencyUnits(offsetField);
            txUnits = DuplexTransmitUnits(duplex == "+"   ? Duplex::Plus
                                          : duplex == "-" ? Duplex::Minus
                                                          : Duplex::Split,
                                          rxUnits, offset);
            if (txUnits <= 0)
                return refuse(CsvRefusal::BadOffset, layout.field(record, CsvOffset));
        } else if (duplex != "OFF") {
            return refuse(CsvRefusal::BadDuplex, layout.field(record, CsvDuplex));
        }
        if (txUnits > 0) {
            // A split or offset transmit frequency in another band is refused like a receive one:
            // the radio would transmit where nobody meant it to.
            const std::string given = csvFrequency(txUnits);
            const ForeignFrequencyCheck tx = CheckForeignFrequency(txUnits, limits);
            if (tx.verdict == ForeignFrequency::OutOfBand)
                return refuse(CsvRefusal::TxOutOfBand, given);
            if (tx.verdict == ForeignFrequency::NotStorable)
                return refuse(CsvRefusal::NotStorable, given);
            txText = tx.text;
            // A transmit frequency that follows the receive one is not noted twice.
            if (!duplex.empty() && tx.verdict == ForeignFrequency::Rounded)
                plan.adjustments.push_back({ColTxFrequency, given, *txText});
        } else {
            txText = std::string();
        }
    }

    std::optional<ToneResult> tones;
    if (layout.has(CsvTone)) {
        ToneResult t;
        if (!readTones(layout, record, t, plan.refusal))
            return plan;
        tones = t;
    }

    std::optional<std::string_view> bandwidth;
    if (const std::string mode = upper(trim(layout.field(record, CsvMode))); !mode.empty()) {
        if (mode == kModeWide)
            bandwidth = text::kWide;
        else if (mode == kModeNarrow)
            bandwidth = text::kNarrow;
        else
            return refuse(CsvRefusal::BadMode, layout.field(record, CsvMode));
    }

    std::optional<std::string_view> scanAdd;
    if (layout.has(CsvSkip)) {
        // "P" marks a priority channel in some files: it is scanned as well.
        const std::string skip = upper(trim(layout.field(record, CsvSkip)));
        if (skip.empty() || skip == "P")
            scanAdd = text::kYes;
        else if (skip == kSkipNotScanned)
            scanAdd = text::kNo;
        else
            return refuse(CsvRefusal::BadSkip, layout.field(record, CsvSkip));
    }

    std::optional<std::string_view> power;
    if (!trim(layout.field(record, CsvPower)).empty())
        power = readPower(layout.field(record, CsvPower), plan.warnings);

    // A channel that is new gets the defaults row for what the file does not carry.
    ChannelTexts row = before.empty() ? DefaultChannelTexts(rxText) : before;
    row[ColRxFrequency] = rxText;
    if (txText)
        row[ColTxFrequency] = *txText;
    if (tones) {
        row[ColRxTone] = BuildToneText(tones->rx.mode, tones->rx.value);
        row[ColTxTone] = BuildToneText(tones->tx.mode, tones->tx.value);
    }
    if (bandwidth)
        row[ColBandwidth] = std::string(*bandwidth);
    if (scanAdd)
        row[ColScanAdd] = std::string(*scanAdd);
    if (power)
        row[ColPower] = std::string(*power);
    if (layout.has(CsvName)) {
        const std::string_view given = layout.field(record, CsvName);
        row[ColName] = ReduceChannelName(given);
        // Capitals are the rule of the name column; only dropped characters are worth a note.
        if (row[ColName] != upper(given)) {
            plan.adjustments.push_back({ColName, std::string(given), row[ColName]});
            plan.nameCut = true;
        }
    }
    plan.texts = row;
    return plan;
}

} // namespace

std::optional<std::vector<std::string>> ChannelCsvFields(int channel, const ChannelTexts& row)
{
    const ChannelTexts stored = storedTexts(channel, row);
    if (stored.empty())
        return std::nullopt;
    const std::int64_t rx = storedFrequency(stored[ColRxFrequency]);
    const std::int64_t tx = storedFrequency(stored[ColTxFrequency]);

    std::string duplex;
    std::int64_t offset = 0;
    if (tx <= 0) {
        duplex = "off";
    } else if (tx == rx) {
        duplex = "";
    } else if (std::max(tx, rx) - std::min(tx, rx) > kLargestCsvOffset) {
        duplex = "split";
        offset = tx;
    } else {
        duplex = tx > rx ? "+" : "-";
        offset = tx > rx ? tx - rx : rx - tx;
    }
    const bool on5kHz = rx % kStep5kHz == 0 && (tx <= 0 || tx % kStep5kHz == 0);
    const auto tones = toneFields(ParseToneText(stored[ColTxTone]), ParseToneText(stored[ColRxTone]));

    std::vector<std::string> fields(kCsvColumns.size());
    auto set = [&fields](CsvColumn c, std::string value) {
        fields[static_cast<std::size_t>(c)] = std::move(value);
    };
    set(CsvLocation, std::to_string(channel));
    set(CsvName, stored[ColName]);
    set(CsvFrequency, csvFrequency(rx));
    set(CsvDuplex, duplex);
    set(CsvOffset, csvFrequency(offset));
    for (std::size_t i = 0; i < tones.size(); ++i)
        set(static_cast<CsvColumn>(CsvTone + static_cast<int>(i)), tones[i]);
    set(CsvMode, std::string(stored[ColBandwidth] == text::kWide ? kModeWide : kModeNarrow));
    set(CsvTStep, std::string(on5kHz ? kStep5 : kStep625));
    set(CsvSkip, stored[ColScanAdd] == text::kYes ? std::string() : std::string(kSkipNotScanned));
    set(CsvPower, std::string(stored[ColPower] == text::kHigh ? kPowerHigh : kPowerLow));
    return fields;
}

std::string ExportChannelCsv(const ChannelTable& channels)
{
    std::string out = CsvLine(std::vector<std::string>(kCsvColumns.begin(), kCsvColumns.end()));
    for (int n = 1; n <= map::kChannelCount; ++n) {
        if (const auto fields = ChannelCsvFields(n, channels[static_cast<std::size_t>(n - 1)]))
            out += CsvLine(*fields);
    }
    return out;
}

int CsvImport::count(CsvOutcome outcome) const
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                          [outcome](const CsvRowResult& r) { return r.outcome == outcome; }));
}

std::vector<const CsvRowResult*> CsvImport::reportOrder() const
{
    std::vector<const CsvRowResult*> order;
    for (const CsvRowResult& r : rows) {
        if (r.outcome == CsvOutcome::Refused)
            order.push_back(&r);
    }
    for (const CsvRowResult& r : rows) {
        if (r.outcome != CsvOutcome::Refused)
            order.push_back(&r);
    }
    return order;
}

CsvText CsvFileText(std::string_view bytes, const LegacyDecoder& legacyToUtf8)
{
    CsvText out;
    // A text file has no NUL bytes; a UTF-16 file (spreadsheets' "Unicode text") has one in every
    // ASCII character, and a legacy decoder would take them.
    if (bytes.find('\0') != std::string_view::npos) {
        out.problem = CsvProblem::NotText;
        return out;
    }
    const std::string_view text = StripUtf8Bom(bytes);
    if (IsValidUtf8(text)) {
        out.utf8 = std::string(text);
        return out;
    }
    if (text.size() != bytes.size()) {
        // The mark says UTF-8 and the text is not: guessing another code page would show wrong
        // names, so the file is refused with the line that breaks the promise. No byte of a
        // multi-byte character is '\n', so the text can be looked at line by line.
        int line = 1;
        for (std::size_t start = 0;; ++line) {
            const std::size_t end = text.find('\n', start);
            if (!IsValidUtf8(text.substr(start, end == std::string_view::npos ? end : end - start)) ||
                end == std::string_view::npos)
                break;
            start = end + 1;
        }
        out.problem = CsvProblem::BrokenUtf8;
        out.problemLine = line;
        return out;
    }
    if (legacyToUtf8)
        out.utf8 = legacyToUtf8(bytes);
    if (!out.utf8)
        out.problem = CsvProblem::NotText;
    return out;
}

CsvImport ImportChannelCsv(std::string_view utf8, const ChannelTable& before, const BandLimits& limits,
                           const CsvPlacement& placement)
{
    CsvImport result;
    result.channels = before;
    result.limits = limits;
    const CsvParse parse = ParseCsv(StripUtf8Bom(utf8));
    if (parse.unterminatedQuoteLine > 0) {
        result.problem = CsvProblem::UnterminatedQuote;
        result.problemLine = parse.unterminatedQuoteLine;
        return result;
    }
    auto record = std::find_if_not(parse.records.begin(), parse.records.end(), isBlankRecord);
    if (record == parse.records.end()) {
        result.problem = CsvProblem::NoHeader;
        return result;
    }
    const Layout layout = readHeader(*record);
    const bool fromFirst = placement.firstChannel > 0;
    for (CsvColumn required : {CsvLocation, CsvFrequency}) {
        if (!layout.has(required) && !(fromFirst && required == CsvLocation)) {
            result.problem = CsvProblem::MissingColumn;
            result.missingColumn = std::string(kCsvColumns[static_cast<std::size_t>(required)]);
            return result;
        }
    }

    const auto firstRow = std::next(record);
    // Lists of other programs often number their rows from 0; a Location of 0 says so.
    if (fromFirst) {
        result.numbering = CsvNumbering::FromFirstChannel;
        result.firstChannel = placement.firstChannel;
    } else {
        for (auto r = firstRow; r != parse.records.end(); ++r) {
            const std::string_view location = trim(layout.field(*r, CsvLocation));
            if (!isBlankRecord(*r) && isDigits(location) && LeadingInteger(location) == 0)
                result.numbering = CsvNumbering::ShiftedFromZero;
        }
    }
    const int shift = result.numbering == CsvNumbering::ShiftedFromZero ? 1 : 0;
    int next = placement.firstChannel;

    std::map<int, int> takenAt;        // channel -> line that set it
    std::vector<std::size_t> cutNames; // rows whose name was cut to fit
    for (record = firstRow; record != parse.records.end(); ++record) {
        if (isBlankRecord(*record))
            continue;
        CsvRowResult row;
        row.line = record->line;
        const std::string_view location = trim(layout.field(*record, CsvLocation));
        int channel = 0;
        if (fromFirst) {
            while (std::find(placement.skip.begin(), placement.skip.end(), next) != placement.skip.end())
                ++next;
            channel = next++;
        } else if (isDigits(location)) {
            // LeadingInteger saturates; the shift must not carry it past the largest int.
            const long long number = static_cast<long long>(LeadingInteger(location)) + shift;
            channel = number > map::kChannelCount ? map::kChannelCount + 1 : static_cast<int>(number);
        }
        if (channel < 1 || channel > map::kChannelCount) {
            row.refusal = CsvRefusal::BadLocation;
            row.value = fromFirst ? std::to_string(channel) : std::string(layout.field(*record, CsvLocation));
            result.rows.push_back(std::move(row));
            continue;
        }
        row.location = channel;
        if (const auto taken = takenAt.find(channel); taken != takenAt.end()) {
            row.refusal = CsvRefusal::DuplicateLocation;
            row.value = std::string(location);
            row.firstLine = taken->second;
            result.rows.push_back(std::move(row));
            continue;
        }
        ChannelTexts& target = result.channels[static_cast<std::size_t>(channel - 1)];
        RowPlan plan = planRow(layout, *record, target, limits);
        if (!plan.texts) {
            row.refusal = plan.refusal.reason;
            row.value = std::move(plan.refusal.value);
            result.rows.push_back(std::move(row));
            continue;
        }
        // The row as saving stores it and reopening shows it: that is what the report speaks of
        // and what the grid gets.
        const ChannelTexts stored = storedTexts(channel, *plan.texts);
        if (stored.empty()) {
            row.refusal = CsvRefusal::NotStorable;
            row.value = std::string(trim(layout.field(*record, CsvFrequency)));
            result.rows.push_back(std::move(row));
            continue;
        }
        const ChannelTexts was = target.empty() ? ChannelTexts{} : storedTexts(channel, target);
        takenAt[channel] = record->line;
        row.adjustments = std::move(plan.adjustments);
        row.warnings = std::move(plan.warnings);
        for (int c = kFirstDataColumn; c <= kLastDataColumn; ++c) {
            const auto col = static_cast<ChannelColumn>(c);
            if (was[col] != stored[col])
                row.changed.push_back(col);
        }
        row.outcome = was.empty()           ? CsvOutcome::Added
                      : row.changed.empty() ? CsvOutcome::Unchanged
                                            : CsvOutcome::Changed;
        target = stored;
        if (plan.nameCut)
            cutNames.push_back(result.rows.size());
        result.rows.push_back(std::move(row));
    }

    // Names cut to eight characters often fall together ("MARINE VHF 16", "MARINE VHF 17"): each
    // channel still comes in, and the report names the other channel with the same name.
    for (std::size_t i : cutNames) {
        CsvRowResult& row = result.rows[i];
        const std::string& name = result.channels[static_cast<std::size_t>(row.location - 1)][ColName];
        if (name.empty())
            continue;
        for (int n = 1; n <= map::kChannelCount; ++n) {
            if (n != row.location && result.channels[static_cast<std::size_t>(n - 1)][ColName] == name) {
                row.warnings.push_back({CsvWarningKind::NameCollision, name, n});
                break;
            }
        }
    }
    return result;
}

CsvImport ImportChannelCsvFile(std::string_view bytes, const ChannelTable& before, const BandLimits& limits,
                               const LegacyDecoder& legacyToUtf8, const CsvPlacement& placement)
{
    CsvImport refused;
    refused.channels = before;
    refused.limits = limits;
    if (bytes.size() > kCsvFileSizeLimit) {
        refused.problem = CsvProblem::TooLarge;
        return refused;
    }
    const CsvText text = CsvFileText(bytes, legacyToUtf8);
    if (!text.utf8) {
        refused.problem = text.problem;
        refused.problemLine = text.problemLine;
        return refused;
    }
    return ImportChannelCsv(*text.utf8, before, limits, placement);
}

std::string ReduceChannelName(std::string_view utf8)
{
    std::string out;
    for (char c : utf8) {
        // Bytes of characters beyond ASCII are all 0x80 and above and have no name code.
        const char u = asciiUpper(c);
        if (NameCode(u) != 0xFF && out.size() < map::kChannelNameSize)
            out += u;
    }
    return out;
}

} // namespace orx
