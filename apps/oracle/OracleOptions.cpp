#include "OracleOptions.h"

#include "common/ProgramFile.h"

#include <charconv>

namespace {

std::optional<std::uint32_t> parseSeed(const std::string& text)
{
    std::uint32_t seed = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, seed);
    if (text.empty() || error != std::errc() || rest != end) {
        return std::nullopt;
    }
    return seed;
}

bool setMode(SOracleOptions& options, EOracleMode mode)
{
    if (options.mode != EOracleMode::Interactive && options.mode != mode) {
        return false;  // two modes at once
    }
    options.mode = mode;
    return true;
}

// "--name value" or "--name=value"; advances `i` past a separate value.
std::optional<std::string> optionValue(const std::vector<std::string>& arguments, std::size_t& i,
                                       const std::string& name)
{
    const std::string& argument = arguments[i];
    if (argument.rfind(name + "=", 0) == 0) {
        return argument.substr(name.size() + 1);
    }
    if (argument == name && i + 1 < arguments.size()) {
        return arguments[++i];
    }
    return std::nullopt;
}

bool isOption(const std::string& argument, const std::string& name)
{
    return argument == name || argument.rfind(name + "=", 0) == 0;
}

} // namespace

std::optional<SOracleOptions> parseOracleOptions(const std::vector<std::string>& arguments)
{
    SOracleOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool understood = true;
        if (argument == "--raw") {
            understood = setMode(options, EOracleMode::Raw);
        } else if (argument == "--check") {
            understood = setMode(options, EOracleMode::Check);
        } else if (argument == "--help" || argument == "-h") {
            understood = setMode(options, EOracleMode::Help);
        } else if (argument == "--version") {
            understood = setMode(options, EOracleMode::Version);
        } else if (isOption(argument, "--seed")) {
            const auto value = optionValue(arguments, i, "--seed");
            options.seed = value ? parseSeed(*value) : std::nullopt;
            understood = options.seed.has_value();
        } else if (isOption(argument, "--data")) {
            const auto value = optionValue(arguments, i, "--data");
            understood = value && !value->empty();
            options.dataFolder = pathFromNarrowName(value.value_or(""));
        } else {
            understood = false;
        }
        if (!understood) {
            return std::nullopt;
        }
    }
    return options;
}

std::string oracleUsage()
{
    return "Aufruf: minnespiegel-oracle [--data ORDNER] [--seed N] [--raw | --check]\n"
           "\n"
           "Der Minnespiegel beantwortet Fragen im Terminal, mit sw.dat, hv.dat und hilfe.dat\n"
           "(fehlende Dateien werden nicht angelegt). Fragen, die hilfe.dat erkennt, bekommen\n"
           "eine Hilfe-Antwort statt der des Spiegels. Die Dateien kommen, in dieser Reihenfolge:\n"
           "aus dem Ordner von --data ORDNER; aus dem Arbeitsordner, wenn er sw.dat oder hv.dat\n"
           "enth\xC3\xA4lt; aus dem Ordner der Umgebungsvariablen MINNESPIEGEL_DATA; aus den\n"
           "installierten Daten (../share/minnespiegel neben dem Programm, dann dem beim Bauen\n"
           "festgelegten Datenordner); sonst wieder aus dem Arbeitsordner.\n"
           "\n"
           "  --data ORDNER  die Dateien aus ORDNER lesen\n"
           "  --seed N       den Zufallsgenerator mit N (0 bis 4294967295) starten statt mit der Uhrzeit\n"
           "  --raw          ohne Eingabeaufforderung: je Zeile eine Frage als rohe Bytes (Windows-1252),\n"
           "                 jede Antwort als rohe Bytes mit einem NUL-Byte dahinter\n"
           "  --check        die Dateien pr\xC3\xBC" "fen: je Problem eine Zeile mit Zeilennummer;\n"
           "                 Exit-Code 1 bei Problemen, sonst 0\n"
           "  --help         diese Hilfe\n"
           "  --version      Versionsangabe\n";
}
