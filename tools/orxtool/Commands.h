#pragma once

// The subcommands of orxtool. Each is one function that gets its parsed arguments and returns the
// exit status; main.cpp lists them in its command table, which also drives the usage text.

#include <map>
#include <string>
#include <vector>

namespace orxtool {

// Exit statuses shared by every subcommand.
enum ExitStatus : int {
    ExitOk = 0,
    ExitOutputFailed = 1,  // the input was fine, but the result could not be written
    ExitDifferent = 1,     // diff: the two files differ
    ExitBadInput = 2,      // bad usage, or an input file that is missing, unreadable or not a .sin file
    ExitRowsRefused = 3,   // csv-import wrote its output, but refused some rows of the CSV file
    ExitRadioFailed = 3,   // read, write: the port or the radio failed (the program's message says how)
    ExitInterrupted = 130, // read, write: stopped with Ctrl+C, as a shell reports a SIGINT
};

struct Invocation {
    std::vector<std::string> arguments;         // positional arguments after the subcommand
    std::map<std::string, std::string> options; // "--ini" -> value; a flag ("--json") -> ""

    const std::string* option(const std::string& name) const
    {
        const auto it = options.find(name);
        return it == options.end() ? nullptr : &it->second;
    }
    bool flag(const std::string& name) const { return options.count(name) > 0; }
};

int RunNew(const Invocation& invocation);
int RunDump(const Invocation& invocation);
int RunResave(const Invocation& invocation);
int RunDiff(const Invocation& invocation);
int RunCsvExport(const Invocation& invocation);
int RunCsvImport(const Invocation& invocation);
int RunSort(const Invocation& invocation);
int RunSet(const Invocation& invocation);
int RunRead(const Invocation& invocation);
int RunWrite(const Invocation& invocation);
int RunJsonExport(const Invocation& invocation);
int RunJsonImport(const Invocation& invocation);

// The JSON document of the .sin file named by the first argument, written to output ("-" for
// standard output): json-export and dump --json.
int ExportJson(const Invocation& invocation, const std::string& output);

} // namespace orxtool
