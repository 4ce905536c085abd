#pragma once
// What the help window says: every mouse action and key of the launcher, in
// the order of the README's "Using it" table, which says the same.
#include <string>
#include <vector>

struct HelpEntry {
    const char* pszAction;
    const char* pszEffect;
};

const std::vector<HelpEntry>& HelpEntries();

// The help window's text: the entries, then where the run list file lies.
std::string ComposeHelpText(const std::string& strRunListPath);
