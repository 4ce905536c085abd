#pragma once
// The framework's archive encoding of strings and 32-bit integers, as the run
// list file holds them.
//
// A string of length n is stored as its length, then its n bytes (no
// terminator). The length takes one of three forms:
//   n < 255            1 byte
//   255 <= n <= 65533  FF, then n as 16-bit little-endian
//   n >= 65534         FF FF FF, then n as 32-bit little-endian
// 65534 (FF FE) takes the long form because FF FE FF marks a wide string:
// FF FE FF, then the same length forms counting UTF-16 code units, then the
// code units, each 16-bit little-endian.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t kArchiveInt32Size = 4;

// The bytes a string of length n takes in the encoding above: its length form
// and n. Lengths of 0xFFFFFFFF and more have no 32-bit form; they throw
// std::length_error, here and in every writer below.
std::size_t ArchiveStringSize(std::size_t n);
// The same for a wide string of n code units: marker, length form and 2n.
std::size_t ArchiveWideStringSize(std::size_t n);

// Write n, or s, at out, which has room for it (kArchiveInt32Size, or
// ArchiveStringSize(s.size()) or ArchiveWideStringSize(s.size()) bytes),
// and return the end of what they wrote:
// a long list is written into one buffer sized in advance.
char* PutArchiveInt32(char* out, std::int32_t n);
char* PutArchiveString(char* out, std::string_view s);
char* PutArchiveWideString(char* out, std::wstring_view s);

// s in the single-byte form (ArchiveStringSize(s.size()) bytes) when every
// code unit is ASCII, which every ANSI code page holds as the same bytes: the
// paths of almost every list, written in one pass without a conversion. The
// end of what was written, or nullptr when a unit is not ASCII (the bytes
// written are then to be written over).
char* PutArchiveStringIfAscii(char* out, std::wstring_view s);

// Append n as 4 bytes little-endian, or s in the encoding above.
void WriteArchiveInt32(std::string& out, std::int32_t n);
void WriteArchiveString(std::string& out, std::string_view s);
void WriteArchiveWideString(std::string& out, std::wstring_view s);

// A string as read in either form: the single-byte form's bytes, or the wide
// form's UTF-16 code units.
struct ArchiveText {
    bool bWide = false;
    std::string bytes;
    std::wstring units;
};

// Reads values from a byte buffer it does not own. Every read checks the bytes
// that remain first, so no length read from the data can make it allocate or
// step beyond them. A failed read consumes nothing.
class ArchiveReader {
public:
    enum class Status {
        Ok,
        EndOfData,     // the value runs past the end of the data
        WideString,    // FF FE FF: a wide string, which ReadString does not take
        UnpairedMarker,  // FF FE FF where a wide string's length belongs
        HugeLength,    // 32-bit length FFFFFFFF: the escape to a 64-bit length
    };

    explicit ArchiveReader(std::string_view data) : m_data(data) {}
    // The reader only views its data: a temporary string would be gone.
    explicit ArchiveReader(std::string&&) = delete;

    Status ReadInt32(std::int32_t& n);
    Status ReadString(std::string& s);
    // A string in either form.
    Status ReadText(ArchiveText& text);

    std::size_t Remaining() const { return m_data.size() - m_pos; }

private:
    // Reads an unsigned little-endian value of `width` bytes at m_pos + offset.
    bool PeekUnsigned(std::size_t offset, std::size_t width, std::uint32_t& value) const;
    // The length form at m_pos + offset; headerSize counts from m_pos.
    Status ReadLength(std::size_t offset, std::size_t& length, std::size_t& headerSize) const;

    std::string_view m_data;
    std::size_t m_pos = 0;
};
