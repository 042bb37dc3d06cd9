#pragma once

// What the main window shows of an image: the model and band lists, the settings panel and the
// 128 channel rows, all as texts and list selections, each channel row with the bytes it came from.
// The view only moves these to and from its widgets; the conversions themselves live here, so that
// the command-line tool and the tests run exactly the code the window runs.

#include "Band.h"
#include "ChannelEntryTable.h"
#include "GridTexts.h"
#include "RadioImage.h"
#include "SettingsCodec.h"

namespace orx {

struct ScreenCopy {
    BandSelection lists;
    SettingsSelection settings;
    ChannelEntryTable channels;

    // The texts of row n (1..128); editing them keeps the row's bytes.
    ChannelTexts& channel(int n) { return channels.texts(n); }
    const ChannelTexts& channel(int n) const { return channels.texts(n); }
    friend bool operator==(const ScreenCopy&, const ScreenCopy&) = default;
};

// Image to screen: both lists, every channel with its bytes (row 63 fixed while it holds the
// serial number), the band id (which may move the band selection and sets the limits), the band
// in force shown in the band list, the password and the other settings.
void ImageToScreen(const RadioImage& image, const RadioCatalog& catalog, BandLimits& limits,
                   ScreenCopy& screen);

// Screen to image: settings, band id from the limits in force, every channel entry at its row, the
// list indexes.
void ScreenToImage(const ScreenCopy& screen, const BandLimits& limits, RadioImage& image);

// Opening a file in the program and saving it at once: the bytes that save writes.
RadioImage LoadAndSave(const RadioImage& image, const RadioCatalog& catalog, BandLimits& limits);

} // namespace orx
