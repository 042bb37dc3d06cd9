// orxtool: the radio program's handling of .sin files from the command line. The commands run the
// very image code the window runs, so their output is what the program would show or save.
//
// A new subcommand is one function (Commands.h) and one row in kCommands below; a new option is one
// row in kOptions and its name in the rows of the commands that take it.

#include "Commands.h"
#include "ToolLanguage.h"
#include "ToolSupport.h"

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
    std::string_view value; // as the usage shows it; empty for a flag
    std::string_view help;
    int column = orx::ColNumber; // the grid column whose values it takes; ColNumber for none
    bool isFlag() const { return value.empty(); }
};

// Options every command takes.
constexpr std::string_view kGlobalOptions[] = {"--lang", "--quiet"};

const Option kOptions[] = {
    {"--ini", "PATH",
     "take the model and band lists from this Program.ini (default: the one orxprog reads,\n"
     "~/.config/orxprog/Program.ini over the installed one)"},
    {"--band", "LOW-HIGH", "new, write: the band in MHz, for example 400-470 (default: the file's band)"},
    {"--password", "DIGITS", "read: the radio's password, if it has one"},
    {"--json", "", "dump: one JSON document instead of the text lines"},
    {"--verify", "", "write: read the written data back and compare (exit status 3 when it differs)"},
    {"--no-backup", "", "read, write: keep no backup (write: nor read the radio before writing it)"},
    {"--serial-from-file", "", "write: write the file's serial number instead of keeping the radio's"},
    {"--repeat", "N", "write: write N radios one after the other on PORT (0: until Ctrl+C)"},
    {"--by", "KEY", "sort: freq (receive frequency), name or number (the order they stand in)"},
    {"--descending", "", "sort: the other way round (empty channels still go to the end)"},
    {"--channels", "LIST", "sort, set: the channels to work on, for example 1-16,20 (default: all)"},
    {"--offset", "OFFSET", "set: transmit = receive +MHZ or -MHZ (for example -0.6), or 0 for the same"},
    {"--tx", "MHZ", "set: one transmit frequency for all of them (split)"},
    {"--rx-tone", "TONE",
     "set: receive tone: none/无, 88.5 Hz/模拟:88.5, D023N/数字:023N, D023I/数字:023I (standard tones)",
     orx::ColRxTone},
    {"--tx-tone", "TONE", "set: transmit tone, as --rx-tone", orx::ColTxTone},
    {"--busy-lockout", "VALUE", "set: busy-channel lockout", orx::ColBusyLockout},
    {"--power", "VALUE", "set: transmit power", orx::ColPower},
    {"--bandwidth", "VALUE", "set: bandwidth", orx::ColBandwidth},
    {"--scan-add", "VALUE", "set: in the scan list", orx::ColScanAdd},
    {"--ptt-id", "VALUE", "set: when the PTT ID code is sent", orx::ColPttId},
    {"--name-prefix", "TEXT", "set: names become TEXT followed by the channel number"},
    {"--first-channel", "N",
     "csv-import: put the file's rows on the channels from N on, in file order (its Location column\n"
     "is ignored)"},
    {"-o", "FILE", "write the output to FILE (in place of the OUT argument; \"-\" for standard output)"},
    {"--quiet", "", "print only errors (no progress bar, no report of the rows that were imported)"},
    {"--lang", "LANG",
     "en or zh: the language of messages and values (default: Chinese when the locale\n"
     "is Chinese, else English)"},
};

struct Command {
    std::string_view name;
    std::string_view arguments; // as the usage shows them
    std::size_t argumentCount;
    std::array<std::string_view, 14> options; // the names of the options it takes
    std::string_view summary;
    int (*run)(const Invocation&);
};

const Command kCommands[] = {
    {"new",
     "OUT.sin",
     1,
     {"--band", "--ini", "-o"},
     "write the file the program saves for a new document",
     RunNew},
    {"dump",
     "FILE.sin",
     1,
     {"--json", "--ini", "-o"},
     "print the 128 channel rows (tab-separated) and the settings (name=value); --json: the JSON document",
     RunDump},
    {"resave",
     "IN.sin OUT.sin",
     2,
     {"--ini", "-o"},
     "write the file the program saves when it opens IN.sin and saves it",
     RunResave},
    {"diff",
     "A.sin B.sin",
     2,
     {"--ini"},
     "what B.sin changes against A.sin, field by field, then the other differing bytes",
     RunDiff},
    {"csv-export",
     "IN.sin OUT.csv",
     2,
     {"-o"},
     "write the channels as the common multi-radio channel CSV (UTF-8, CRLF)",
     RunCsvExport},
    {"csv-import",
     "IN.sin DATA.csv OUT.sin",
     3,
     {"--first-channel", "--ini", "-o"},
     "apply DATA.csv to IN.sin as the program's import does, save OUT.sin, report each row",
     RunCsvImport},
    {"sort",
     "IN.sin OUT.sin",
     2,
     {"--by", "--channels", "--descending", "--ini", "-o"},
     "sort the channels (empty ones to the end) as the program's 排序 does, save OUT.sin",
     RunSort},
    {"set",
     "IN.sin OUT.sin",
     2,
     {"--channels", "--offset", "--tx", "--rx-tone", "--tx-tone", "--busy-lockout", "--power", "--bandwidth",
      "--scan-add", "--ptt-id", "--name-prefix", "--ini", "-o"},
     "set values into many channels as the program's 批量设置 does, save OUT.sin",
     RunSet},
    {"read",
     "PORT OUT.sin",
     2,
     {"--password", "--no-backup", "-o"},
     "read the radio on the serial port PORT into OUT.sin",
     RunRead},
    {"write",
     "PORT IN.sin",
     2,
     {"--band", "--ini", "--verify", "--no-backup", "--serial-from-file", "--repeat"},
     "write IN.sin, encoded as the program saves it, into the radio on PORT",
     RunWrite},
    {"json-export",
     "IN.sin OUT.json",
     2,
     {"--ini", "-o"},
     "write the whole image as the JSON document that json-import reads back byte for byte",
     RunJsonExport},
    {"json-import",
     "DATA.json OUT.sin",
     2,
     {"-o"},
     "write the image a JSON document of json-export (or dump --json) describes",
     RunJsonImport},
};

