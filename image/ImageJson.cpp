#include "ImageJson.h"

#include "Band.h"
#include "ChannelCodec.h"
#include "FeatureCodecs.h"
#include "SettingsCodec.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace orx::json {

namespace {

using Bytes = RadioImage::Bytes;

// --- The words of the document ----------------------------------------------------------------------

constexpr std::array<std::string_view, 3> kDisplayModes = {"channel", "frequency", "frequency_channel"};
constexpr std::array<std::string_view, 3> kScanModes = {"time", "carrier", "search"};
// Tail elimination by list index, and the two bits each index stores.
constexpr std::array<std::string_view, 4> kTailModes = {"off", "120_degrees", "180_degrees", "240_degrees"};
constexpr std::array<std::uint8_t, 4> kTailBits = {0xC0, 0x00, 0x40, 0x80};
constexpr std::array<std::string_view, 3> kBusyLockouts = {"off", "carrier", "tone"};
constexpr std::array<std::string_view, 4> kPttIds = {"off", "before", "after", "both"};
// Side-key functions by code (kSideKeyFunctions); codes 9-15 have no function and stay numbers.
constexpr std::array<std::string_view, 9> kSideKeyWords = {
    "off",     "monitor", "priority_scan", "high_low_power", "talkaround",
    "reverse", "vox",     "dtmf_call",     "fm_radio"};
static_assert(kSideKeyWords.size() == kSideKeyFunctions.size());
constexpr std::array<std::string_view, kSideKeyPressCount> kSideKeyKeys = {"key1_short", "key1_long",
                                                                           "key2_short", "key2_long"};
constexpr std::array<std::size_t, kSideKeyPressCount> kSideKeyBytes = {map::kSideKey1, map::kSideKey1,
                                                                       map::kSideKey2, map::kSideKey2};
constexpr std::array<std::uint8_t, kSideKeyPressCount> kSideKeyNibbles = {0xF0, 0x0F, 0xF0, 0x0F};

constexpr std::int64_t kUnitsPerMhz = 100000;  // frequencies are stored in 10 Hz units
constexpr std::int64_t kLowestRx = 1000000;    // 10 MHz: below it the top byte is 0x00, an empty channel
constexpr std::int64_t kHighestBcd = 99999999; // eight BCD digits
constexpr int kToneUnitsPerHz = 10;            // CTCSS in 0.1 Hz
constexpr int kLowestCtcss = 100;              // 10.0 Hz: below it the high byte is 0x00, no tone
constexpr int kHighestCtcss = 7999;            // 799.9 Hz: above it the high byte reads as DCS
constexpr int kHighestDcsNormal = 6399;        // high byte 0x80-0xBF
constexpr int kHighestDcsInverted = 6299;      // high byte 0xC0-0xFE

// Bits of a channel record that the fields of a channel with a receive frequency write.
constexpr std::array<std::uint8_t, map::kChannelRecordSize> kShownRecordBits = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, rec::kPttIdMask,
    0x3F, 0x00, 0x00};
constexpr std::size_t kHiddenFirst = rec::kPttIdByte; // a shown channel's hidden bits lie in bytes 12-15

int bcdValue(std::uint8_t b)
{
    return (b >> 4) * 10 + (b & 0x0F);
}
std::uint8_t toBcd(int v)
{
    return static_cast<std::uint8_t>((v / 10) * 16 + v % 10);
}
bool validBcd(std::uint8_t b)
{
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

// --- Writing -----------------------------------------------------------------------------------------

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string hex(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
    }
    return out;
}

// A decimal of value / 10^shift with its trailing zeros dropped (one decimal kept): 14512500, 5 ->
// "145.125", 885, 1 -> "88.5".
std::string decimal(std::int64_t value, int shift)
{
    std::int64_t scale = 1;
    for (int i = 0; i < shift; ++i)
        scale *= 10;
    std::string fraction = std::to_string(value % scale);
    fraction.insert(0, static_cast<std::size_t>(shift) - fraction.size(), '0');
    while (fraction.size() > 1 && fraction.back() == '0')
        fraction.pop_back();
    return std::to_string(value / scale) + "." + fraction;
}

// Members of one object, written on one line ({"a": 1, "b": 2}) or one per line.
class Object {
public:
    void add(std::string_view key, const std::string& value)
    {
        m_members.push_back(quoted(key) + ": " + value);
    }
    std::string line() const
    {
        std::string out = "{";
        for (std::size_t i = 0; i < m_members.size(); ++i)
            out += (i ? ", " : "") + m_members[i];
        return out + "}";
    }
    std::string block(const std::string& indent) const
    {
        std::string out = "{";
        for (std::size_t i = 0; i < m_members.size(); ++i)
            out += (i ? ",\n" : "\n") + indent + "  " + m_members[i];
        return out + "\n" + indent + "}";
    }

private:
    std::vector<std::string> m_members;
};

std::string array(const std::vector<std::string>& items, const std::string& indent)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\n" : "\n") + indent + "  " + items[i];
    return out + "\n" + indent + "]";
}

std::string boolean(bool on)
{
    return on ? "true" : "false";
}

std::string toneJson(std::uint8_t low, std::uint8_t high)
{
    if (high == 0xFF && low == 0xFF)
        return "null";
    Object tone;
    if (high < 0x80) {
        tone.add("type", quoted("ctcss"));
        tone.add("hz", decimal(bcdValue(high) * 100 + bcdValue(low), 1));
    } else {
        const bool inverted = high >= 0xC0;
        const int code = (high - (inverted ? 0xC0 : 0x80)) * 100 + bcdValue(low);
        std::string digits = std::to_string(code);
        digits.insert(0, digits.size() < 3 ? 3 - digits.size() : 0, '0');
        tone.add("type", quoted("dcs"));
        tone.add("code", quoted(digits));
        tone.add("polarity", quoted(inverted ? "I" : "N"));
    }
    return tone.line();
}

