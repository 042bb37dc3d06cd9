#pragma once

// What the main window shows of an image: the model and band lists, the settings panel and the
// 128 channel rows, all as texts and list selections. The view only moves these to and from its
// widgets; the conversions themselves live here, so that the command-line tool and the tests run
// exactly the code the window runs.

#include "Band.h"
#include "GridTexts.h"
#include "RadioImage.h"
#include "SettingsCodec.h"

#include <array>

namespace orx {

struct ScreenCopy {
    BandSelection lists;
    SettingsSelection settings;
    std::array<ChannelTexts, map::kChannelCount> channels; // channels[0] is channel 1

    ChannelTexts& channel(int n) { return channels.at(static_cast<std::size_t>(n - 1)); }
    const ChannelTexts& channel(int n) const { return channels.at(static_cast<std::size_t>(n - 1)); }
    friend bool operator==(const ScreenCopy&, const ScreenCopy&) = default;
};

// The texts grid row n shows for the image: channel n decoded, except that a serial number in
// channel 63's record shows as an empty row.
ChannelTexts ChannelRowTexts(const RadioImage& image, int channel);

// Image to screen: both lists, the display mode, every channel, the band id (which may move the
// band selection and sets the limits), the password and the other settings.
void ImageToScreen(const RadioImage& image, const RadioCatalog& catalog, BandLimits& limits, ScreenCopy& screen);

// Screen to image: settings, band id from the limits in force, every channel, the list indexes.
void ScreenToImage(const ScreenCopy& screen, const BandLimits& limits, RadioImage& image);

// Opening a file in the program and saving it at once: the bytes that save writes.
RadioImage LoadAndSave(const RadioImage& image, const RadioCatalog& catalog, BandLimits& limits);

} // namespace orx
