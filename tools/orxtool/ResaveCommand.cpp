// orxtool resave: the file the program writes when it opens a .sin file and saves it at once.

#include "Commands.h"
#include "ToolSupport.h"

#include "ChannelDataFile.h"
#include "ScreenCopy.h"

namespace orxtool {

int RunResave(const Invocation& invocation)
{
    orx::RadioCatalog catalog;
    orx::RadioImage image;
    if (!LoadWithCatalog(invocation, 0, image, catalog))
        return ExitBadInput;

    orx::BandLimits limits; // as at program start
    const orx::RadioImage saved = orx::LoadAndSave(image, catalog, limits);
    const std::string& out = invocation.arguments.at(1);
    std::string error;
    if (!orx::SaveChannelData(out, saved, &error)) {
        PrintError("cannot write '" + out + "': " + error);
        return ExitOutputFailed;
    }
    return ExitOk;
}

} // namespace orxtool
