// orxtool dump: the channel grid and the settings panel of a .sin file, as text; with --json also
// the DTMF, side-key, FM and serial-number dialogs, as one JSON document.

#include "Commands.h"
#include "ToolSupport.h"

#include "FeatureCodecs.h"
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

// --- JSON ---
//
// Keys are stable English names; values are the texts the window shows, as JSON numbers where the
// text is a plain decimal number (frequencies keep the window's digits: 145.12500), null where the
// window shows nothing.

// The grid columns, column 1 first.
constexpr std::string_view kChannelKeys[] = {"rx_frequency", "tx_frequency", "rx_tone",   "tx_tone",
                                             "busy_lockout", "power",        "bandwidth", "scan_add",
                                             "ptt_id",       "name"};
static_assert(std::size(kChannelKeys) == orx::kDataColumnCount);
constexpr std::string_view kSideKeyNames[] = {"key1_short", "key1_long", "key2_short", "key2_long"};
static_assert(std::size(kSideKeyNames) == orx::kSideKeyPressCount);

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04X", u);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// A JSON number exactly as written: digits without a leading zero (but "0"), an optional fraction.
bool isJsonNumber(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(whole) || (whole.size() > 1 && whole.front() == '0'))
        return false;
    return point == std::string_view::npos || digits(text.substr(point + 1));
}

// A shown value: null when nothing is shown, a number when it is one, else a string.
std::string jsonValue(std::string_view shown)
{
    if (shown.empty())
        return "null";
    return isJsonNumber(shown) ? std::string(shown) : jsonString(shown);
}

// A text that is always a string, even when it holds only digits (a name, the password).
std::string jsonText(std::string_view shown)
{
    return shown.empty() ? "null" : jsonString(shown);
}

// Bytes the radio keeps as characters, one character per byte as the serial-number dialog shows them.
std::string latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

class JsonObject {
public:
    explicit JsonObject(std::string indent) : m_indent(std::move(indent)) {}
    void add(std::string_view key, const std::string& value)
    {
        m_body += (m_body.empty() ? "" : ",\n") + m_indent + "  " + jsonString(key) + ": " + value;
    }
    std::string str() const { return "{\n" + m_body + "\n" + m_indent + "}"; }

private:
    std::string m_indent;
    std::string m_body;
};

std::string jsonArray(const std::vector<std::string>& items, const std::string& indent)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\n" : "\n") + indent + "  " + items[i];
    return out + "\n" + indent + "]";
}

std::string dumpJson(const orx::RadioImage& image, const orx::ScreenCopy& screen)
{
    JsonObject root("");

    std::vector<std::string> channels;
    for (int n = 1; n <= orx::map::kChannelCount; ++n) {
        JsonObject channel("    ");
        channel.add("channel", std::to_string(n));
        const orx::ChannelTexts& row = screen.channel(n);
        for (int c = orx::kFirstDataColumn; c <= orx::kLastDataColumn; ++c) {
            const auto col = static_cast<orx::ChannelColumn>(c);
            const std::string_view key = kChannelKeys[static_cast<std::size_t>(c - orx::kFirstDataColumn)];
            channel.add(key, col == orx::ColName ? jsonText(row[col]) : jsonValue(row[col]));
        }
        channels.push_back(channel.str());
    }
    root.add("channels", jsonArray(channels, "  "));

    JsonObject settings("  ");
    for (const auto& [setting, name] : kSettingNames)
        settings.add(name, jsonValue(entryText(orx::Choices(setting), screen.settings[setting])));
    settings.add("password", jsonText(screen.settings.password));
    settings.add("model", jsonText(entryText(screen.lists.models, screen.lists.model)));
    settings.add("band", jsonText(screen.lists.bandText()));
    root.add("settings", settings.str());

    const orx::DtmfSettings dtmf = orx::DecodeDtmf(image);
    JsonObject dtmfObject("  ");
    dtmfObject.add("tx_side_tone", jsonString(dtmf.txSideTone ? "开" : "关"));
    dtmfObject.add("rx_side_tone", jsonString(dtmf.rxSideTone ? "开" : "关"));
    dtmfObject.add("ptt_id_code", jsonText(dtmf.code));
    root.add("dtmf", dtmfObject.str());

    const orx::SideKeyCodes keys = orx::DecodeSideKeys(image);
    JsonObject sideKeys("  ");
    for (int i = 0; i < orx::kSideKeyPressCount; ++i) {
        // The dialog's lists offer five functions; a code they do not offer shows nothing.
        const int choice = orx::SideKeyChoiceIndex(keys[static_cast<std::size_t>(i)]);
        sideKeys.add(kSideKeyNames[i],
                     choice < 0 ? "null"
                                : jsonString(orx::kSideKeyChoices[static_cast<std::size_t>(choice)]));
    }
    root.add("side_keys", sideKeys.str());

    std::vector<std::string> presets;
    for (int n = 1; n <= orx::map::kFmPresetCount; ++n)
        presets.push_back(jsonValue(orx::DecodeFmPreset(image, n)));
    root.add("fm_presets", jsonArray(presets, "  "));

    // Channel 63's record holds either a channel or the serial number; only a serial number is one.
    root.add("serial_number",
             orx::HoldsSerialNumber(image) ? jsonText(latin1ToUtf8(orx::DecodeSerialNumber(image))) : "null");
    return root.str() + "\n";
}

} // namespace

int RunDump(const Invocation& invocation)
{
    orx::RadioCatalog catalog;
    orx::RadioImage image;
    if (!LoadWithCatalog(invocation, 0, image, catalog))
        return ExitBadInput;

    orx::BandLimits limits; // as at program start
    orx::ScreenCopy screen;
    orx::ImageToScreen(image, catalog, limits, screen);

    if (invocation.flag("--json"))
        return WriteOutput("-", dumpJson(image, screen)) ? ExitOk : ExitOutputFailed;

    std::string out;
    for (int n = 1; n <= orx::map::kChannelCount; ++n) {
        out += std::to_string(n);
        for (const std::string& cell : screen.channel(n).cells) {
            out += '\t';
            out += cell;
        }
        out += '\n';
    }
    for (const auto& [setting, name] : kSettingNames)
        addLine(out, name, entryText(orx::Choices(setting), screen.settings[setting]));
    addLine(out, "password", screen.settings.password);
    addLine(out, "model", entryText(screen.lists.models, screen.lists.model));
    addLine(out, "band", screen.lists.bandText());

    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError("cannot write the output");
        return ExitOutputFailed;
    }
    return ExitOk;
}

} // namespace orxtool