// notAChannel: row 63 while it holds the serial number; serialCovers: serial_number writes its record.
std::string channelJson(const RadioImage& image, int n, bool notAChannel, bool serialCovers, Bytes& covered)
{
    const ConstChannelRecord channel(image, n);
    const ChannelLocation& loc = channel.location();
    for (std::size_t k = 0; k < map::kChannelRecordSize; ++k)
        covered[loc.record + k] = 0xFF;
    for (std::size_t k = 0; k < map::kChannelNameSize; ++k)
        covered[loc.name + k] = 0xFF;
    covered[loc.scanByte] |= loc.scanMask;

    Object out;
    out.add("channel", std::to_string(n));
    if (notAChannel || channel.isEmpty()) {
        // No channel to show: every byte of it is kept as it is. Row 63's record belongs to the
        // serial number while it holds one, and is written by serial_number.
        std::array<std::uint8_t, map::kChannelRecordSize + map::kChannelNameSize> kept{};
        for (std::size_t k = 0; k < map::kChannelRecordSize; ++k)
            kept[k] = serialCovers ? map::kErased : channel.byte(k);
        for (std::size_t k = 0; k < map::kChannelNameSize; ++k)
            kept[map::kChannelRecordSize + k] = channel.nameByte(k);
        out.add("rx_mhz", "null");
        out.add("scan_add", boolean(channel.scanAdd()));
        out.add("hidden", quoted(hex(kept)));
        return out.line();
    }
    std::array<std::uint8_t, 4> rx{}, tx{};
    for (std::size_t k = 0; k < 4; ++k) {
        rx[k] = channel.byte(rec::kRxFrequency + k);
        tx[k] = channel.byte(rec::kTxFrequency + k);
    }
    const std::uint8_t txTop = tx[rec::kFrequencyTop];
    const std::uint8_t flags = channel.byte(rec::kFlagsByte);
    const int busy = (flags & rec::kBusyLockoutMask) >> 1;
    std::array<std::uint8_t, 8> nameBytes{};
    for (std::size_t k = 0; k < nameBytes.size(); ++k)
        nameBytes[k] = channel.nameByte(k);
    std::array<std::uint8_t, map::kChannelRecordSize - kHiddenFirst> hidden{};
    for (std::size_t k = kHiddenFirst; k < map::kChannelRecordSize; ++k)
        hidden[k - kHiddenFirst] = channel.byte(k) & static_cast<std::uint8_t>(~kShownRecordBits[k]);

    out.add("rx_mhz", decimal(static_cast<std::int64_t>(DecodeBcdFrequency(rx)), 5));
    out.add("tx_mhz", txTop == 0x00 || txTop == 0xFF
                          ? "null"
                          : decimal(static_cast<std::int64_t>(DecodeBcdFrequency(tx)), 5));
    out.add("rx_tone", toneJson(channel.byte(rec::kRxToneLow), channel.byte(rec::kRxToneHigh)));
    out.add("tx_tone", toneJson(channel.byte(rec::kTxToneLow), channel.byte(rec::kTxToneHigh)));
    out.add("busy_lockout", busy < 3 ? quoted(kBusyLockouts[static_cast<std::size_t>(busy)]) : "null");
    out.add("power", quoted((flags & rec::kHighPowerBit) ? "high" : "low"));
    out.add("bandwidth", quoted((flags & rec::kWideBit) ? "wide" : "narrow"));
    out.add("scan_add", boolean(channel.scanAdd()));
    out.add("ptt_id", quoted(kPttIds[channel.byte(rec::kPttIdByte) & rec::kPttIdMask]));
    out.add("name", quoted(DecodeName(nameBytes)));
    out.add("hidden", quoted(hex(hidden)));
    return out.line();
}

template <std::size_t N> std::string word(const std::array<std::string_view, N>& words, std::size_t index)
{
    return quoted(words.at(index));
}

std::string settingsJson(const RadioImage& image, Bytes& covered)
{
    Object out;
    out.add("display_mode", word(kDisplayModes, image.at(map::kDisplayMode) & map::kDisplayModeMask));
    out.add("scan_mode", word(kScanModes, image.at(map::kScanAndTail) & map::kScanModeMask));
    std::size_t tail = 0;
    while (tail < kTailBits.size() && kTailBits[tail] != (image.at(map::kScanAndTail) & map::kTailMask))
        ++tail;
    out.add("tail_elimination", word(kTailModes, tail));
    out.add("manual_setting", boolean(image.bit(map::kSwitches, map::kManualBit)));
    out.add("beep", boolean(image.bit(map::kSwitches, map::kBeepBit)));
    out.add("battery_save", boolean(image.bit(map::kSwitches, map::kBatterySaveBit)));
    out.add("squelch", std::to_string(image.at(map::kSquelch)));
    out.add("tx_time_limit_s", std::to_string(image.at(map::kTimeLimit) * 30));
    out.add("vox_level", std::to_string(image.at(map::kVoxLevel)));
    out.add("end_tone", std::to_string(image.at(map::kEndTone)));
    const std::uint8_t priority = image.at(map::kPriorityChannel);
    out.add("priority_channel", priority == map::kErased ? "null" : std::to_string(priority));
    out.add("password", quoted(DecodePassword(image)));
    out.add("model_index", std::to_string(image.at(map::kModelIndex)));
    out.add("band_index", std::to_string(image.at(map::kBandIndex)));
    const std::optional<BandEdges> band = DecodeBandId(image);
    if (band) {
        Object edges;
        edges.add("low_mhz", std::to_string(band->low));
        edges.add("high_mhz", std::to_string(band->high));
        out.add("band", edges.line());
        for (std::size_t k = 0; k < map::kBandIdSize; ++k)
            covered[map::kBandId + k] = 0xFF;
    } else {
        out.add("band", "null");
    }

    covered[map::kDisplayMode] |= map::kDisplayModeMask;
    covered[map::kScanAndTail] |= map::kScanModeMask | map::kTailMask;
    covered[map::kSwitches] |= map::kManualBit | map::kBeepBit | map::kBatterySaveBit;
    for (std::size_t at : {map::kSquelch, map::kTimeLimit, map::kVoxLevel, map::kEndTone,
                           map::kPriorityChannel, map::kModelIndex, map::kBandIndex})
        covered[at] = 0xFF;
    for (std::size_t k = 0; k < map::kPasswordSize; ++k)
        covered[map::kPassword + k] = 0xFF;
    return out.block("  ");
}

