// recording_player.exe: records how it was started and exits (see RecordingPlayer.h).
#include "RecordingPlayer.h"
#include "WideText.h"
#include "fw/UniqueHandle.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

enum ExitCode { kRecorded = 0, kNoRecordFile = 1, kCannotWrite = 2 };

std::string RecordFileName()
{
    const DWORD size = GetEnvironmentVariableA(kRecordFileVariable, nullptr, 0);
    if (size == 0)
        return "";
    std::string name(size, '\0');
    name.resize(GetEnvironmentVariableA(kRecordFileVariable, name.data(), size));
    return name;
}

std::string Record()
{
    std::string record = wintest::Narrow(GetCommandLineW(), CP_UTF8) + '\n';
    for (int i = 0; i < __argc; ++i)
        record += wintest::Narrow(__wargv[i], CP_UTF8) + '\n';
    return record + kRecordSeparator + '\n';
}

// One write with append access, so that players started side by side each add
// a whole record.
bool Append(const std::string& fileName, const std::string& record)
{
    UniqueHandle file = OwnHandle(CreateFileA(fileName.c_str(), FILE_APPEND_DATA,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
           written == record.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    const std::string fileName = RecordFileName();
    if (fileName.empty())
        return kNoRecordFile;
    return Append(fileName, Record()) ? kRecorded : kCannotWrite;
}
