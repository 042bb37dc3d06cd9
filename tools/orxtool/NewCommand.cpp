// orxtool new: the file the program saves for a new document, as it stands right after start-up:
// model 0 and its first band entry, the band limits of the program's start (136-174 MHz), or the
// band given with --band as if the user had chosen it.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "Texts.h"

#include "ScreenCopy.h"

#include <cctype>

namespace orxtool {

namespace {

bool startsWithIgnoringCase(const std::string& entry, const std::string& prefix)
{
    if (entry.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(entry[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// The user's choice of a band: the first model whose list has an entry for it, and that entry;
// without one the lists stay as they are and only the limits (and so the band bytes) change.
void chooseBand(const orx::BandLimits& band, const orx::RadioCatalog& catalog, orx::ScreenCopy& screen,
                orx::BandLimits& limits)
{
    const std::string text = orx::BandText(
        {static_cast<int>(band.lower / orx::kUnitsPerMHz), static_cast<int>(band.upper / orx::kUnitsPerMHz)});
    for (int model = 0; model < static_cast<int>(screen.lists.models.size()); ++model) {
        const std::vector<std::string> bands =
            orx::SplitBandField(catalog.fields[static_cast<std::size_t>(model)]);
        for (std::size_t entry = 0; entry < bands.size(); ++entry) {
            if (startsWithIgnoringCase(bands[entry], text)) {
                orx::SelectModel(screen.lists, model, catalog, limits);
                orx::SelectBand(screen.lists, static_cast<int>(entry), limits);
                limits = band;
                return;
            }
        }
    }
    limits = band;
}

} // namespace

int RunNew(const Invocation& invocation)
{
    const std::string& out = invocation.arguments.at(0);
    if (RefuseBinaryToTerminal(out))
        return ExitBadInput;
    orx::BandLimits band;
    const std::string* bandOption = invocation.option("--band");
    if (bandOption && !orx::ApplyBandText(*bandOption, band)) {
        PrintError(Tr(res::kToolBadBand));
        return ExitBadInput;
    }
    orx::RadioCatalog catalog;
    if (!ReadCatalog(invocation, catalog))
        return ExitBadInput;

    orx::RadioImage image;
    image.resetToNewDocument();
    orx::BandLimits limits; // as at program start
    orx::ScreenCopy screen;
    orx::ImageToScreen(image, catalog, limits, screen);
    if (bandOption)
        chooseBand(band, catalog, screen, limits);
    orx::RadioImage saved = image;
    orx::ScreenToImage(screen, limits, saved);
    return SaveOutput(out, saved) ? ExitOk : ExitOutputFailed;
}

} // namespace orxtool
