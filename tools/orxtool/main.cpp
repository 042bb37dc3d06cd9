// orxtool: the radio program's handling of .sin files from the command line. The commands run the
// very image code the window runs, so their output is what the program would show or save.
//
// A new subcommand is one function (Commands.h) and one row in kCommands below; a new option is one
// row in kOptions and its name in the rows of the commands that take it.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

#include "Texts.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orxtool;

constexpr std::string_view kVersion = ORX_VERSION;

// An option: a value follows it ("--ini PATH" or "--ini=PATH"), or it is a flag on its own. An option
// that sets a grid column takes that column's values in either language.
struct Option {
    std::string_view name;
    std::string_view value;      // as the usage shows it; empty for a flag
    const char* help;            // a text of the catalogue
    int column = orx::ColNumber; // the grid column whose values it takes; ColNumber for none
    bool isFlag() const { return value.empty(); }
};

// Options every command takes.
constexpr std::string_view kGlobalOptions[] = {"--lang", "--quiet"};

const Option kOptions[] = {
    {"--ini", "PATH", res::kToolIniHelp},
    {"--band", "LOW-HIGH", res::kToolBandHelp},
    {"--password", "DIGITS", res::kToolPasswordHelp},
    {"--json", "", res::kToolJsonHelp},
    {"--verify", "", res::kToolVerifyHelp},
    {"--no-backup", "", res::kToolNoBackupHelp},
    {"--serial-from-file", "", res::kToolSerialFromFileHelp},
    {"--repeat", "N", res::kToolRepeatHelp},
    {"--by", "KEY", res::kToolByHelp},
    {"--descending", "", res::kToolDescendingHelp},
    {"--channels", "LIST", res::kToolChannelsHelp},
    {"--offset", "OFFSET", res::kToolOffsetHelp},
    {"--tx", "MHZ", res::kToolTxHelp},
    {"--rx-tone", "TONE", res::kToolRxToneHelp, orx::ColRxTone},
    {"--tx-tone", "TONE", res::kToolTxToneHelp, orx::ColTxTone},
    {"--busy-lockout", "VALUE", res::kToolBusyLockoutHelp, orx::ColBusyLockout},
    {"--power", "VALUE", res::kToolPowerHelp, orx::ColPower},
    {"--bandwidth", "VALUE", res::kToolBandwidthHelp, orx::ColBandwidth},
    {"--scan-add", "VALUE", res::kToolScanAddHelp, orx::ColScanAdd},
    {"--ptt-id", "VALUE", res::kToolPttIdHelp, orx::ColPttId},
    {"--name-prefix", "TEXT", res::kToolNamePrefixHelp},
    {"--first-channel", "N", res::kToolFirstChannelHelp},
    {"-o", "FILE", res::kToolOutputHelp},
    {"--quiet", "", res::kToolQuietHelp},
    {"--lang", "LANG", res::kToolLangHelp},
};

struct Command {
    std::string_view name;
    std::string_view arguments; // as the usage shows them
    std::size_t argumentCount;
    std::array<std::string_view, 14> options; // the names of the options it takes
    const char* summary;                      // a text of the catalogue
    int (*run)(const Invocation&);
};

const Command kCommands[] = {
    {"new", "OUT.sin", 1, {"--band", "--ini", "-o"}, res::kToolNewSummary, RunNew},
    {"dump", "FILE.sin", 1, {"--json", "--ini", "-o"}, res::kToolDumpSummary, RunDump},
    {"resave", "IN.sin OUT.sin", 2, {"--ini", "-o"}, res::kToolResaveSummary, RunResave},
    {"diff", "A.sin B.sin", 2, {"--ini"}, res::kToolDiffSummary, RunDiff},
    {"csv-export", "IN.sin OUT.csv", 2, {"-o"}, res::kToolCsvExportSummary, RunCsvExport},
    {"csv-import",
     "IN.sin DATA.csv OUT.sin",
     3,
     {"--first-channel", "--ini", "-o"},
     res::kToolCsvImportSummary,
     RunCsvImport},
    {"sort",
     "IN.sin OUT.sin",
     2,
     {"--by", "--channels", "--descending", "--ini", "-o"},
     res::kToolSortSummary,
     RunSort},
    {"set",
     "IN.sin OUT.sin",
     2,
     {"--channels", "--offset", "--tx", "--rx-tone", "--tx-tone", "--busy-lockout", "--power", "--bandwidth",
      "--scan-add", "--ptt-id", "--name-prefix", "--ini", "-o"},
     res::kToolSetSummary,
     RunSet},
    {"read", "PORT OUT.sin", 2, {"--password", "--no-backup", "-o"}, res::kToolReadSummary, RunRead},
    {"write",
     "PORT IN.sin",
     2,
     {"--band", "--ini", "--verify", "--no-backup", "--serial-from-file", "--repeat"},
     res::kToolWriteSummary,
     RunWrite},
    {"json-export", "IN.sin OUT.json", 2, {"--ini", "-o"}, res::kToolJsonExportSummary, RunJsonExport},
    {"json-import", "DATA.json OUT.sin", 2, {"-o"}, res::kToolJsonImportSummary, RunJsonImport},
};

