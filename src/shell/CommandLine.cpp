#include "shell/CommandLine.h"

#include "common/DataLocation.h"

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
    std::vector<std::string> commandLine;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
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
            commandLine.push_back(argument);
        } else if (argument.rfind("--data=", 0) == 0 && argument.size() > 7) {
            options.dataFolder = argument.substr(7);
        } else if (argument == "--data" && i + 1 < arguments.size() && !arguments[i + 1].empty()) {
            options.dataFolder = arguments[++i];
        } else if (isOption(argument)) {
            options.mode = ELaunchMode::UsageError;
            options.badOption = argument;
            return options;
        } else {
            commandLine.push_back(argument);
        }
    }
    if (asksForVersionBox(joinCommandLine(commandLine))) {
        options.mode = ELaunchMode::VersionBox;
    }
    return options;
}

std::string usageText(const std::string& programName)
{
    return "Aufruf: " + programName + " [--window] [--data ORDNER] [/v]\n"
           "Das Minnespiegel-Orakel: stelle eine Frage, der Spiegel antwortet.\n"
           "\n"
           "  --window        in einem Fenster von 800 x 600 starten statt im Vollbild\n"
           "                  (Alt+Eingabe wechselt jederzeit zwischen Fenster und Vollbild)\n"
           "  --data ORDNER   die Daten aus ORDNER lesen\n"
           "  /v              nur die Versionsinfo zeigen\n"
           "  --version       die Version ausgeben\n"
           "  --help          diese Hilfe ausgeben\n"
           "\n"
           "Daten: sw.dat, hv.dat, gfx/, resource.dat. Das Programm sucht sie in dieser Reihenfolge:\n"
           "  1. im Ordner von --data ORDNER, wenn angegeben (dann wird nichts anderes versucht)\n"
           "  2. im aktuellen Ordner; dann arbeitet es ganz dort und schreibt auch seine Meldungen dorthin\n"
           "  3. im Ordner der Umgebungsvariablen MINNESPIEGEL_DATA\n"
           "  4. in ../share/minnespiegel neben dem Programm (die installierten Daten)\n"
           "  5. im beim Bauen festgelegten Datenordner " + compiledInDataFolder().string() + "\n"
           "Au\xC3\x9F" "er im aktuellen Ordner liest es die Daten nur; seine Meldungen schreibt es dann\n"
           "nach $XDG_STATE_HOME/minnespiegel/ (sonst ~/.local/state/minnespiegel/).\n"
           "Die Einstellungen stehen in $XDG_CONFIG_HOME/minnespiegel/registry.reg\n"
           "(sonst ~/.config/minnespiegel/registry.reg).\n"
           "\n"
           "Seine Meldungen schreibt es mit Uhrzeit nach error_log.txt: Fehler, die\n"
           "Farbtiefe beim Start, \"spiegel started\" bei jedem Start des Orakels, das Ende.\n"
           "Nur wenn Bilder einer Animation fehlen, entsteht auch log.txt mit deren Namen.\n";
}
