#include "launch/CommandLine.h"

namespace launch {

namespace {

// The runtime takes the program name (argv[0]) up to its closing quote with no
// backslash processing, and a Windows file name can hold no double quote, so
// the player path goes between quotes unchanged.
std::wstring QuoteProgramName(const std::wstring& path)
{
    return L'"' + path + L'"';
}

}  // namespace

std::wstring QuoteArgument(const std::wstring& arg)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;   // the run of backslashes not yet written
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            // 2n+1 backslashes before a quote give n backslashes and the quote.
            quoted.append(2 * backslashes + 1, L'\\');
        } else {
            // Backslashes not followed by a quote are taken literally.
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // The closing quote follows: 2n backslashes before it give n.
    quoted.append(2 * backslashes, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring BuildCommandLine(const std::wstring& playerPath, const std::wstring& scenePath)
{
    return QuoteProgramName(playerPath) + L' ' + QuoteArgument(scenePath);
}

bool FitsCommandLineLimit(std::wstring_view commandLine)
{
    return commandLine.size() < kMaxCommandLineLength;
}

}  // namespace launch