// Where -o puts its file among the positional arguments: the index of the command's OUT argument
// (dump: an extra one; the text goes to standard output without -o).
std::size_t outputIndex(const Command& c)
{
    return c.name == "dump" ? 1 : c.argumentCount - 1;
}

const Command* findCommand(std::string_view name)
{
    for (const Command& c : kCommands) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

const Option* findOption(std::string_view name)
{
    for (const Option& o : kOptions) {
        if (o.name == name)
            return &o;
    }
    return nullptr;
}

bool takesOption(const Command& command, std::string_view option)
{
    return std::find(command.options.begin(), command.options.end(), option) != command.options.end() ||
           std::find(std::begin(kGlobalOptions), std::end(kGlobalOptions), option) !=
               std::end(kGlobalOptions);
}

// What the values of an option are, for the help of a command; empty when it lists none.
std::string optionValues(const Option& o)
{
    if (o.column == orx::ColNumber || o.column == orx::ColRxTone || o.column == orx::ColTxTone)
        return std::string();
    return ChoiceValues(static_cast<orx::ChannelColumn>(o.column));
}

// The help of an option in the language chosen.
std::string optionHelp(const Option& o)
{
    if (o.column == orx::ColRxTone)
        return Tr(o.help, {"none/无, 88.5 Hz/模拟:88.5, D023N/数字:023N, D023I/数字:023I"});
    return Tr(o.help);
}

// A command's summary: sort and set name the window's command they do, in its own words.
std::string summary(const Command& c)
{
    return Tr(c.summary, {c.name == "sort" ? "排序" : "批量设置"});
}

std::string optionUsage(const Option& o)
{
    return o.isFlag() ? std::string(o.name) : std::string(o.name) + " " + std::string(o.value);
}

std::string synopsis(const Command& c)
{
    std::string line = "orxtool " + std::string(c.name) + " " + std::string(c.arguments);
    for (std::string_view name : c.options) {
        if (const Option* o = name.empty() ? nullptr : findOption(name))
            line += " [" + optionUsage(*o) + "]";
    }
    return line;
}

void printUsage(std::FILE* to)
{
    std::string text = Tr(res::kToolUsageHead) + "\n" + Tr(res::kToolCommandsHead) + "\n";
    std::size_t width = 0;
    for (const Command& c : kCommands)
        width = std::max(width, c.name.size() + 1 + c.arguments.size());
    for (const Command& c : kCommands) {
        std::string left = std::string(c.name) + " " + std::string(c.arguments);
        left.resize(width, ' ');
        text += "  " + left + "  " + summary(c) + "\n";
    }
    text += "\n" + Tr(res::kToolOptionsHead) + "\n";
    std::size_t optionWidth = std::string_view("-h, --help").size();
    for (const Option& o : kOptions)
        optionWidth = std::max(optionWidth, optionUsage(o).size());
    const std::string indent(2 + optionWidth + 3, ' ');
    auto addOption = [&](std::string left, const std::string& help) {
        left.resize(optionWidth, ' ');
        std::string body(help);
        for (std::size_t at = body.find('\n'); at != std::string::npos; at = body.find('\n', at + 1))
            body.insert(at + 1, indent);
        text += "  " + left + "   " + body + "\n";
    };
    for (const Option& o : kOptions)
        addOption(optionUsage(o), optionHelp(o));
    addOption("-h, --help", Tr(res::kToolHelpHelp));
    addOption("--version", Tr(res::kToolVersionHelp));
    text += "\n" + Tr(res::kToolFilesText) + "\n" + Tr(res::kToolExitStatusText);
    std::fputs(text.c_str(), to);
}

// VERB --help: the usage line, then each option the command takes with the values it takes.
void printCommandHelp(const Command& c)
{
    std::string text = Tr(res::kToolUsageLine, {synopsis(c)}) + "\n\n" + summary(c) + "\n";
    std::size_t width = 0;
    std::vector<const Option*> options;
    for (std::string_view name : c.options) {
        if (const Option* o = name.empty() ? nullptr : findOption(name))
            options.push_back(o);
    }
    for (std::string_view name : kGlobalOptions)
        options.push_back(findOption(name));
    for (const Option* o : options)
        width = std::max(width, optionUsage(*o).size());
    text += "\n" + Tr(res::kToolOptionsHead) + "\n";
    const std::string indent(2 + width + 3, ' ');
    for (const Option* o : options) {
        std::string left = optionUsage(*o);
        left.resize(width, ' ');
        std::string body = optionHelp(*o);
        const std::string values = optionValues(*o);
        if (!values.empty())
            body += ": " + values;
        for (std::size_t at = body.find('\n'); at != std::string::npos; at = body.find('\n', at + 1))
            body.insert(at + 1, indent);
        text += "  " + left + "   " + body + "\n";
    }
    std::fputs(text.c_str(), stdout);
}

int usageError(const std::string& message, const Command* command)
{
    PrintError(message);
    if (command)
        std::fprintf(stderr, "%s\n", Tr(res::kToolUsageLine, {synopsis(*command)}).c_str());
    else
        printUsage(stderr);
    return ExitBadInput;
}

} // namespace