// Where -o puts its file among the positional arguments: the index of the command's OUT argument
// (dump: an extra one; the text goes to standard output without -o).
std::size_t outputIndex(const Command& c)
{
    return c.name == "dump" ? 1 : c.argumentCount - 1;
}

constexpr std::string_view kExitStatusText =
    "Exit status:\n"
    "  0  done (diff: the files are equal)\n"
    "  1  an output could not be written (diff: the files differ)\n"
    "  2  bad usage or an unusable input file; nothing was written\n"
    "  3  csv-import refused rows of the CSV file (the other rows are written);\n"
    "     read, write: the port could not be opened or the radio failed (write --verify: or the\n"
    "     radio holds other data than written)\n"
    "  130  read, write: stopped with Ctrl+C (a read writes no file)\n";

constexpr std::string_view kFilesText =
    "A file name of \"-\" reads standard input or writes standard output (a .sin file is never\n"
    "written to a terminal). PORT is COM1..COM8 (the first eight serial ports), a device under /dev\n"
    "(ttyUSB0) or a path. Options may stand before or after the command; \"--\" ends them.\n";

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
    std::string text = "Usage: orxtool [OPTIONS] COMMAND ARGUMENTS [OPTIONS]\n\n"
                       "Reads, writes and compares the channel-data files (.sin) of the ORX handheld radio\n"
                       "with the code of the orxprog program, and reads and writes the radio itself.\n\n"
                       "Commands:\n";
    std::size_t width = 0;
    for (const Command& c : kCommands)
        width = std::max(width, c.name.size() + 1 + c.arguments.size());
    for (const Command& c : kCommands) {
        std::string left = std::string(c.name) + " " + std::string(c.arguments);
        left.resize(width, ' ');
        text += "  " + left + "  " + std::string(c.summary) + "\n";
    }
    text += "\nOptions:\n";
    std::size_t optionWidth = std::string_view("-h, --help").size();
    for (const Option& o : kOptions)
        optionWidth = std::max(optionWidth, optionUsage(o).size());
    const std::string indent(2 + optionWidth + 3, ' ');
    auto addOption = [&](std::string left, std::string_view help) {
        left.resize(optionWidth, ' ');
        std::string body(help);
        for (std::size_t at = body.find('\n'); at != std::string::npos; at = body.find('\n', at + 1))
            body.insert(at + 1, indent);
        text += "  " + left + "   " + body + "\n";
    };
    for (const Option& o : kOptions)
        addOption(optionUsage(o), o.help);
    addOption("-h, --help", "show this help (after a command: that command's usage)");
    addOption("--version", "show the version");
    text += "\n" + std::string(kFilesText) + "\n" + std::string(kExitStatusText);
    std::fputs(text.c_str(), to);
}

// VERB --help: the usage line, then each option the command takes with the values it takes.
void printCommandHelp(const Command& c)
{
    std::string text = "usage: " + synopsis(c) + "\n\n" + std::string(c.summary) + "\n";
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
    text += "\nOptions:\n";
    const std::string indent(2 + width + 3, ' ');
    for (const Option* o : options) {
        std::string left = optionUsage(*o);
        left.resize(width, ' ');
        std::string body(o->help);
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
        std::fprintf(stderr, "usage: %s\n", synopsis(*command).c_str());
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
            return usageError("unknown option '" + name + "'", findCommand(commandName));
        if (invocation.options.count(name))
            return usageError("option '" + name + "' given twice", findCommand(commandName));
        if (option->isFlag()) {
            if (eq != std::string::npos)
                return usageError("option '" + name + "' takes no value", findCommand(commandName));
            invocation.options[name] = std::string();
        } else if (eq != std::string::npos) {
            invocation.options[name] = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            invocation.options[name] = args[++i];
        } else {
            return usageError("option '" + name + "' needs a value", findCommand(commandName));
        }
        given.push_back(name);
    }

    if (!SetUpLanguage(invocation.option("--lang")))
        return ExitBadInput;
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
        return usageError("no command given", nullptr);
    if (!command)
        return usageError("unknown command '" + commandName + "'", nullptr);
    for (const std::string& name : given) {
        if (!takesOption(*command, name))
            return usageError("option '" + name + "' does not apply to " + commandName, command);
    }
    if (const std::string* output = invocation.option("-o")) {
        const std::size_t at = outputIndex(*command);
        if (invocation.arguments.size() != at)
            return usageError(invocation.arguments.size() > at ? "the output is named twice (-o and OUT)"
                                                               : "wrong number of arguments",
                              command);
        invocation.arguments.insert(invocation.arguments.begin() + static_cast<std::ptrdiff_t>(at), *output);
    }
    if (invocation.arguments.size() !=
        command->argumentCount + (command->name == "dump" && invocation.flag("-o")))
        return usageError("wrong number of arguments", command);
    return command->run(invocation);
}