// A field whose bytes the document gives only when writing the shown value back gives them again.
bool reproduces(const RadioImage& image, std::size_t offset, std::size_t length,
                void (*write)(const RadioImage& from, RadioImage& to))
{
    RadioImage scratch;
    write(image, scratch);
    for (std::size_t k = 0; k < length; ++k) {
        if (scratch.at(offset + k) != image.at(offset + k))
            return false;
    }
    return true;
}

std::string dtmfJson(const RadioImage& image, Bytes& covered)
{
    const DtmfSettings dtmf = DecodeDtmf(image);
    Object out;
    out.add("tx_side_tone", boolean(dtmf.txSideTone));
    out.add("rx_side_tone", boolean(dtmf.rxSideTone));
    covered[map::kDtmfFlags] |= map::kTxSideToneBit | map::kRxSideToneBit;
    const bool exact =
        reproduces(image, map::kPttIdCode, map::kPttIdCodeSize,
                   [](const RadioImage& from, RadioImage& to) { EncodeDtmf(DecodeDtmf(from), to); });
    if (exact) {
        out.add("ptt_id_code", quoted(dtmf.code));
        for (std::size_t k = 0; k < map::kPttIdCodeSize; ++k)
            covered[map::kPttIdCode + k] = 0xFF;
    } else {
        out.add("ptt_id_code", "null");
    }
    return out.block("  ");
}

std::string sideKeysJson(const RadioImage& image, Bytes& covered)
{
    const SideKeyCodes codes = DecodeSideKeys(image);
    Object out;
    for (std::size_t i = 0; i < kSideKeyKeys.size(); ++i) {
        const auto code = static_cast<std::size_t>(codes[i]);
        out.add(kSideKeyKeys[i],
                code < kSideKeyWords.size() ? quoted(kSideKeyWords[code]) : std::to_string(code));
    }
    covered[map::kSideKey1] = covered[map::kSideKey2] = 0xFF;
    return out.block("  ");
}

std::string fmPresetJson(const RadioImage& image, int preset, Bytes& covered)
{
    const std::size_t at = map::kFmPresetBase + static_cast<std::size_t>(preset - 1) * map::kFmPresetSize;
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = image.at(at + k);
    if (bytes[3] == 0x00 || bytes[3] == 0xFF)
        return "null";
    for (std::uint8_t b : bytes) {
        if (!validBcd(b))
            return "null"; // kept in other_bytes
    }
    for (std::size_t k = 0; k < bytes.size(); ++k)
        covered[at + k] = 0xFF;
    return decimal(static_cast<std::int64_t>(DecodeBcdFrequency(bytes)), 5);
}

std::string serialNumberJson(const RadioImage& image, bool& exact)
{
    exact = HoldsSerialNumber(image) && reproduces(image, map::kSerialNumber, map::kSerialNumberSize,
                                                   [](const RadioImage& from, RadioImage& to) {
                                                       EncodeSerialNumber(DecodeSerialNumber(from), to);
                                                   });
    return exact ? quoted(DecodeSerialNumber(image)) : "null";
}

// The bytes with bits no field covers: runs of bytes that differ from erased, each byte with the
// covered bits cleared.
std::string otherBytesJson(const RadioImage& image, const Bytes& covered)
{
    std::vector<std::string> runs;
    std::size_t at = 0;
    while (at < map::kImageSize) {
        const auto differs = [&](std::size_t k) { return (image.at(k) | covered[k]) != 0xFF; };
        if (!differs(at)) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        std::vector<std::uint8_t> run;
        while (at < map::kImageSize && differs(at)) {
            run.push_back(image.at(at) & static_cast<std::uint8_t>(~covered[at]));
            ++at;
        }
        char offset[16];
        std::snprintf(offset, sizeof offset, "0x%03zX", start);
        Object item;
        item.add("offset", quoted(offset));
        item.add("hex", quoted(hex(run)));
        runs.push_back(item.line());
    }
    return runs.empty() ? "[]" : array(runs, "  ");
}

// --- Reading -----------------------------------------------------------------------------------------

class Reader {
public:
    explicit Reader(ImportError& error) : m_error(error) {}

    bool fail(const std::string& path, const char* pattern, std::initializer_list<std::string> args = {})
    {
        std::string reason;
        for (const char* c = pattern; *c; ++c) {
            const std::size_t n = c[0] == '%' && c[1] >= '1' && c[1] <= '9' ? std::size_t(c[1] - '0') : 0;
            if (n >= 1 && n <= args.size()) {
                reason += *(args.begin() + (n - 1));
                ++c;
            } else {
                reason += *c;
            }
        }
        m_error = {path, reason, pattern, std::vector<std::string>(args)};
        return false;
    }

