#include "shell/CommandLine.h"

namespace {

bool isOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-';
}

// "/v" counts only in a command line longer than one character, and only in lower case.
bool asksForVersionBox(const std::string& commandLine)
{
    return commandLine.size() > 1 && commandLine.find("/v") != std::string::npos;
}

} // namespace

std::string joinCommandLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) {
            line += ' ';
        }
        line += argument;
    }
    return line;
}

SLaunchOptions parseCommandLine(const std::vector<std::string>& arguments)
{
    SLaunchOptions options;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            options.mode = ELaunchMode::PrintHelp;
            return options;
        }
        if (argument == "--version") {
            options.mode = ELaunchMode::PrintVersion;
            return options;
        }
        if (argument == "--window") {
            options.startInWindow = true;
        } else if (isOption(argument)) {
            options.mode = ELaunchMode::UsageError;
            options.badOption = argument;
            return options;
        }
    }
    if (asksForVersionBox(joinCommandLine(arguments))) {
        options.mode = ELaunchMode::VersionBox;
    }
    return options;
}

std::string usageText(const std::string& programName)
{
    return "Aufruf: " + programName + " [--window] [/v]\n"
           "Das Minnespiegel-Orakel: stelle eine Frage, der Spiegel antwortet.\n"
           "\n"
           "  --window    in einem Fenster von 800 x 600 starten statt im Vollbild\n"
           "              (Alt+Eingabe wechselt jederzeit zwischen Fenster und Vollbild)\n"
           "  /v          nur die Versionsinfo zeigen\n"
           "  --version   die Version ausgeben\n"
           "  --help      diese Hilfe ausgeben\n"
           "\n"
           "Das Programm arbeitet im aktuellen Ordner: sw.dat, hv.dat, gfx/, resource.dat.\n"
           "Seine Meldungen schreibt es dort mit Uhrzeit nach error_log.txt: Fehler, die\n"
           "Farbtiefe beim Start, \"spiegel started\" bei jedem Start des Orakels, das Ende.\n"
           "Nur wenn Bilder einer Animation fehlen, entsteht auch log.txt mit deren Namen.\n";
}
