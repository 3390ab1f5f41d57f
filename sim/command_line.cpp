#include "sim/command_line.h"

#include <getopt.h>

#include <charconv>
#include <cstring>

namespace sim {
namespace {

enum Option {
    kPort = 1000,
    kState,
    kFast,
    kTranscript,
    kSilent,
    kSilentToVersion,
    kLowercaseSetup,
    kLinesBeforeSetup,
    kNeverSetup,
    kGarble,
    kWrongLanesEcho,
    kStopAfter,
    kCloseAfter,
    kCut,
    kTrickle,
    kHelp,
};

const option kLongOptions[] = {
    {"port", required_argument, nullptr, kPort},
    {"state", required_argument, nullptr, kState},
    {"fast", no_argument, nullptr, kFast},
    {"transcript", required_argument, nullptr, kTranscript},
    {"silent", no_argument, nullptr, kSilent},
    {"silent-to-version", no_argument, nullptr, kSilentToVersion},
    {"lowercase-setup", no_argument, nullptr, kLowercaseSetup},
    {"lines-before-setup", required_argument, nullptr, kLinesBeforeSetup},
    {"never-setup", no_argument, nullptr, kNeverSetup},
    {"garble", required_argument, nullptr, kGarble},
    {"wrong-lanes-echo", no_argument, nullptr, kWrongLanesEcho},
    {"stop-after", required_argument, nullptr, kStopAfter},
    {"close-after", required_argument, nullptr, kCloseAfter},
    {"cut", required_argument, nullptr, kCut},
    {"trickle", required_argument, nullptr, kTrickle},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

bool ParseCount(const char* text, int& value) {
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    return error == std::errc() && stop == end && value >= 0;
}

bool IsComName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name[0] != '.';
}

}  // namespace

CommandLine ParseCommandLine(int argc, char* argv[]) {
    CommandLine line;
    Options& options = line.options;
    Quirks& quirks = options.quirks;
    options.paced = true;
    optind = 1;
    opterr = 0;
    int code = 0;
    while ((code = getopt_long(argc, argv, "h", kLongOptions, nullptr)) != -1) {
        int count = 0;
        const bool needsCount = code == kLinesBeforeSetup || code == kStopAfter ||
                                code == kCloseAfter || code == kTrickle;
        if (needsCount && !ParseCount(optarg, count)) {
            line.error = std::string("not a count: ") + optarg;
            return line;
        }
        switch (code) {
            case kPort:
                line.portName = optarg;
                break;
            case kState:
                options.stateFile = optarg;
                break;
            case kFast:
                options.paced = false;
                break;
            case kTranscript:
                options.transcriptFile = optarg;
                break;
            case kSilent:
                quirks.silent = true;
                break;
            case kSilentToVersion:
                quirks.silentToVersion = true;
                break;
            case kLowercaseSetup:
                quirks.lowercaseSetup = true;
                break;
            case kLinesBeforeSetup:
                quirks.linesBeforeSetup = count;
                break;
            case kNeverSetup:
                quirks.neverSetup = true;
                break;
            case kGarble:
                quirks.garbled.insert(optarg);
                break;
            case kWrongLanesEcho:
                quirks.wrongLanesEcho = true;
                break;
            case kStopAfter:
                quirks.stopAfter = count;
                break;
            case kCloseAfter:
                quirks.closeAfter = count;
                break;
            case kCut:
                quirks.cutReply.insert(optarg);
                break;
            case kTrickle:
                quirks.byteDelayMs = count;
                break;
            case 'h':
            case kHelp:
                line.help = true;
                break;
            default:
                line.error = std::string("unknown or incomplete option: ") + argv[optind - 1];
                return line;
        }
    }
    if (optind < argc) {
        line.error = std::string("unexpected argument: ") + argv[optind];
    } else if (!IsComName(line.portName)) {
        line.error = "not a port name: " + line.portName;
    }
    return line;
}

std::string Usage(const std::string& program) {
    return "Usage: " + program + R"( [OPTION]...
A six-lane race timer at the far end of a pseudo-terminal. Prints "<COM name> <device>"
on one line when ready, serves until SIGINT or SIGTERM, then removes its port map entry.

Line:
  --port NAME              publish as NAME in the port map (default COM9)
  --fast                   do not hold the line to 9600 baud
  --state FILE             keep the settings in FILE across runs
  --transcript FILE        log every byte in and out with a timestamp in microseconds
Misbehaviours:
  --silent                 never answer
  --silent-to-version      no answer to "V"; "X" still answers
  --lowercase-setup        answer "setup" to "yub"
  --lines-before-setup N   send N other lines before "SETUP"
  --never-setup            never answer "SETUP" (five junk lines instead)
  --garble CMD             unrecognisable reply to CMD (e.g. F?; * for all); repeatable
  --wrong-lanes-echo       the lanes setter's echo differs from the command
  --stop-after N           answer the first N commands, then nothing
  --close-after N          answer N commands, then drop the line at the next byte
  --cut CMD                reply to CMD (or *) lacks its line feed; repeatable
  --trickle MS             wait MS milliseconds before each byte sent
  -h, --help               show this text
)";
}

}  // namespace sim
