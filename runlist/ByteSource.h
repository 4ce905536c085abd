#pragma once
// Bytes handed over in pieces, so that a long file can be written without
// first being built whole in memory.
#include <string>
#include <string_view>

class IByteSource {
public:
    virtual ~IByteSource() = default;
    // The next piece, valid until the next call; empty once all are given.
    virtual std::string_view NextChunk() = 0;
};

// Bytes already in memory, handed over as one piece.
class StringByteSource : public IByteSource {
public:
    explicit StringByteSource(std::string_view bytes) : m_rest(bytes) {}
    std::string_view NextChunk() override
    {
        const std::string_view piece = m_rest;
        m_rest = {};
        return piece;
    }

private:
    std::string_view m_rest;
};

// Every piece a source gives, joined.
inline std::string JoinPieces(IByteSource& source)
{
    std::string bytes;
    for (std::string_view piece = source.NextChunk(); !piece.empty(); piece = source.NextChunk())
        bytes.append(piece);
    return bytes;
}
