// orxtool resave: the file the program writes when it opens a .sin file and saves it at once.

#include "Commands.h"
#include "ToolSupport.h"

#include "ChannelDataFile.h"
#include "ScreenCopy.h"

namespace orxtool {

int RunResave(const Invocation& invocation)
{
    if (RefuseBinaryToTerminal(invocation.arguments.at(1)))
        return ExitBadInput;
    orx::RadioCatalog catalog;
    orx::RadioImage image;
    if (!LoadWithCatalog(invocation, 0, image, catalog))
        return ExitBadInput;

    orx::BandLimits limits; // as at program start
    const orx::RadioImage saved = orx::LoadAndSave(image, catalog, limits);
    return SaveOutput(invocation.arguments.at(1), saved) ? ExitOk : ExitOutputFailed;
}

} // namespace orxtool
