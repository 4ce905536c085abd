// The help window's entries (app/HelpText.cpp) are written once; the README's
// "Using it" table and the package's README.txt copy them word for word. A
// README row is "| action | effect |" with both texts as they are (no
// markdown); README.txt gives the action on a line of its own and the effect
// beneath it, indented by four and wrapped at 76 columns. When the help gains
// or changes an entry, the diff below gives each file the lines it needs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/HelpText.h"

namespace {

std::string TableRow(const HelpEntry& entry)
{
    return std::string("| ") + entry.pszAction + " | " + entry.pszEffect + " |\n";
}

std::string IndentedEntry(const HelpEntry& entry)
{
    const std::string indent = "   ";   // each word adds its own space
    std::string text = std::string(entry.pszAction) + "\n";
    std::string line = indent;
    std::istringstream words(entry.pszEffect);
    for (std::string word; words >> word;) {
        if (line.size() + 1 + word.size() > 76) {
            text += line + "\n";
            line = indent;
        }
        line += " " + word;
    }
    return text + line + "\n";
}

// The lines of a source file from the first that equals `first` up to the
// blank line that ends them, and the number of that first line.
struct Block {
    std::string text;
    int firstLine = 0;
};

Block ReadBlock(const char* file, const std::string& first)
{
    std::ifstream in(std::filesystem::path(NIMBREL_SOURCE_DIR) / file);
    Block block;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (block.firstLine == 0 && line != first)
            continue;
        if (line.empty())
            break;
        if (block.firstLine == 0)
            block.firstLine = number;
        block.text += line + "\n";
    }
    return block;
}

struct HelpCopy {
    const char* file;
    std::string heading;   // the copy's first lines, before the entries
    std::string (*format)(const HelpEntry&);
};

TEST(HelpTextCopies, TheReadmesSayWhatTheHelpWindowSays)
{
    const HelpCopy copies[] = {
        {"README.md", "| Action | What it does |\n|---|---|\n", TableRow},
        {"docs/USER-README.txt", "Using the launcher\n------------------\n", IndentedEntry},
    };
    for (const HelpCopy& copy : copies) {
        std::string expected = copy.heading;
        for (const HelpEntry& entry : HelpEntries())
            expected += copy.format(entry);
        const std::string first = copy.heading.substr(0, copy.heading.find('\n'));
        const Block block = ReadBlock(copy.file, first);
        EXPECT_NE(block.firstLine, 0) << copy.file << " has no line \"" << first << "\"";
        EXPECT_EQ(block.text, expected) << copy.file << " from line " << block.firstLine
                                        << " (where the diff counts from) differs from app/HelpText.cpp:"
                                           " give it the lines marked + in place of those marked -";
    }
}

}  // namespace
