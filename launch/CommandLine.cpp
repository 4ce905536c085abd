#include "launch/CommandLine.h"

namespace launch {

namespace {

// The runtime takes the program name (argv[0]) up to its closing quote with no
// backslash processing, and a Windows file name can hold no double quote, so
// the player path goes between quotes unchanged.
std::string QuoteProgramName(const std::string& path)
{
    return '"' + path + '"';
}

}  // namespace

std::string QuoteArgument(const std::string& arg)
{
    std::string quoted = "\"";
    size_t backslashes = 0;   // the run of backslashes not yet written
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // 2n+1 backslashes before a quote give n backslashes and the quote.
            quoted.append(2 * backslashes + 1, '\\');
        } else {
            // Backslashes not followed by a quote are taken literally.
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // The closing quote follows: 2n backslashes before it give n.
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

std::string BuildCommandLine(const std::string& playerPath, const std::string& scenePath)
{
    return QuoteProgramName(playerPath) + ' ' + QuoteArgument(scenePath);
}

}  // namespace launch
