#include "Band.h"

#include "SettingsCodec.h"

#include <cctype>

namespace orx {

namespace {

constexpr int kMaxBandEdge = 999; // three decimal digits in the band bytes

// sscanf-style %d: optional blanks, optional sign, digits. Advances pos past what it read.
bool scanInt(std::string_view s, std::size_t& pos, long long& out)
{
    std::size_t i = pos;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t digitsStart = i;
    long long v = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        if (v < 1000000000LL)
            v = v * 10 + (s[i] - '0');
        ++i;
    }
    if (i == digitsStart)
        return false;
    out = negative ? -v : v;
    pos = i;
    return true;
}

} // namespace

std::optional<BandEdges> DecodeBandId(const RadioImage& image)
{
    const std::uint8_t b0 = image.at(map::kBandId);
    const std::uint8_t b1 = image.at(map::kBandId + 1);
    const std::uint8_t b2 = image.at(map::kBandId + 2);
    if (b0 == 0xFF || b1 == 0xFF || b2 == 0xFF)
        return std::nullopt;
    BandEdges e;
    e.low = (b0 >> 4) * 100 + (b0 & 0x0F) * 10 + (b2 >> 4);
    e.high = (b1 >> 4) * 100 + (b1 & 0x0F) * 10 + (b2 & 0x0F);
    return e;
}

void EncodeBandId(const BandLimits& limits, RadioImage& image)
{
    const std::uint32_t low = limits.lower / kUnitsPerMHz;
    const std::uint32_t high = limits.upper / kUnitsPerMHz;
    image.set(map::kBandId, static_cast<std::uint8_t>((low / 100) * 16 + (low / 10) % 10));
    image.set(map::kBandId + 1, static_cast<std::uint8_t>((high / 100) * 16 + (high / 10) % 10));
    image.set(map::kBandId + 2, static_cast<std::uint8_t>((low % 10) * 16 + high % 10));
}

std::string BandText(const BandEdges& edges)
{
    return std::to_string(edges.low) + "-" + std::to_string(edges.high) + "MHz";
}

bool ApplyBandText(std::string_view text, BandLimits& limits)
{
    if (text.empty())
        return false;
    std::size_t pos = 0;
    long long low = 0;
    long long high = 0;
    if (!scanInt(text, pos, low) || pos >= text.size() || text[pos] != '-')
        return false;
    ++pos;
    if (!scanInt(text, pos, high))
        return false;
    if (low < 0 || high < 0 || low > kMaxBandEdge || high > kMaxBandEdge || low >= high)
        return false;
    limits.lower = static_cast<std::uint32_t>(low) * kUnitsPerMHz;
    limits.upper = static_cast<std::uint32_t>(high) * kUnitsPerMHz;
    return true;
}

std::vector<std::string> SplitBandField(std::string_view field)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= field.size()) {
        const std::size_t end = field.find(';', start);
        const std::string_view piece = field.substr(start, end == std::string_view::npos ? end : end - start);
        if (!piece.empty())
            pieces.emplace_back(piece);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return pieces;
}

std::string BandSelection::bandText() const
{
    if (band < 0 || band >= static_cast<int>(bands.size()))
        return {};
    return bands[static_cast<std::size_t>(band)];
}

BandSelection FillModelAndBandLists(const RadioImage& image, const RadioCatalog& catalog)
{
    BandSelection s;
    int m = image.at(map::kModelIndex);
    const int b = image.at(map::kBandIndex);
    for (const auto& name : catalog.models) {
        if (name.empty() || static_cast<int>(s.models.size()) >= kMaxModels)
            break;
        s.models.push_back(name);
    }
    if (m >= static_cast<int>(s.models.size()))
        m = 0;
    s.model = m < static_cast<int>(s.models.size()) ? m : -1;
    s.bands = SplitBandField(catalog.fields[static_cast<std::size_t>(m)]);
    s.band = b < static_cast<int>(s.bands.size()) ? b : -1;
    return s;
}

void SelectModel(BandSelection& lists, int model, const RadioCatalog& catalog, BandLimits& limits)
{
    if (model < 0 || model >= static_cast<int>(lists.models.size()) || model >= kMaxModels)
        return;
    lists.model = model;
    lists.bands = SplitBandField(catalog.fields[static_cast<std::size_t>(model)]);
    lists.extraBand = false;
    lists.band = lists.bands.empty() ? -1 : 0;
    ApplyBandText(lists.bandText(), limits);
    ShowBandInForce(lists, limits);
}

void SelectBand(BandSelection& lists, int band, BandLimits& limits)
{
    if (band < 0 || band >= static_cast<int>(lists.bands.size()))
        return;
    lists.band = band;
    ApplyBandText(lists.bandText(), limits);
    ShowBandInForce(lists, limits);
}

void ShowBandInForce(BandSelection& lists, const BandLimits& limits)
{
    const int configured = static_cast<int>(lists.bands.size()) - (lists.extraBand ? 1 : 0);
    auto applies = [&](int i) {
        BandLimits entry{0, 0};
        return i >= 0 && i < configured && ApplyBandText(lists.bands[static_cast<std::size_t>(i)], entry) &&
               entry == limits;
    };
    int shown = applies(lists.band) ? lists.band : -1;
    for (int i = 0; shown < 0 && i < configured; ++i) {
        if (applies(i))
            shown = i;
    }
    if (shown >= 0) {
        if (lists.extraBand)
            lists.bands.pop_back();
        lists.extraBand = false;
        lists.band = shown;
        return;
    }
    const std::string text = BandText(
        {static_cast<int>(limits.lower / kUnitsPerMHz), static_cast<int>(limits.upper / kUnitsPerMHz)});
    if (lists.extraBand)
        lists.bands.back() = text;
    else
        lists.bands.push_back(text);
    lists.extraBand = true;
    lists.band = static_cast<int>(lists.bands.size()) - 1;
}

void ApplyBandIdToLists(const RadioImage& image, BandSelection& lists, BandLimits& limits)
{
    const auto edges = DecodeBandId(image);
    // Nibbles above 9 can spell edges of 1000 MHz and more, which no limit can carry back into the
    // band bytes: such an image keeps the selection and limits in force, as an erased one does.
    if (!edges || edges->low > kMaxBandEdge || edges->high > kMaxBandEdge)
        return;
    lists.band = SelectByPrefix(lists.bands, BandText(*edges));
    limits.lower = static_cast<std::uint32_t>(edges->low) * kUnitsPerMHz;
    limits.upper = static_cast<std::uint32_t>(edges->high) * kUnitsPerMHz;
}

} // namespace orx
