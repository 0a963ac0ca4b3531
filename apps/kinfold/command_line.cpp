#include "command_line.h"

#include <cstring>

namespace kinfold::cli {

const char kUsage[] =
    "usage: kinfold [OPTIONS] COMMAND FILE [ID] [OPTIONS]\n"
    "       kinfold phonetic NAME [--method METHOD]\n"
    "\n"
    "FILE may be - for standard input.\n"
    "\n"
    "Commands:\n"
    "  stats FILE                  counts of every kind of record, the header and the load time\n"
    "  show FILE ID                one record (individual, family, source, note or repository)\n"
    "                              with its names, events, family links and citations\n"
    "  find FILE --surname PATTERN | --given PATTERN | --soundex CODE | --sex S\n"
    "                              the individuals that match, sorted by surname and given name;\n"
    "                              a pattern matches the start of a name (Hart, Hart*) or, with\n"
    "                              a leading *, its end (*ley); names match as they print,\n"
    "                              in any case of any letter (accents count)\n"
    "  find FILE --phonetic METHOD NAME\n"
    "                              the individuals whose surname shares a phonetic code\n"
    "                              with NAME by METHOD (soundex, dm or cologne)\n"
    "  relatives FILE ID --order ORDER [--generations N]\n"
    "                              ancestors or descendants of an individual; ORDER is one of\n"
    "                              ancestors, descendants, paternal, paternal-reversed,\n"
    "                              maternal, maternal-reversed, family-roots\n"
    "  relationship FILE ID1 ID2   what ID1 is to ID2 (first cousin once removed, stepmother,\n"
    "                              brother-in-law) with the common ancestors and the path\n"
    "                              between them, and \"and N more\" when they are related\n"
    "                              in more ways; --json lists every way, closest first\n"
    "  footnotes FILE [--format F] the footnote of every source citation of every individual,\n"
    "                              in the format F (default: the library's own)\n"
    "  export FILE [--hide-living [YEARS]] [--living-name NAME] [--output OUT]\n"
    "                              a GEDCOM copy of FILE that is safe to share, on standard\n"
    "                              output or in OUT: everyone who may be living (born within\n"
    "                              YEARS, default 100, by the dates of the file and of their\n"
    "                              relatives, or with no dates at all) keeps only the ID, sex,\n"
    "                              family links and the name NAME (default Living); families\n"
    "                              whose partners are all hidden keep only partners and\n"
    "                              children; every other record stays as it is, and the\n"
    "                              header says so\n"
    "  check FILE [--strict]       what is wrong with the file, one line each with its line\n"
    "                              number and severity, then a count; an error loses data or\n"
    "                              makes the loader refuse the file, a warning is unusual but\n"
    "                              harmless (exit code 0 clean or warnings only, 1 errors\n"
    "                              found, or warnings too with --strict, 2 the file cannot be\n"
    "                              read)\n"
    "  phonetic NAME [--method METHOD]\n"
    "                              the phonetic codes of NAME, one a line, by METHOD:\n"
    "                              soundex (the default), dm (Daitch-Mokotoff, a code for\n"
    "                              each way of reading the name) or cologne (German\n"
    "                              names); dm and cologne read accented Latin letters as\n"
    "                              their base letter (Muller for Müller)\n"
    "\n"
    "Options:\n"
    "  --json                      print JSON for programs instead of text\n"
    "  --encoding bytes|auto       how the file's text is read: auto (the default),\n"
    "                              decoded by the file's byte-order mark or CHAR line\n"
    "                              (UTF-8, UTF-16, ANSEL, ANSI, IBMPC, MACINTOSH, ASCII),\n"
    "                              or bytes as they are (the default with --strict)\n"
    "  --strict                    read the file exactly as the library does by default:\n"
    "                              a pointer that names no record fails the load, a line\n"
    "                              over 279 bytes is split, a line with no level number\n"
    "                              ends its record, CONC joins with a space. Without it,\n"
    "                              such lines are dropped or mended and one line on\n"
    "                              standard error says how many (check lists them)\n"
    "  --help                      print this help\n"
    "  --version                   print the version of kinfold\n"
    "\n"
    "Exit codes: 0 done, 1 the file cannot be loaded, 2 the command line is wrong,\n"
    "3 no record has that ID, 4 the library cannot answer (a member failed or is not\n"
    "available in this build), 5 the output cannot be written. Ctrl-C stops a long\n"
    "load (exit code 130).\n";

namespace {

struct CommandShape {
    const char* name;
    std::vector<const char*> positional;  // as the help names them: FILE, ID, NAME
    std::vector<const char*> options;
    // An option that takes one more positional argument after the others.
    const char* optionWithArgument = nullptr;
    const char* optionArgument = nullptr;
};

const CommandShape kCommands[] = {
    {"stats", {"FILE"}, {}},
    {"check", {"FILE"}, {}},
    {"show", {"FILE", "ID"}, {}},
    {"find",
     {"FILE"},
     {"--surname", "--given", "--soundex", "--sex", "--phonetic"},
     "--phonetic",
     "NAME"},
    {"relatives", {"FILE", "ID"}, {"--order", "--generations"}},
    {"relationship", {"FILE", "ID1", "ID2"}, {}},
    {"footnotes", {"FILE"}, {"--format"}},
    {"phonetic", {"NAME"}, {"--method"}},
    {"export", {"FILE"}, {"--hide-living", "--living-name", "--output"}},
};

// An option whose value may be left out: --hide-living alone asks for the
// library's default years, so a value must be a number to be taken.
bool ValueIsOptional(const std::string& option, const char* next) {
    if (option != "--hide-living") return false;
    return next == nullptr || *next == '\0' || std::strspn(next, "0123456789") != std::strlen(next);
}

// "one FILE", "FILE and ID", "FILE, ID1 and ID2".
std::string Enumerated(const std::vector<const char*>& names) {
    if (names.size() == 1) return std::string("one ") + names[0];
    std::string text = names[0];
    for (size_t i = 1; i < names.size(); ++i)
        text += std::string(i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

const CommandShape* ShapeOf(const std::string& command) {
    for (const CommandShape& shape : kCommands)
        if (command == shape.name) return &shape;
    return nullptr;
}

bool TakesOption(const CommandShape& shape, const std::string& option) {
    for (const char* name : shape.options)
        if (option == name) return true;
    return false;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            line->help = true;
        if (std::strcmp(argv[i], "--version") == 0) line->version = true;
    }
    if (line->help || line->version) return true;
    // Options of the command may come before it too; they are checked
    // against it once it is known.
    std::vector<std::string> optionNames;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word == "--json" || word == "--strict") {
            (word == "--json" ? line->json : line->strict) = true;
            continue;
        }
        if (word == "--encoding" || word.compare(0, 11, "--encoding=") == 0) {
            line->encoding = word.size() > 10 ? word.substr(11) : i + 1 < argc ? argv[++i] : "";
            if (line->encoding != "bytes" && line->encoding != "auto") {
                *error = "--encoding takes bytes or auto, not '" + line->encoding + "'";
                return false;
            }
            continue;
        }
        if (word.size() < 2 || word.compare(0, 2, "--") != 0) {
            if (line->command.empty())
                line->command = word;
            else
                line->arguments.push_back(word);
            continue;
        }
        std::string value;
        const size_t equals = word.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = word.substr(equals + 1);
            word.resize(equals);
        } else if (ValueIsOptional(word, i + 1 < argc ? argv[i + 1] : nullptr)) {
            value.clear();
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            optionNames.push_back(word);
            *error = word + " needs a value";
            break;
        }
        optionNames.push_back(word);
        line->options[word] = value;
    }
    if (line->command.empty()) {
        *error = "no command given";
        return false;
    }
    const CommandShape* shape = ShapeOf(line->command);
    if (shape == nullptr) {
        *error = "unknown command '" + line->command + "'";
        return false;
    }
    for (const std::string& name : optionNames)
        if (!TakesOption(*shape, name)) {
            *error = "unknown option " + name + " for " + line->command;
            return false;
        }
    if (!error->empty()) return false;
    std::vector<const char*> positional = shape->positional;
    const bool extended =
        shape->optionWithArgument != nullptr && line->Has(shape->optionWithArgument);
    if (extended) positional.push_back(shape->optionArgument);
    if (line->arguments.size() != positional.size()) {
        *error = line->command + " takes " + Enumerated(positional);
        if (extended) *error += std::string(" with ") + shape->optionWithArgument;
        if (line->arguments.size() > positional.size())
            *error += "; unexpected '" + line->arguments[positional.size()] + "'";
        return false;
    }
    return true;
}

}  // namespace kinfold::cli
