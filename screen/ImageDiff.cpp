#include "ImageDiff.h"

#include "ChannelCodec.h"
#include "FeatureCodecs.h"
#include "GridTexts.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"

#include <array>
#include <initializer_list>

namespace orx {

namespace {

// A piece of the image a field is shown from: the bits of mask in the byte at offset.
struct Bits {
    std::size_t offset;
    std::uint8_t mask;
};

std::vector<Bits> wholeBytes(std::size_t offset, std::size_t length)
{
    std::vector<Bits> v;
    for (std::size_t k = 0; k < length; ++k)
        v.push_back({offset + k, 0xFF});
    return v;
}

// Collects differences and remembers which bits they account for.
class Comparer {
public:
    Comparer(const RadioImage& a, const RadioImage& b) : m_a(a), m_b(b) { m_explained.fill(0); }

    // Records the field when its two texts differ; its bits are then accounted for.
    void field(DiffArea area, int number, std::string label, const std::string& before,
               const std::string& after, const std::vector<Bits>& bits)
    {
        if (before == after)
            return;
        m_result.fields.push_back({area, number, std::move(label), before, after});
        for (const Bits& b : bits)
            m_explained[b.offset] |= b.mask;
    }

    ImageComparison finish()
    {
        for (std::size_t off = 0; off < map::kImageSize; ++off) {
            const std::uint8_t a = m_a.at(off);
            const std::uint8_t b = m_b.at(off);
            if (a == b)
                continue;
            m_result.identical = false;
            if (((a ^ b) & ~m_explained[off]) != 0)
                m_result.otherBytes.push_back({off, a, b});
        }
        return std::move(m_result);
    }

private:
    const RadioImage& m_a;
    const RadioImage& m_b;
    std::array<std::uint8_t, map::kImageSize> m_explained{};
    ImageComparison m_result;
};

std::vector<Bits> channelBits(int channel, ChannelColumn column)
{
    const ChannelLocation loc = LocateChannel(channel);
    switch (column) {
    case ColRxFrequency:
        return wholeBytes(loc.record + rec::kRxFrequency, rec::kFrequencySize);
    case ColTxFrequency:
        return wholeBytes(loc.record + rec::kTxFrequency, rec::kFrequencySize);
    case ColRxTone:
        return {{loc.record + rec::kRxToneLow, 0xFF}, {loc.record + rec::kRxToneHigh, 0xFF}};
    case ColTxTone:
        return {{loc.record + rec::kTxToneLow, 0xFF}, {loc.record + rec::kTxToneHigh, 0xFF}};
    case ColBusyLockout:
        return {{loc.record + rec::kFlagsByte, rec::kBusyLockoutMask}};
    case ColPower:
        return {{loc.record + rec::kFlagsByte, rec::kHighPowerBit}};
    case ColBandwidth:
        return {{loc.record + rec::kFlagsByte, rec::kWideBit}};
    case ColScanAdd:
        return {{loc.scanByte, loc.scanMask}, {loc.record + rec::kFlagsByte, rec::kScanCopyBit}};
    case ColPttId:
        return {{loc.record + rec::kPttIdByte, rec::kPttIdMask}};
    case ColName:
        return wholeBytes(loc.name, map::kChannelNameSize);
    default:
        return {};
    }
}

std::vector<Bits> settingBits(Setting s)
{
    switch (s) {
    case Setting::DisplayMode:
        return {{map::kDisplayMode, map::kDisplayModeMask}};
    case Setting::ScanMode:
        return {{map::kScanAndTail, map::kScanModeMask}};
    case Setting::TailElimination:
        return {{map::kScanAndTail, map::kTailMask}};
    case Setting::ManualSetting:
        return {{map::kSwitches, map::kManualBit}};
    case Setting::Beep:
        return {{map::kSwitches, map::kBeepBit}};
    case Setting::BatterySave:
        return {{map::kSwitches, map::kBatterySaveBit}};
    case Setting::Squelch:
        return {{map::kSquelch, 0xFF}};
    case Setting::TimeLimit:
        return {{map::kTimeLimit, 0xFF}};
    case Setting::VoxLevel:
        return {{map::kVoxLevel, 0xFF}};
    case Setting::EndTone:
        return {{map::kEndTone, 0xFF}};
    case Setting::PriorityChannel:
        return {{map::kPriorityChannel, 0xFF}};
    }
    return {};
}

std::string entryText(const std::vector<std::string>& entries, int index)
{
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(index)]
                                                                  : std::string();
}

std::string bandIdText(const RadioImage& image)
{
    const auto edges = DecodeBandId(image);
    return edges ? BandText(*edges) : std::string();
}

std::string onOff(bool on)
{
    return on ? "开" : "关";
}

std::string sideKeyText(int code)
{
    const auto text = SideKeyFunctionText(code);
    return text ? std::string(*text) : "代码 " + std::to_string(code);
}

} // namespace

