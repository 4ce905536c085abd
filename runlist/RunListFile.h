#pragma once
// The run list file's layout: a 4-byte little-endian signed count, then that
// many full paths in the archive string encoding. No header or trailer; bytes
// after the count-th string are ignored. A path the code page holds exactly is
// written in the single-byte form, so a file of such paths reads and writes
// back byte for byte; any other path in the wide form. The reader takes
// either form for every path.
#include "runlist/ArchiveString.h"
#include "runlist/ByteSource.h"
#include "runlist/CodePage.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class RunListDamage {
    None,
    ShortCount,       // fewer than 4 bytes: no count
    NegativeCount,
    MissingEntries,   // the data ends at a string boundary before count strings
    TruncatedString,  // a string's length or characters run past the end
    UnpairedMarker,   // a wide string marker where its length belongs
    HugeLength,       // a string announces a 64-bit length
    TooLarge,         // more entries than memory holds: those before stay
};

struct RunListContents {
    std::vector<std::wstring> paths;  // the paths read, up to the damage if any
    RunListDamage damage = RunListDamage::None;

    bool IsDamaged() const { return damage != RunListDamage::None; }
};

// Never allocates from the stored count or lengths beyond the bytes present.
RunListContents ParseRunList(std::string_view bytes, const ICodePage& codePage);

std::string SerializeRunList(const std::vector<std::wstring>& paths, const ICodePage& codePage);

// The same layout for count paths read through pathAt(0 .. count-1), a
// std::wstring_view of each, produced in pieces through one buffer that every
// piece reuses: a long list is written with one pass over its paths, neither
// copied whole nor held in fresh memory. A piece ends before the first path
// that does not fit; a path longer than the buffer goes out as a piece of its
// own. A negative count writes an empty list.
template <class PathAt>
class RunListStream : public IByteSource {
public:
    static constexpr std::size_t kBufferSize = 256u << 10;

    RunListStream(int count, PathAt pathAt, const ICodePage& codePage)
        : m_count(std::max(count, 0)), m_pathAt(std::move(pathAt)), m_codePage(codePage) {}

    std::string_view NextChunk() override
    {
        std::size_t used = 0;
        if (!m_countWritten) {
            PutArchiveInt32(&m_buffer[0], m_count);
            used = kArchiveInt32Size;
            m_countWritten = true;
        }
        for (; m_next < m_count; ++m_next) {
            const std::size_t size = PutPath(m_pathAt(m_next), used);
            if (size == 0)
                break;
            used += size;
        }
        return {m_buffer.data(), used};
    }

private:
    // Writes path behind the used bytes of the buffer in its form: its size,
    // or 0 when it does not fit there (a path alone in the buffer always does).
    std::size_t PutPath(std::wstring_view path, std::size_t used)
    {
        const std::size_t asciiSize = ArchiveStringSize(path.size());
        if (HasRoom(used, asciiSize) && PutArchiveStringIfAscii(&m_buffer[used], path) != nullptr)
            return asciiSize;
        const bool bSingleByte = m_codePage.ToBytesExactly(path, m_bytes);
        const std::size_t size = bSingleByte ? ArchiveStringSize(m_bytes.size()) : ArchiveWideStringSize(path.size());
        if (!HasRoom(used, size))
            return 0;
        if (bSingleByte)
            PutArchiveString(&m_buffer[used], m_bytes);
        else
            PutArchiveWideString(&m_buffer[used], path);
        return size;
    }

    // Whether size bytes fit behind the used ones; the buffer grows for a
    // piece that is to hold one path only.
    bool HasRoom(std::size_t used, std::size_t size)
    {
        if (used + size <= m_buffer.size())
            return true;
        if (used > 0)
            return false;
        m_buffer.resize(size);
        return true;
    }

    int m_count;
    PathAt m_pathAt;
    const ICodePage& m_codePage;
    std::string m_bytes;   // the path in the code page, reused for every path
    int m_next = 0;
    bool m_countWritten = false;
    std::string m_buffer = std::string(kBufferSize, '\0');
};

// The whole of what a RunListStream gives, as one string.
template <class PathAt>
std::string SerializeRunList(int count, PathAt pathAt, const ICodePage& codePage)
{
    RunListStream<PathAt> stream(count, std::move(pathAt), codePage);
    return JoinPieces(stream);
}