int main(int argc, char** argv)
{
    LocateProgramFolder();
    // The application object carries the program's name (the backups go to orxprog's data folder)
    // and the translation of the program's texts.
    int appArgc = 1;
    QCoreApplication app(appArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orxprog"));
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string commandName;
    bool haveCommand = false;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    Invocation invocation;
    std::vector<std::string> given; // option names in the order given, for the check below

    // The language first, so that a mistake on the command line is told in it.
    std::string lang;
    bool langGiven = false;
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            lang = args[i + 1];
            langGiven = true;
        } else if (args[i].rfind("--lang=", 0) == 0) {
            lang = args[i].substr(7);
            langGiven = true;
        }
    }
    if (!SetUpLanguage(langGiven ? &lang : nullptr))
        return ExitBadInput;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-" names standard input or output; anything else that begins with '-' is an option.
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (!haveCommand) {
                commandName = arg;
                haveCommand = true;
            } else {
                invocation.arguments.push_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            help = true;
            continue;
        }
        if (arg == "--version") {
            version = true;
            continue;
        }
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const Option* option = findOption(name);
        if (!option)
            return usageError(Tr(res::kToolUnknownOption, {name}), findCommand(commandName));
        if (invocation.options.count(name))
            return usageError(Tr(res::kToolOptionTwice, {name}), findCommand(commandName));
        if (option->isFlag()) {
            if (eq != std::string::npos)
                return usageError(Tr(res::kToolOptionNoValue, {name}), findCommand(commandName));
            invocation.options[name] = std::string();
        } else if (eq != std::string::npos) {
            invocation.options[name] = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            invocation.options[name] = args[++i];
        } else {
            return usageError(Tr(res::kToolOptionNeedsValue, {name}), findCommand(commandName));
        }
        given.push_back(name);
    }

    SetQuiet(invocation.flag("--quiet"));
    if (version) {
        std::printf("orxtool %s\n", kVersion.data());
        return ExitOk;
    }
    const Command* command = haveCommand ? findCommand(commandName) : nullptr;
    if (help) {
        if (command)
            printCommandHelp(*command);
        else
            printUsage(stdout);
        return ExitOk;
    }
    if (!haveCommand)
        return usageError(Tr(res::kToolNoCommand), nullptr);
    if (!command)
        return usageError(Tr(res::kToolUnknownCommand, {commandName}), nullptr);
    for (const std::string& name : given) {
        if (!takesOption(*command, name))
            return usageError(Tr(res::kToolOptionNotFor, {name, commandName}), command);
    }
    if (const std::string* output = invocation.option("-o")) {
        const std::size_t at = outputIndex(*command);
        if (invocation.arguments.size() != at)
            return usageError(
                Tr(invocation.arguments.size() > at ? res::kToolOutputTwice : res::kToolArgumentCount),
                command);
        invocation.arguments.insert(invocation.arguments.begin() + static_cast<std::ptrdiff_t>(at), *output);
    }
    if (invocation.arguments.size() !=
        command->argumentCount + (command->name == "dump" && invocation.flag("-o")))
        return usageError(Tr(res::kToolArgumentCount), command);
    return command->run(invocation);
}
