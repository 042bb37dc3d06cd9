#pragma once

// The texts of the channel grid. They are the exchange format between the grid, the cell editors,
// the tone picker and the channel codec: every text an editor writes is one the codec reads.

#include <array>
#include <string>
#include <string_view>

namespace orx {

// Grid columns of the channel table; column 0 holds the channel number.
enum ChannelColumn : int {
    ColNumber = 0,
    ColRxFrequency = 1,
    ColTxFrequency = 2,
    ColRxTone = 3,
    ColTxTone = 4,
    ColBusyLockout = 5,
    ColPower = 6,
    ColBandwidth = 7,
    ColScanAdd = 8,
    ColPttId = 9,
    ColName = 10,
};
inline constexpr int kFirstDataColumn = ColRxFrequency;
inline constexpr int kLastDataColumn = ColName;
inline constexpr int kDataColumnCount = 10;
inline constexpr int kGridColumnCount = 11;

// The ten data cells of one channel row, addressed by grid column.
struct ChannelTexts {
    std::array<std::string, kDataColumnCount> cells;

    std::string& operator[](ChannelColumn c)
    {
        return cells.at(static_cast<std::size_t>(c - kFirstDataColumn));
    }
    const std::string& operator[](ChannelColumn c) const
    {
        return cells.at(static_cast<std::size_t>(c - kFirstDataColumn));
    }
    bool empty() const { return (*this)[ColRxFrequency].empty(); }
    friend bool operator==(const ChannelTexts&, const ChannelTexts&) = default;
};

namespace text {

inline constexpr std::string_view kNoTone = "无";
inline constexpr std::string_view kAnalogPrefix = "模拟:";  // CTCSS: 模拟:67.0
inline constexpr std::string_view kDigitalPrefix = "数字:"; // DCS: 数字:023N, 数字:023I
inline constexpr std::string_view kAnalogWord = "模拟";
inline constexpr char kDcsNormal = 'N';
inline constexpr char kDcsInverted = 'I';

inline constexpr std::string_view kOff = "关";
inline constexpr std::string_view kCarrier = "载波";
inline constexpr std::string_view kSubTone = "亚音";
inline constexpr std::string_view kHigh = "高";
inline constexpr std::string_view kLow = "低";
inline constexpr std::string_view kWide = "宽";
inline constexpr std::string_view kNarrow = "窄";
inline constexpr std::string_view kYes = "是";
inline constexpr std::string_view kNo = "否";
inline constexpr std::string_view kBeforeTx = "发射前";
inline constexpr std::string_view kAfterTx = "发射后";
inline constexpr std::string_view kBoth = "两者";

} // namespace text

// Options of the choice columns, in list order (index = stored value for busy lockout and PTT ID).
inline constexpr std::array<std::string_view, 3> kBusyLockoutOptions = {text::kOff, text::kCarrier,
                                                                        text::kSubTone};
inline constexpr std::array<std::string_view, 2> kPowerOptions = {text::kHigh, text::kLow};
inline constexpr std::array<std::string_view, 2> kBandwidthOptions = {text::kWide, text::kNarrow};
inline constexpr std::array<std::string_view, 2> kScanAddOptions = {text::kYes, text::kNo};
inline constexpr std::array<std::string_view, 4> kPttIdOptions = {text::kOff, text::kBeforeTx, text::kAfterTx,
                                                                  text::kBoth};

// Column headers of the channel grid, column 0 first.
inline constexpr std::array<std::string_view, kGridColumnCount> kChannelHeaders = {
    "CH",   "接收频率", "发射频率", "接收亚音", "发射亚音", "繁忙锁定",
    "功率", "带宽",     "扫描添加", "PTT ID",   "名称"};

} // namespace orx
