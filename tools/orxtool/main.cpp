// orxtool: the radio program's handling of .sin files from the command line. The commands run the
// very image code the window runs, so their output is what the program would show or save.
//
// A new subcommand is one function (Commands.h) and one row in kCommands below.

#include "Commands.h"
#include "ToolSupport.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orxtool;

struct Command {
    std::string_view name;
    std::string_view arguments; // as the usage shows them
    std::size_t argumentCount;
    std::array<std::string_view, 4> options; // the options it takes: flags (kFlags), the rest with a value
    std::string_view summary;
    int (*run)(const Invocation&);
};

const Command kCommands[] = {
    {"dump",
     "FILE.sin",
     1,
     {"--ini"},
     "print the 128 channel rows (tab-separated) and the settings (name=value)",
     RunDump},
    {"resave",
     "IN.sin OUT.sin",
     2,
     {"--ini"},
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
     {},
     "write the channels as the common multi-radio channel CSV (UTF-8, CRLF)",
     RunCsvExport},
    {"csv-import",
     "IN.sin DATA.csv OUT.sin",
     3,
     {"--ini"},
     "apply DATA.csv to IN.sin as the program's import does, save OUT.sin, report each row",
     RunCsvImport},
    {"read",
     "PORT OUT.sin",
     2,
     {"--password", "--no-backup"},
     "read the radio on the serial port PORT into OUT.sin",
     RunRead},
    {"write",
     "PORT IN.sin",
     2,
     {"--band", "--ini", "--verify", "--no-backup"},
     "write IN.sin, encoded as the program saves it, into the radio on PORT",
     RunWrite},
};

struct OptionHelp {
    std::string_view name;
    std::string_view value; // empty for a flag
    std::string_view help;
};

// Options that take no value.
constexpr std::string_view kFlags[] = {"--verify", "--no-backup"};

const OptionHelp kOptionHelp[] = {
    {"--ini", "PATH", "take the model and band lists from this Program.ini (default: none)"},
    {"--band", "LOW-HIGH", "write: the band in MHz the radio must have (default: the file's band)"},
    {"--password", "DIGITS", "read: the radio's password, if it has one"},
    {"--verify", "", "write: read the written data back and compare (exit status 3 when it differs)"},
    {"--no-backup", "", "read, write: keep no backup of the image in the program's backups folder"},
};

bool isFlag(std::string_view option)
{
    for (std::string_view f : kFlags) {
        if (f == option)
            return true;
    }
    return false;
}

const Command* findCommand(std::string_view name)
{
    for (const Command& c : kCommands) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

bool takesOption(const Command& command, std::string_view option)
{
    for (std::string_view o : command.options) {
        if (!o.empty() && o == option)
            return true;
    }
    return false;
}

std::string synopsis(const Command& c)
{
    std::string line = "orxtool " + std::string(c.name) + " " + std::string(c.arguments);
    for (std::string_view o : c.options) {
        for (const OptionHelp& h : kOptionHelp) {
            if (!o.empty() && h.name == o)
                line += " [" + std::string(h.name) + (h.value.empty() ? "" : " " + std::string(h.value)) + "]";
        }
    }
    return line;
}

void printUsage(std::FILE* to)
{
    std::string text = "Usage: orxtool COMMAND ARGUMENTS [OPTIONS]\n\nCommands:\n";
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
    for (const OptionHelp& h : kOptionHelp)
        optionWidth = std::max(optionWidth, h.name.size() + 1 + h.value.size());
    for (const OptionHelp& h : kOptionHelp) {
        std::string left = std::string(h.name) + (h.value.empty() ? "" : " " + std::string(h.value));
        left.resize(optionWidth, ' ');
        text += "  " + left + "   " + std::string(h.help) + "\n";
    }
    std::string help = "-h, --help";
    help.resize(optionWidth, ' ');
    text += "  " + help +
            "   show this help\n\n"
            "Exit status: 0 done, 1 the output could not be written, 2 bad usage or an unusable input file\n"
            "(nothing written), 3 csv-import refused rows of the CSV file (the other rows are written);\n"
            "diff: 0 the files are equal, 1 they differ, 2 bad usage or an unusable input file;\n"
            "read, write: 3 the port could not be opened or the radio failed (write --verify: or the\n"
            "radio holds other data than written), 130 stopped with Ctrl+C (a read writes no file).\n"
            "PORT is COM1..COM8 (the first eight serial ports), a device under /dev (ttyUSB0) or a path.\n";
    std::fputs(text.c_str(), to);
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
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usageError("no command given", nullptr);
    if (args[0] == "-h" || args[0] == "--help") {
        printUsage(stdout);
        return ExitOk;
    }
    const Command* command = findCommand(args[0]);
    if (!command)
        return usageError("unknown command '" + args[0] + "'", nullptr);

    Invocation invocation;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            invocation.arguments.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            std::printf("usage: %s\n", synopsis(*command).c_str());
            return ExitOk;
        }
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        if (!takesOption(*command, name))
            return usageError("unknown option '" + name + "'", command);
        if (invocation.options.count(name))
            return usageError("option '" + name + "' given twice", command);
        if (isFlag(name)) {
            if (eq != std::string::npos)
                return usageError("option '" + name + "' takes no value", command);
            invocation.options[name] = std::string();
        } else if (eq != std::string::npos) {
            invocation.options[name] = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            invocation.options[name] = args[++i];
        } else {
            return usageError("option '" + name + "' needs a value", command);
        }
    }
    if (invocation.arguments.size() != command->argumentCount)
        return usageError("wrong number of arguments", command);
    return command->run(invocation);
}
