#pragma once
// The recording player (recording_player.exe, built beside the Windows tests)
// stands in for zelrun.exe where a test needs to know how the player was
// started. Each start appends one record to the file named by the environment
// variable below (the player inherits it from whoever starts it):
//   the command line as GetCommandLineW gives it
//   argv[0] .. argv[argc-1] as the C runtime reads them, one per line
//   the separator line
// Text is UTF-8, so any path comes back whole; lines end in '\n'. The player
// exits at once: 0 when the record was written.
#include <fstream>
#include <string>
#include <vector>

inline constexpr char kRecordingPlayerName[] = "recording_player.exe";
inline constexpr char kRecordFileVariable[] = "NIMBREL_RECORD_FILE";
inline constexpr char kRecordSeparator[] = "---- end of start ----";

struct PlayerStart {
    std::string commandLine;
    std::vector<std::string> argv;
};

// Every start recorded in `file`, oldest first; empty when there is no file.
inline std::vector<PlayerStart> ReadPlayerStarts(const std::string& file)
{
    std::vector<PlayerStart> starts;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    bool inRecord = false;
    while (std::getline(in, line)) {
        if (!inRecord) {
            starts.push_back({line, {}});
            inRecord = true;
        } else if (line == kRecordSeparator) {
            inRecord = false;
        } else {
            starts.back().argv.push_back(line);
        }
    }
    return starts;
}
