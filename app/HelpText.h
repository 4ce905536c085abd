#pragma once
// What the help window says: every mouse action and key of the launcher. The
// one place these texts are written: the README's "Using it" table and the
// package's README.txt copy them word for word, and a native test
// (help_text_copies_test) names any line of theirs that differs.
#include <string>
#include <vector>

struct HelpEntry {
    const char* pszAction;
    const char* pszEffect;
};

const std::vector<HelpEntry>& HelpEntries();

// The help window's text: the entries, then where the run list file lies.
std::wstring ComposeHelpText(const std::wstring& strRunListPath);