ImageComparison CompareImages(const RadioImage& before, const RadioImage& after, const RadioCatalog& catalog)
{
    ScreenCopy sa;
    ScreenCopy sb;
    BandLimits la;
    BandLimits lb;
    ImageToScreen(before, catalog, la, sa);
    ImageToScreen(after, catalog, lb, sb);
    Comparer c(before, after);

    for (int n = 1; n <= map::kChannelCount; ++n) {
        for (int col = kFirstDataColumn; col <= kLastDataColumn; ++col) {
            const auto column = static_cast<ChannelColumn>(col);
            c.field(DiffArea::Channel, n, std::string(kChannelHeaders[static_cast<std::size_t>(col)]),
                    sa.channel(n)[column], sb.channel(n)[column], channelBits(n, column));
        }
    }

    c.field(DiffArea::Setting, 0, "机型", entryText(sa.lists.models, sa.lists.model),
            entryText(sb.lists.models, sb.lists.model), {{map::kModelIndex, 0xFF}});
    c.field(DiffArea::Setting, 0, "频段范围", entryText(sa.lists.bands, sa.lists.band),
            entryText(sb.lists.bands, sb.lists.band), {{map::kBandIndex, 0xFF}});
    c.field(DiffArea::Setting, 0, "频段字节", bandIdText(before), bandIdText(after),
            wholeBytes(map::kBandId, map::kBandIdSize));
    c.field(DiffArea::Setting, 0, "密码", sa.settings.password, sb.settings.password,
            wholeBytes(map::kPassword, map::kPasswordSize));
    for (int i = 0; i < kSettingCount; ++i) {
        const auto s = static_cast<Setting>(i);
        c.field(DiffArea::Setting, 0, std::string(Info(s).label), entryText(Choices(s), sa.settings[s]),
                entryText(Choices(s), sb.settings[s]), settingBits(s));
    }

    const DtmfSettings da = DecodeDtmf(before);
    const DtmfSettings db = DecodeDtmf(after);
    c.field(DiffArea::Dtmf, 0, "发射侧音", onOff(da.txSideTone), onOff(db.txSideTone),
            {{map::kDtmfFlags, map::kTxSideToneBit}});
    c.field(DiffArea::Dtmf, 0, "接收侧音", onOff(da.rxSideTone), onOff(db.rxSideTone),
            {{map::kDtmfFlags, map::kRxSideToneBit}});
    c.field(DiffArea::Dtmf, 0, "PTT ID", da.code, db.code, wholeBytes(map::kPttIdCode, map::kPttIdCodeSize));

    const SideKeyCodes ka = DecodeSideKeys(before);
    const SideKeyCodes kb = DecodeSideKeys(after);
    const struct {
        SideKeyPress press;
        const char* label;
        Bits bits;
    } presses[] = {
        {Key1Short, "侧键1 短按", {map::kSideKey1, 0xF0}},
        {Key1Long, "侧键1 长按", {map::kSideKey1, 0x0F}},
        {Key2Short, "侧键2 短按", {map::kSideKey2, 0xF0}},
        {Key2Long, "侧键2 长按", {map::kSideKey2, 0x0F}},
    };
    for (const auto& p : presses)
        c.field(DiffArea::SideKey, 0, p.label, sideKeyText(ka[p.press]), sideKeyText(kb[p.press]), {p.bits});

    for (int n = 1; n <= map::kFmPresetCount; ++n) {
        c.field(DiffArea::FmPreset, n, "收音机频率", DecodeFmPreset(before, n), DecodeFmPreset(after, n),
                wholeBytes(map::kFmPresetBase + static_cast<std::size_t>(n - 1) * map::kFmPresetSize,
                           map::kFmPresetSize));
    }

    // The serial number's bytes are channel 63's record: only a serial number accounts for them.
    const std::string serialA = HoldsSerialNumber(before) ? DecodeSerialNumber(before) : std::string();
    const std::string serialB = HoldsSerialNumber(after) ? DecodeSerialNumber(after) : std::string();
    c.field(DiffArea::SerialNumber, 0, "电子串号", serialA, serialB,
            wholeBytes(map::kSerialNumber, map::kSerialNumberSize));

    return c.finish();
}

} // namespace orx
