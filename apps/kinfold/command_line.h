// The command line of kinfold: a command, its file and other positional
// arguments, and options, which may come anywhere, before the command too, as
// users type them (--name VALUE or --name=VALUE).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace kinfold::cli {

struct CommandLine {
    std::string command;
    // FILE first, then ID or NAME where the command takes one; phonetic
    // takes NAME alone.
    std::vector<std::string> arguments;
    std::map<std::string, std::string> options;
    bool json = false;
    // The library's exact reading: no tolerant options, text as bytes, CONC
    // joined with a space; and for check, warnings fail the file as errors do.
    bool strict = false;
    std::string encoding;  // --encoding as given; empty when not given
    bool help = false;
    bool version = false;

    // The database's TextEncoding: as given, else bytes when strict and auto
    // otherwise.
    std::string Encoding() const {
        return !encoding.empty() ? encoding : strict ? "bytes" : "auto";
    }

    const std::string& File() const { return arguments.front(); }
    bool Has(const std::string& option) const { return options.count(option) != 0; }
    std::string Option(const std::string& option) const {
        auto found = options.find(option);
        return found == options.end() ? std::string() : found->second;
    }
};

// Fills `line`; false with a one-line reason when the command line is not
// one kinfold understands. --help or --version anywhere makes any line
// acceptable.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error);

extern const char kUsage[];

}  // namespace kinfold::cli