    // The members of an object, each of the known keys at most; an unknown key is an error.
    bool object(const QJsonValue& value, const std::string& path,
                std::initializer_list<std::string_view> keys, QJsonObject& out)
    {
        if (!value.isObject())
            return fail(path, "must be an object");
        out = value.toObject();
        for (auto it = out.begin(); it != out.end(); ++it) {
            const std::string key = it.key().toStdString();
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                return fail(join(path, key), "is not a key of this object");
        }
        return true;
    }

    bool required(const QJsonObject& object, const std::string& path, std::string_view key, QJsonValue& out)
    {
        const auto it = object.find(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
        if (it == object.end())
            return fail(join(path, key), "is missing");
        out = *it;
        return true;
    }

    bool integer(const QJsonValue& value, const std::string& path, std::int64_t low, std::int64_t high,
                 std::int64_t& out)
    {
        const double d = value.toDouble();
        if (!value.isDouble() || d != std::floor(d) || d < static_cast<double>(low) ||
            d > static_cast<double>(high))
            return fail(path, "must be a whole number from %1 to %2",
                        {std::to_string(low), std::to_string(high)});
        out = static_cast<std::int64_t>(d);
        return true;
    }

    // A number of whole units of 10^-decimals (MHz with 5 decimals, Hz with 1) within low..high units.
    bool scaled(const QJsonValue& value, const std::string& path, int decimals, std::int64_t low,
                std::int64_t high, std::int64_t& out)
    {
        const auto outOfRange = [&] {
            return fail(path, "must be a number from %1 to %2",
                        {decimal(low, decimals), decimal(high, decimals)});
        };
        if (!value.isDouble())
            return outOfRange();
        double scale = 1;
        for (int i = 0; i < decimals; ++i)
            scale *= 10;
        const double units = value.toDouble() * scale;
        const double rounded = std::round(units);
        if (std::fabs(units - rounded) > 1e-3)
            return fail(path, "has more than %1 decimals", {std::to_string(decimals)});
        if (rounded < static_cast<double>(low) || rounded > static_cast<double>(high))
            return outOfRange();
        out = static_cast<std::int64_t>(rounded);
        return true;
    }

    bool boolean(const QJsonValue& value, const std::string& path, bool& out)
    {
        if (!value.isBool())
            return fail(path, "must be true or false");
        out = value.toBool();
        return true;
    }

    bool string(const QJsonValue& value, const std::string& path, std::string& out)
    {
        if (!value.isString())
            return fail(path, "must be a string");
        out = value.toString().toStdString();
        return true;
    }

    template <std::size_t N>
    bool choice(const QJsonValue& value, const std::string& path,
                const std::array<std::string_view, N>& words, std::size_t& out)
    {
        std::string text;
        if (value.isString()) {
            text = value.toString().toStdString();
            for (std::size_t i = 0; i < N; ++i) {
                if (words[i] == text) {
                    out = i;
                    return true;
                }
            }
        }
        std::string list;
        for (std::string_view w : words)
            list += (list.empty() ? "\"" : ", \"") + std::string(w) + "\"";
        return fail(path, "must be one of %1", {list});
    }

    bool hexBytes(const QJsonValue& value, const std::string& path, std::size_t minLength,
                  std::size_t maxLength, std::vector<std::uint8_t>& out)
    {
        std::string text;
        if (!string(value, path, text))
            return false;
        out.clear();
        const auto nibble = [](char c) {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            return -1;
        };
        bool ok = text.size() % 2 == 0;
        for (std::size_t i = 0; ok && i < text.size(); i += 2) {
            const int hi = nibble(text[i]);
            const int lo = nibble(text[i + 1]);
            ok = hi >= 0 && lo >= 0;
            out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        }
        if (!ok || out.size() < minLength || out.size() > maxLength) {
            if (minLength == maxLength)
                return fail(path, "must be %1 bytes as hexadecimal digits", {std::to_string(minLength)});
            return fail(path, "must be %1 to %2 bytes as hexadecimal digits",
                        {std::to_string(minLength), std::to_string(maxLength)});
        }
        return true;
    }

    static std::string join(const std::string& path, std::string_view key)
    {
        return path.empty() ? std::string(key) : path + "." + std::string(key);
    }
    static std::string index(const std::string& path, std::size_t i)
    {
        return path + "[" + std::to_string(i) + "]";
    }

private:
    ImportError& m_error;
};

bool readTone(Reader& r, const QJsonValue& value, const std::string& path, std::uint8_t& low,
              std::uint8_t& high)
{
    low = high = 0xFF;
    if (value.isNull() || value.isUndefined())
        return true;
    QJsonObject tone;
    QJsonValue type;
    if (!r.object(value, path, {"type", "hz", "code", "polarity"}, tone) ||
        !r.required(tone, path, "type", type))
        return false;
    std::size_t kind = 0;
    if (!r.choice(type, Reader::join(path, "type"), std::array<std::string_view, 2>{"ctcss", "dcs"}, kind))
        return false;
    if (kind == 0) {
        QJsonValue hz;
        std::int64_t tenths = 0;
        if (!r.required(tone, path, "hz", hz) ||
            !r.scaled(hz, Reader::join(path, "hz"), 1, kLowestCtcss, kHighestCtcss, tenths))
            return false;
        if (tone.contains(QStringLiteral("code")) || tone.contains(QStringLiteral("polarity")))
            return r.fail(path, "a CTCSS tone has only \"type\" and \"hz\"");
        low = toBcd(static_cast<int>(tenths % 100));
        high = toBcd(static_cast<int>(tenths / 100));
        return true;
    }
    QJsonValue codeValue, polarityValue;
    std::string code;
    std::size_t polarity = 0;
    if (!r.required(tone, path, "code", codeValue) ||
        !r.string(codeValue, Reader::join(path, "code"), code) ||
        !r.required(tone, path, "polarity", polarityValue) ||
        !r.choice(polarityValue, Reader::join(path, "polarity"), std::array<std::string_view, 2>{"N", "I"},
                  polarity))
        return false;
    if (tone.contains(QStringLiteral("hz")))
        return r.fail(Reader::join(path, "hz"), "a DCS tone has no \"hz\"");
    const int highest = polarity == 0 ? kHighestDcsNormal : kHighestDcsInverted;
    const bool digits =
        !code.empty() && code.size() <= 4 && code.find_first_not_of("0123456789") == std::string::npos;
    const int number = digits ? std::stoi(code) : -1;
    if (number < 0 || number > highest)
        return r.fail(Reader::join(path, "code"), "must be the digits of a DCS code from 000 to %1",
                      {std::to_string(highest)});
    high = static_cast<std::uint8_t>(number / 100 + (polarity == 0 ? 0x80 : 0xC0));
    low = toBcd(number % 100);
    return true;
}

bool readChannel(Reader& r, const QJsonValue& value, const std::string& path, std::set<int>& seen,
                 RadioImage& image)
{
    QJsonObject object;
    QJsonValue number;
    std::int64_t n = 0;
    if (!r.object(value, path,
                  {"channel", "rx_mhz", "tx_mhz", "rx_tone", "tx_tone", "busy_lockout", "power", "bandwidth",
                   "scan_add", "ptt_id", "name", "hidden"},
                  object) ||
        !r.required(object, path, "channel", number) ||
        !r.integer(number, Reader::join(path, "channel"), 1, map::kChannelCount, n))
        return false;
    if (!seen.insert(static_cast<int>(n)).second)
        return r.fail(Reader::join(path, "channel"), "channel %1 is given twice", {std::to_string(n)});
    ChannelRecord channel(image, static_cast<int>(n));
    const auto member = [&](std::string_view key) {
        return object.value(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
    };
    const auto at = [&](std::string_view key) { return Reader::join(path, key); };

    bool scanAdd = true;
    if (!member("scan_add").isUndefined() && !r.boolean(member("scan_add"), at("scan_add"), scanAdd))
        return false;
    channel.setScanAdd(scanAdd);

    const QJsonValue rx = member("rx_mhz");
    if (rx.isNull() || rx.isUndefined()) {
        // Not a channel: its bytes are kept whole in "hidden"; nothing else may be given.
        for (std::string_view key :
             {"tx_mhz", "rx_tone", "tx_tone", "busy_lockout", "power", "bandwidth", "ptt_id", "name"}) {
            if (!member(key).isUndefined() && !member(key).isNull())
                return r.fail(at(key), "a channel without rx_mhz takes no other values");
        }
        std::vector<std::uint8_t> kept(map::kChannelRecordSize + map::kChannelNameSize, map::kErased);
        if (!member("hidden").isUndefined() &&
            !r.hexBytes(member("hidden"), at("hidden"), kept.size(), kept.size(), kept))
            return false;
        for (std::size_t k = 0; k < map::kChannelRecordSize; ++k)
            channel.setByte(k, kept[k]);
        for (std::size_t k = 0; k < map::kChannelNameSize; ++k)
            channel.setNameByte(k, kept[map::kChannelRecordSize + k]);
        return true;
    }

    // The hidden bits of bytes 12-15; a channel made from one without a receive frequency by giving
    // it one may keep that one's 24 bytes here, of which the same bits count.
    constexpr std::size_t kKeptSize = map::kChannelRecordSize + map::kChannelNameSize;
    std::vector<std::uint8_t> hidden(map::kChannelRecordSize - kHiddenFirst, 0x00);
    if (!member("hidden").isUndefined()) {
        if (!r.hexBytes(member("hidden"), at("hidden"), hidden.size(), kKeptSize, hidden))
            return false;
        if (hidden.size() == kKeptSize)
            hidden = std::vector<std::uint8_t>(hidden.begin() + kHiddenFirst,
                                               hidden.begin() + map::kChannelRecordSize);
        else if (hidden.size() != map::kChannelRecordSize - kHiddenFirst)
            return r.fail(at("hidden"),
                          "must be 4 bytes as hexadecimal digits (or the 24 of a channel without rx_mhz)");
    }
    for (std::size_t k = kHiddenFirst; k < map::kChannelRecordSize; ++k)
        channel.setByte(k, hidden[k - kHiddenFirst] & static_cast<std::uint8_t>(~kShownRecordBits[k]));

    std::int64_t units = 0;
    std::array<std::uint8_t, 4> bytes{};
    if (!r.scaled(rx, at("rx_mhz"), 5, kLowestRx, kHighestBcd, units))
        return false;
    EncodeBcdFrequency(units, bytes);
    for (std::size_t k = 0; k < 4; ++k)
        channel.setByte(rec::kRxFrequency + k, bytes[k]);
    // No tx_mhz at all: transmit on the receive frequency, as a new channel in the grid; null: none.
    const QJsonValue tx = member("tx_mhz");
    if (!tx.isNull()) {
        if (!tx.isUndefined() && !r.scaled(tx, at("tx_mhz"), 5, kLowestRx, kHighestBcd, units))
            return false;
        EncodeBcdFrequency(units, bytes);
    } else {
        bytes.fill(0xFF);
    }
    for (std::size_t k = 0; k < 4; ++k)
        channel.setByte(rec::kTxFrequency + k, bytes[k]);

    std::uint8_t low = 0, high = 0;
    if (!readTone(r, member("rx_tone"), at("rx_tone"), low, high))
        return false;
    channel.setByte(rec::kRxToneLow, low);
    channel.setByte(rec::kRxToneHigh, high);
    if (!readTone(r, member("tx_tone"), at("tx_tone"), low, high))
        return false;
    channel.setByte(rec::kTxToneLow, low);
    channel.setByte(rec::kTxToneHigh, high);

    // The flags: what is not given takes what a new channel in the grid gets.
    std::size_t busy = 3, power = 0, bandwidth = 0, ptt = 0;
    const QJsonValue busyValue = member("busy_lockout");
    if (busyValue.isUndefined())
        busy = 0;
    else if (!busyValue.isNull() && !r.choice(busyValue, at("busy_lockout"), kBusyLockouts, busy))
        return false;
    if (!member("power").isUndefined() &&
        !r.choice(member("power"), at("power"), std::array<std::string_view, 2>{"high", "low"}, power))
        return false;
    if (!member("bandwidth").isUndefined() &&
        !r.choice(member("bandwidth"), at("bandwidth"), std::array<std::string_view, 2>{"wide", "narrow"},
                  bandwidth))
        return false;
    if (!member("ptt_id").isUndefined() && !r.choice(member("ptt_id"), at("ptt_id"), kPttIds, ptt))
        return false;
    std::uint8_t flags = channel.byte(rec::kFlagsByte);
    flags |= static_cast<std::uint8_t>(busy << 1);
    flags |= power == 0 ? rec::kHighPowerBit : 0;
    flags |= bandwidth == 0 ? rec::kWideBit : 0;
    flags |= scanAdd ? rec::kScanCopyBit : 0;
    channel.setByte(rec::kFlagsByte, flags);
    channel.setByte(rec::kPttIdByte, static_cast<std::uint8_t>(channel.byte(rec::kPttIdByte) | ptt));

    std::string name;
    if (!member("name").isUndefined() && !member("name").isNull() &&
        !r.string(member("name"), at("name"), name))
        return false;
    std::array<std::uint8_t, 8> nameBytes{};
    nameBytes.fill(0xFF);
    if (name.size() > nameBytes.size())
        return r.fail(at("name"), "has more than 8 characters");
    for (std::size_t k = 0; k < name.size(); ++k) {
        nameBytes[k] = NameCode(name[k]);
        if (nameBytes[k] == 0xFF)
            return r.fail(at("name"), "may hold only 0-9, A-Z, '-' and space");
    }
    for (std::size_t k = 0; k < nameBytes.size(); ++k)
        channel.setNameByte(k, nameBytes[k]);
    return true;
}

bool readSettings(Reader& r, const QJsonValue& value, RadioImage& image)
{
    const std::string path = "settings";
    QJsonObject s;
    if (!r.object(value, path,
                  {"display_mode", "scan_mode", "tail_elimination", "manual_setting", "beep", "battery_save",
                   "squelch", "tx_time_limit_s", "vox_level", "end_tone", "priority_channel", "password",
                   "model_index", "band_index", "band"},
                  s))
        return false;
    QJsonValue v;
    const auto get = [&](std::string_view key) { return r.required(s, path, key, v); };
    const auto at = [&](std::string_view key) { return Reader::join(path, key); };
    std::size_t index = 0;
    bool on = false;
    std::int64_t number = 0;

    if (!get("display_mode") || !r.choice(v, at("display_mode"), kDisplayModes, index))
        return false;
    image.setBits(map::kDisplayMode, map::kDisplayModeMask, static_cast<std::uint8_t>(index));
    if (!get("scan_mode") || !r.choice(v, at("scan_mode"), kScanModes, index))
        return false;
    image.setBits(map::kScanAndTail, map::kScanModeMask, static_cast<std::uint8_t>(index));
    if (!get("tail_elimination") || !r.choice(v, at("tail_elimination"), kTailModes, index))
        return false;
    image.setBits(map::kScanAndTail, map::kTailMask, kTailBits[index]);
    struct Switch {
        std::string_view key;
        std::uint8_t bit;
    };
    for (const Switch& sw : {Switch{"manual_setting", map::kManualBit}, Switch{"beep", map::kBeepBit},
                             Switch{"battery_save", map::kBatterySaveBit}}) {
        if (!get(sw.key) || !r.boolean(v, at(sw.key), on))
            return false;
        image.setBits(map::kSwitches, sw.bit, on ? sw.bit : 0);
    }
    struct Number {
        std::string_view key;
        std::size_t offset;
        std::int64_t high;
        std::int64_t step;
    };
    for (const Number& field :
         {Number{"squelch", map::kSquelch, 9, 1}, Number{"tx_time_limit_s", map::kTimeLimit, 300, 30},
          Number{"vox_level", map::kVoxLevel, 9, 1}, Number{"end_tone", map::kEndTone, 10, 1},
          Number{"model_index", map::kModelIndex, 255, 1}, Number{"band_index", map::kBandIndex, 255, 1}}) {
        if (!get(field.key) || !r.integer(v, at(field.key), 0, field.high, number))
            return false;
        if (number % field.step != 0)
            return r.fail(at(field.key), "must be a multiple of %1", {std::to_string(field.step)});
        image.set(field.offset, static_cast<std::uint8_t>(number / field.step));
    }
    if (!get("priority_channel"))
        return false;
    if (!v.isNull()) {
        if (!r.integer(v, at("priority_channel"), 0, map::kChannelCount, number))
            return false;
        image.set(map::kPriorityChannel, static_cast<std::uint8_t>(number));
    }
    std::string password;
    if (!get("password") || !r.string(v, at("password"), password))
        return false;
    if (password.size() > kPasswordMaxLength || password.find_first_not_of("0123456789") != std::string::npos)
        return r.fail(at("password"), "must be at most 6 digits");
    EncodePassword(password, image);

    if (!get("band"))
        return false;
    if (!v.isNull()) {
        QJsonObject band;
        QJsonValue edge;
        std::int64_t low = 0, high = 0;
        if (!r.object(v, at("band"), {"low_mhz", "high_mhz"}, band) ||
            !r.required(band, at("band"), "low_mhz", edge) ||
            !r.integer(edge, at("band") + ".low_mhz", 0, 999, low) ||
            !r.required(band, at("band"), "high_mhz", edge) ||
            !r.integer(edge, at("band") + ".high_mhz", 0, 999, high))
            return false;
        BandLimits limits;
        limits.lower = static_cast<std::uint32_t>(low) * kUnitsPerMHz;
        limits.upper = static_cast<std::uint32_t>(high) * kUnitsPerMHz;
        EncodeBandId(limits, image);
    }
    return true;
}

bool readDtmf(Reader& r, const QJsonValue& value, RadioImage& image)
{
    const std::string path = "dtmf";
    QJsonObject d;
    QJsonValue v;
    DtmfSettings dtmf;
    if (!r.object(value, path, {"tx_side_tone", "rx_side_tone", "ptt_id_code"}, d) ||
        !r.required(d, path, "tx_side_tone", v) || !r.boolean(v, path + ".tx_side_tone", dtmf.txSideTone) ||
        !r.required(d, path, "rx_side_tone", v) || !r.boolean(v, path + ".rx_side_tone", dtmf.rxSideTone) ||
        !r.required(d, path, "ptt_id_code", v))
        return false;
    image.setBits(map::kDtmfFlags, map::kTxSideToneBit, dtmf.txSideTone ? map::kTxSideToneBit : 0);
    image.setBits(map::kDtmfFlags, map::kRxSideToneBit, dtmf.rxSideTone ? map::kRxSideToneBit : 0);
    if (v.isNull())
        return true;
    if (!r.string(v, path + ".ptt_id_code", dtmf.code))
        return false;
    if (dtmf.code.size() > map::kPttIdCodeSize ||
        dtmf.code.find_first_not_of(kDtmfCharacters) != std::string::npos)
        return r.fail(path + ".ptt_id_code", "must be at most 8 of 0-9, A-D, '*' and '#'");
    const std::uint8_t flags = image.at(map::kDtmfFlags);
    EncodeDtmf(dtmf, image);
    image.set(map::kDtmfFlags, flags);
    return true;
}

bool readSideKeys(Reader& r, const QJsonValue& value, RadioImage& image)
{
    const std::string path = "side_keys";
    QJsonObject keys;
    if (!r.object(value, path, {"key1_short", "key1_long", "key2_short", "key2_long"}, keys))
        return false;
    for (std::size_t i = 0; i < kSideKeyKeys.size(); ++i) {
        QJsonValue v;
        const std::string at = Reader::join(path, kSideKeyKeys[i]);
        if (!r.required(keys, path, kSideKeyKeys[i], v))
            return false;
        std::size_t code = 0;
        std::int64_t number = 0;
        if (v.isDouble()) {
            if (!r.integer(v, at, 0, 15, number))
                return false;
            code = static_cast<std::size_t>(number);
        } else if (!r.choice(v, at, kSideKeyWords, code)) {
            return false;
        }
        const std::uint8_t nibble = kSideKeyNibbles[i];
        image.setBits(kSideKeyBytes[i], nibble, static_cast<std::uint8_t>(nibble == 0xF0 ? code << 4 : code));
    }
    return true;
}

bool readFmPresets(Reader& r, const QJsonValue& value, RadioImage& image)
{
    if (!value.isArray() || value.toArray().size() != map::kFmPresetCount)
        return r.fail("fm_presets", "must be an array of 32 values");
    const QJsonArray presets = value.toArray();
    for (int i = 0; i < map::kFmPresetCount; ++i) {
        const QJsonValue v = presets.at(i);
        if (v.isNull())
            continue;
        std::int64_t units = 0;
        if (!r.scaled(v, Reader::index("fm_presets", static_cast<std::size_t>(i)), 5, kLowestRx, kHighestBcd,
                      units))
            return false;
        std::array<std::uint8_t, 4> bytes{};
        EncodeBcdFrequency(units, bytes);
        for (std::size_t k = 0; k < bytes.size(); ++k)
            image.set(map::kFmPresetBase + static_cast<std::size_t>(i) * map::kFmPresetSize + k, bytes[k]);
    }
    return true;
}

bool readOtherBytes(Reader& r, const QJsonValue& value, RadioImage& image)
{
    if (value.isUndefined())
        return true;
    if (!value.isArray())
        return r.fail("other_bytes", "must be an array");
    const QJsonArray runs = value.toArray();
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const std::string path = Reader::index("other_bytes", static_cast<std::size_t>(i));
        QJsonObject run;
        QJsonValue v;
        std::string offsetText;
        std::vector<std::uint8_t> bytes;
        if (!r.object(runs.at(i), path, {"offset", "hex"}, run) || !r.required(run, path, "offset", v) ||
            !r.string(v, path + ".offset", offsetText))
            return false;
        std::size_t offset = 0;
        std::size_t used = 0;
        try {
            offset = std::stoul(offsetText, &used, 16);
        } catch (...) {
            used = 0;
        }
        if (used == 0 || used != offsetText.size() || offset >= map::kImageSize)
            return r.fail(path + ".offset", "must be an offset from 0x000 to 0xFFF");
        if (!r.required(run, path, "hex", v) ||
            !r.hexBytes(v, path + ".hex", 1, map::kImageSize - offset, bytes))
            return false;
        for (std::size_t k = 0; k < bytes.size(); ++k)
            image.set(offset + k, bytes[k]);
    }
    return true;
}

// The line and the column of a place in the text, counted from 1.
std::pair<std::string, std::string> lineAndColumn(std::string_view text, int offset)
{
    int line = 1, column = 1;
    for (int i = 0; i < offset && i < static_cast<int>(text.size()); ++i) {
        if (text[static_cast<std::size_t>(i)] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {std::to_string(line), std::to_string(column)};
}

} // namespace

std::string ExportImage(const RadioImage& saved)
{
    Bytes covered{};
    covered.fill(0);
    bool serialExact = false;
    const std::string serial = serialNumberJson(saved, serialExact);
    const bool serialRow = HoldsSerialNumber(saved);

    Object root;
    root.add("format", quoted(kFormatName));
    root.add("version", std::to_string(kFormatVersion));
    std::vector<std::string> channels;
    for (int n = 1; n <= map::kChannelCount; ++n)
        channels.push_back(channelJson(saved, n, serialRow && n == map::kSerialNumberChannel,
                                       serialRow && serialExact && n == map::kSerialNumberChannel, covered));
    root.add("channels", array(channels, "  "));
    root.add("settings", settingsJson(saved, covered));
    root.add("dtmf", dtmfJson(saved, covered));
    root.add("side_keys", sideKeysJson(saved, covered));
    std::vector<std::string> presets;
    for (int n = 1; n <= map::kFmPresetCount; ++n)
        presets.push_back(fmPresetJson(saved, n, covered));
    root.add("fm_presets", array(presets, "  "));
    root.add("serial_number", serial);
    root.add("other_bytes", otherBytesJson(saved, covered));
    std::string document = root.block("") + "\n";

    // The document must say every byte: read it back and compare.
    RadioImage back;
    ImportError error;
    if (!ImportImage(document, back, error) || !(back == saved))
        return std::string();
    return document;
}

bool ImportImage(std::string_view document, RadioImage& image, ImportError& error)
{
    Reader r(error);
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray(document.data(), static_cast<qsizetype>(document.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(document, parseError.offset);
        return r.fail("", "not JSON: %1 at line %2, column %3",
                      {parseError.errorString().toStdString(), line, column});
    }
    if (!doc.isObject())
        return r.fail("", "must be an object");
    QJsonObject root;
    if (!r.object(QJsonValue(doc.object()), "",
                  {"format", "version", "channels", "settings", "dtmf", "side_keys", "fm_presets",
                   "serial_number", "other_bytes"},
                  root))
        return false;
    QJsonValue v;
    if (!r.required(root, "", "format", v))
        return false;
    if (v.toString().toStdString() != kFormatName)
        return r.fail("format", "must be \"%1\"", {std::string(kFormatName)});
    std::int64_t version = 0;
    if (!r.required(root, "", "version", v) || !r.integer(v, "version", 1, 1000000, version))
        return false;
    if (version != kFormatVersion)
        return r.fail("version", "version %1 is not known (this program reads %2)",
                      {std::to_string(version), std::to_string(kFormatVersion)});

    RadioImage out; // erased
    if (!readOtherBytes(r, root.value(QStringLiteral("other_bytes")), out))
        return false;
    if (!r.required(root, "", "channels", v))
        return false;
    if (!v.isArray() || v.toArray().size() != map::kChannelCount)
        return r.fail("channels", "must be an array of 128 channels");
    const QJsonArray channels = v.toArray();
    std::set<int> seen;
    for (qsizetype i = 0; i < channels.size(); ++i) {
        if (!readChannel(r, channels.at(i), Reader::index("channels", static_cast<std::size_t>(i)), seen,
                         out))
            return false;
    }
    if (!r.required(root, "", "settings", v) || !readSettings(r, v, out) ||
        !r.required(root, "", "dtmf", v) || !readDtmf(r, v, out) || !r.required(root, "", "side_keys", v) ||
        !readSideKeys(r, v, out) || !r.required(root, "", "fm_presets", v) || !readFmPresets(r, v, out) ||
        !r.required(root, "", "serial_number", v))
        return false;
    if (!v.isNull()) {
        std::string serial;
        if (!r.string(v, "serial_number", serial))
            return false;
        const bool printable = std::all_of(serial.begin(), serial.end(), [](char c) {
            return static_cast<unsigned char>(c) >= kFirstPrintable &&
                   static_cast<unsigned char>(c) <= kLastPrintable;
        });
        if (serial.empty() || serial.size() > map::kSerialNumberSize || !printable)
            return r.fail("serial_number", "must be 1 to 16 printable ASCII characters, or null");
        for (qsizetype i = 0; i < channels.size(); ++i) {
            const QJsonObject ch = channels.at(i).toObject();
            if (ch.value(QStringLiteral("channel")).toInt() == map::kSerialNumberChannel &&
                !ch.value(QStringLiteral("rx_mhz")).isNull() &&
                !ch.value(QStringLiteral("rx_mhz")).isUndefined())
                return r.fail(Reader::index("channels", static_cast<std::size_t>(i)) + ".rx_mhz",
                              "channel 63 holds the serial number; its rx_mhz must be null");
        }
        EncodeSerialNumber(serial, out);
    }
    image = out;
    return true;
}

} // namespace orx::json
