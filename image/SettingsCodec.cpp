#include "SettingsCodec.h"

#include "DecimalScale.h"

#include <cctype>
#include <cstdlib>

namespace orx {

namespace {

std::vector<std::string> numbered(std::string_view first, int from, int to, int step = 1)
{
    std::vector<std::string> v;
    if (!first.empty())
        v.emplace_back(first);
    for (int n = from; n <= to; n += step)
        v.push_back(std::to_string(n));
    return v;
}

constexpr std::string_view kOn = "开";
constexpr std::string_view kOff = "关";

const SettingInfo kInfo[kSettingCount] = {
    {Setting::DisplayMode, "显示方式"},
    {Setting::ScanMode, "扫描模式"},
    {Setting::TailElimination, "尾音消除"},
    {Setting::ManualSetting, "手动设置"},
    {Setting::Beep, "提示音"},
    {Setting::BatterySave, "电池省电"},
    {Setting::Squelch, "静噪等级"},
    {Setting::TimeLimit, "发射限时"},
    {Setting::VoxLevel, "声控电平"},
    {Setting::EndTone, "发射结束提示音"},
    {Setting::PriorityChannel, "优先信道"},
};

const std::vector<std::string>* buildChoices()
{
    static const std::vector<std::string> lists[kSettingCount] = {
        {"信道模式", "频率模式", "频/信模式"},
        {"时间", "载波", "搜索"},
        {std::string(kOff), "120度相位偏移", "180度相位偏移", "240度相位偏移"},
        {std::string(kOn), std::string(kOff)},
        {std::string(kOn), std::string(kOff)},
        {std::string(kOn), std::string(kOff)},
        numbered("", 0, 9),
        numbered(kOff, 30, 300, 30),
        numbered(kOff, 1, 9),
        numbered(kOff, 1, 10),
        numbered("无", 1, 128),
    };
    return lists;
}

// Tail elimination list index <-> bits 6-7 of 0x811.
constexpr std::uint8_t kTailBits[4] = {0xC0, 0x00, 0x40, 0x80};

int entryNumber(Setting s, int index)
{
    const auto& list = Choices(s);
    if (index < 0 || index >= static_cast<int>(list.size()))
        return 0;
    return LeadingInteger(list[static_cast<std::size_t>(index)]);
}

int selectNumber(Setting s, int number)
{
    return SelectByPrefix(Choices(s), std::to_string(number));
}

int indexOrZero(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

void encodeSwitch(const SettingsSelection& in, Setting s, std::uint8_t bit, RadioImage& image)
{
    image.setBits(map::kSwitches, bit, in[s] == 0 ? bit : 0);
}

} // namespace

const SettingInfo& Info(Setting s)
{
    return kInfo[static_cast<int>(s)];
}

const std::vector<std::string>& Choices(Setting s)
{
    static const std::vector<std::string>* lists = buildChoices();
    return lists[static_cast<int>(s)];
}

int SelectByPrefix(const std::vector<std::string>& entries, std::string_view text)
{
    if (entries.empty())
        return kNoSelection;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& e = entries[i];
        if (e.size() < text.size())
            continue;
        bool match = true;
        for (std::size_t k = 0; k < text.size() && match; ++k)
            match = std::tolower(static_cast<unsigned char>(e[k])) ==
                    std::tolower(static_cast<unsigned char>(text[k]));
        if (match)
            return static_cast<int>(i);
    }
    return 0;
}

std::string DecodePassword(const RadioImage& image)
{
    std::string password;
    for (std::uint8_t b : image.bytes(map::kPassword, map::kPasswordSize)) {
        if (b >= '0' && b <= '9')
            password += static_cast<char>(b);
    }
    return password;
}

void EncodePassword(std::string_view password, RadioImage& image)
{
    for (std::size_t k = 0; k < map::kPasswordSize; ++k) {
        const bool digit = k < password.size() && password[k] >= '0' && password[k] <= '9';
        image.set(map::kPassword + k, digit ? static_cast<std::uint8_t>(password[k]) : 0xFF);
    }
}

void DecodeSettings(const RadioImage& image, SettingsSelection& out)
{
    const std::uint8_t display = image.at(map::kDisplayMode) & map::kDisplayModeMask;
    out[Setting::DisplayMode] = (display == 1 || display == 2) ? display : 0;

    out.password = DecodePassword(image);
    out[Setting::ManualSetting] = image.bit(map::kSwitches, map::kManualBit) ? 0 : 1;
    out[Setting::Beep] = image.bit(map::kSwitches, map::kBeepBit) ? 0 : 1;
    out[Setting::BatterySave] = image.bit(map::kSwitches, map::kBatterySaveBit) ? 0 : 1;
    out[Setting::Squelch] = selectNumber(Setting::Squelch, image.at(map::kSquelch));
    out[Setting::TimeLimit] = selectNumber(Setting::TimeLimit, image.at(map::kTimeLimit) * 30);
    out[Setting::VoxLevel] = selectNumber(Setting::VoxLevel, image.at(map::kVoxLevel));

    const int endTone = image.at(map::kEndTone);
    out[Setting::EndTone] = indexOrZero(endTone, static_cast<int>(Choices(Setting::EndTone).size()));
    const int priority = image.at(map::kPriorityChannel);
    out[Setting::PriorityChannel] =
        priority < static_cast<int>(Choices(Setting::PriorityChannel).size()) ? priority : kNoSelection;

    const std::uint8_t scanTail = image.at(map::kScanAndTail);
    const std::uint8_t tail = scanTail & map::kTailMask;
    for (int i = 0; i < 4; ++i) {
        if (kTailBits[i] == tail)
            out[Setting::TailElimination] = i;
    }
    const std::uint8_t scan = scanTail & map::kScanModeMask;
    out[Setting::ScanMode] = (scan == 1 || scan == 2) ? scan : 0;
}

void EncodeSettings(const SettingsSelection& in, RadioImage& image)
{
    const int display = in[Setting::DisplayMode];
    image.setBits(map::kDisplayMode, map::kDisplayModeMask,
                  static_cast<std::uint8_t>(display == 1 || display == 2 ? display : 0));

    encodeSwitch(in, Setting::ManualSetting, map::kManualBit, image);
    EncodePassword(in.password.substr(0, std::min(in.password.size(), kPasswordMaxLength)), image);
    encodeSwitch(in, Setting::Beep, map::kBeepBit, image);
    encodeSwitch(in, Setting::BatterySave, map::kBatterySaveBit, image);
    image.set(map::kTimeLimit,
              static_cast<std::uint8_t>(entryNumber(Setting::TimeLimit, in[Setting::TimeLimit]) / 30));
    image.set(map::kSquelch, static_cast<std::uint8_t>(entryNumber(Setting::Squelch, in[Setting::Squelch])));
    image.set(map::kVoxLevel,
              static_cast<std::uint8_t>(entryNumber(Setting::VoxLevel, in[Setting::VoxLevel])));

    const int endTone = in[Setting::EndTone];
    image.set(map::kEndTone, static_cast<std::uint8_t>(endTone >= 0 ? endTone : 0));
    const int priority = in[Setting::PriorityChannel];
    image.set(map::kPriorityChannel, static_cast<std::uint8_t>(priority >= 0 ? priority : 0xFF));

    const int tail = in[Setting::TailElimination];
    image.setBits(map::kScanAndTail, map::kTailMask, tail >= 0 && tail < 4 ? kTailBits[tail] : 0x00);
    const int scan = in[Setting::ScanMode];
    image.setBits(map::kScanAndTail, map::kScanModeMask,
                  static_cast<std::uint8_t>(scan == 1 || scan == 2 ? scan : 0));
}

} // namespace orx
