#include "ScreenCopy.h"

#include "ChannelCodec.h"
#include "FeatureCodecs.h"

#include <algorithm>

namespace orx {

namespace {

void encodeRow(const ChannelTexts& texts, int channel, RadioImage& image)
{
    if (channel != map::kSerialNumberChannel || !texts.empty() || !HoldsSerialNumber(image)) {
        EncodeChannel(texts, channel, image);
        return;
    }
    // An empty row 63 over a serial number keeps the serial number's 16 bytes; the name and scan
    // bit, which live elsewhere, follow the rules of any empty row.
    std::array<std::uint8_t, map::kSerialNumberSize> serial{};
    const auto field = image.bytes(map::kSerialNumber, map::kSerialNumberSize);
    std::copy(field.begin(), field.end(), serial.begin());
    EncodeChannel(texts, channel, image);
    std::copy(serial.begin(), serial.end(), image.bytes(map::kSerialNumber, map::kSerialNumberSize).begin());
}

} // namespace

ChannelTexts ChannelRowTexts(const RadioImage& image, int channel)
{
    // Channel 63's record doubles as the board's serial number; a serial number is no channel.
    if (channel == map::kSerialNumberChannel && HoldsSerialNumber(image))
        return {};
    return DecodeChannel(image, channel);
}

void ImageToScreen(const RadioImage& image, const RadioCatalog& catalog, BandLimits& limits, ScreenCopy& screen)
{
    screen.lists = FillModelAndBandLists(image, catalog);
    for (int n = 1; n <= map::kChannelCount; ++n)
        screen.channel(n) = ChannelRowTexts(image, n);
    ApplyBandIdToLists(image, screen.lists, limits);
    DecodeSettings(image, screen.settings);
}

void ScreenToImage(const ScreenCopy& screen, const BandLimits& limits, RadioImage& image)
{
    EncodeBandId(limits, image);
    for (int n = 1; n <= map::kChannelCount; ++n)
        encodeRow(screen.channel(n), n, image);
    image.set(map::kBandIndex, static_cast<std::uint8_t>(screen.lists.band >= 0 ? screen.lists.band : 0));
    image.set(map::kModelIndex, static_cast<std::uint8_t>(screen.lists.model >= 0 ? screen.lists.model : 0));
    EncodeSettings(screen.settings, image);
}

RadioImage LoadAndSave(const RadioImage& image, const RadioCatalog& catalog, BandLimits& limits)
{
    ScreenCopy screen;
    ImageToScreen(image, catalog, limits, screen);
    RadioImage saved = image;
    ScreenToImage(screen, limits, saved);
    return saved;
}

} // namespace orx
