// orxtool dump: the channel grid and the settings panel of a .sin file, as text in the language
// chosen; with --json the whole image as the JSON document of json-export.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "ScreenCopy.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace orxtool {

namespace {

// Line names of the settings, in the order the panel fills its lists.
struct SettingName {
    orx::Setting setting;
    std::string_view name;
};
constexpr SettingName kSettingNames[] = {
    {orx::Setting::DisplayMode, "display_mode"},
    {orx::Setting::ScanMode, "scan_mode"},
    {orx::Setting::TailElimination, "tail_elimination"},
    {orx::Setting::ManualSetting, "manual_setting"},
    {orx::Setting::Beep, "beep"},
    {orx::Setting::BatterySave, "battery_save"},
    {orx::Setting::Squelch, "squelch"},
    {orx::Setting::TimeLimit, "time_limit"},
    {orx::Setting::VoxLevel, "vox_level"},
    {orx::Setting::EndTone, "end_tone"},
    {orx::Setting::PriorityChannel, "priority_channel"},
};
static_assert(std::size(kSettingNames) == orx::kSettingCount);

// The text of a list's selected entry; empty when nothing is selected.
std::string entryText(const std::vector<std::string>& entries, int index)
{
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(index)]
                                                                  : std::string();
}

void addLine(std::string& out, std::string_view name, const std::string& value)
{
    out.append(name);
    out += '=';
    out += value;
    out += '\n';
}

} // namespace

int RunDump(const Invocation& invocation)
{
    const std::string output = invocation.arguments.size() > 1 ? invocation.arguments[1] : "-";
    if (invocation.flag("--json"))
        return ExportJson(invocation, output);
    orx::RadioCatalog catalog;
    orx::RadioImage image;
    if (!LoadWithCatalog(invocation, 0, image, catalog))
        return ExitBadInput;

    orx::BandLimits limits; // as at program start
    orx::ScreenCopy screen;
    orx::ImageToScreen(image, catalog, limits, screen);

    std::string out;
    for (int n = 1; n <= orx::map::kChannelCount; ++n) {
        out += std::to_string(n);
        const orx::ChannelTexts& row = screen.channel(n);
        for (int c = orx::kFirstDataColumn; c <= orx::kLastDataColumn; ++c) {
            const auto column = static_cast<orx::ChannelColumn>(c);
            out += '\t';
            out += ShownCell(column, row[column]);
        }
        out += '\n';
    }
    for (const auto& [setting, name] : kSettingNames)
        addLine(out, name, Tr(std::string_view(entryText(orx::Choices(setting), screen.settings[setting]))));
    addLine(out, "password", screen.settings.password);
    addLine(out, "model", entryText(screen.lists.models, screen.lists.model));
    addLine(out, "band", screen.lists.bandText());

    return WriteOutput(output, out) ? ExitOk : ExitOutputFailed;
}

} // namespace orxtool
