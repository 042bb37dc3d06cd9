#include "ScreenCopy.h"

namespace orx {

void ImageToScreen(const RadioImage& image, const RadioCatalog& catalog, BandLimits& limits,
                   ScreenCopy& screen)
{
    screen.lists = FillModelAndBandLists(image, catalog);
    screen.channels = ChannelEntryTable::FromImage(image);
    ApplyBandIdToLists(image, screen.lists, limits);
    ShowBandInForce(screen.lists, limits);
    DecodeSettings(image, screen.settings);
}

void ScreenToImage(const ScreenCopy& screen, const BandLimits& limits, RadioImage& image)
{
    EncodeBandId(limits, image);
    screen.channels.StoreInto(image);
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
