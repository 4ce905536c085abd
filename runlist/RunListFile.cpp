#include "runlist/RunListFile.h"

#include "runlist/ArchiveString.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

RunListDamage DamageOfString(ArchiveReader::Status status, bool atEnd)
{
    switch (status) {
    case ArchiveReader::Status::Ok: return RunListDamage::None;
    case ArchiveReader::Status::EndOfData:
        return atEnd ? RunListDamage::MissingEntries : RunListDamage::TruncatedString;
    case ArchiveReader::Status::WideString:
    case ArchiveReader::Status::UnpairedMarker: return RunListDamage::UnpairedMarker;
    case ArchiveReader::Status::HugeLength: return RunListDamage::HugeLength;
    }
    return RunListDamage::TruncatedString;
}

// Room for the paths the file says it holds, as many as its bytes can hold
// (each takes at least its length byte), so a long list is not moved again
// and again while it is read. When that room is not to be had, the list grows
// path by path and the read stops where memory runs out.
void ReserveRoom(std::vector<std::wstring>& paths, std::int32_t count, std::size_t bytesLeft)
{
    try {
        paths.reserve(std::min(static_cast<std::size_t>(count), bytesLeft));
    } catch (const std::bad_alloc&) {
    }
}

// The count comes from the file: it bounds the loop and the room reserved,
// never beyond the bytes present. The loop ends at the first string that is
// not there, so a huge count costs no more than the bytes present.
void ReadPaths(ArchiveReader& reader, std::int32_t count, const ICodePage& codePage, RunListContents& contents)
{
    ReserveRoom(contents.paths, count, reader.Remaining());
    ArchiveText text;
    for (std::int32_t i = 0; i < count; ++i) {
        const bool atEnd = reader.Remaining() == 0;
        const ArchiveReader::Status status = reader.ReadText(text);
        if (status != ArchiveReader::Status::Ok) {
            contents.damage = DamageOfString(status, atEnd);
            return;
        }
        contents.paths.push_back(text.bWide ? std::move(text.units) : codePage.ToWide(text.bytes));
    }
}

}  // namespace

RunListContents ParseRunList(std::string_view bytes, const ICodePage& codePage)
{
    RunListContents contents;
    ArchiveReader reader(bytes);
    std::int32_t count = 0;
    if (reader.ReadInt32(count) != ArchiveReader::Status::Ok) {
        contents.damage = RunListDamage::ShortCount;
        return contents;
    }
    if (count < 0) {
        contents.damage = RunListDamage::NegativeCount;
        return contents;
    }
    try {
        ReadPaths(reader, count, codePage, contents);
    } catch (const std::bad_alloc&) {
        // Tens of millions of entries fit the file but not a 32-bit program's
        // memory: the paths read so far stay, as before a damage.
        contents.damage = RunListDamage::TooLarge;
    }
    return contents;
}

std::string SerializeRunList(const std::vector<std::wstring>& paths, const ICodePage& codePage)
{
    if (paths.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("too many entries for the run list file");
    return SerializeRunList(static_cast<int>(paths.size()),
                            [&paths](int i) { return std::wstring_view(paths[static_cast<std::size_t>(i)]); },
                            codePage);
}
