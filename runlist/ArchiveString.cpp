#include "runlist/ArchiveString.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::uint32_t kByteEscape = 0xFF;
constexpr std::uint32_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kWideMarker = 0xFFFE;
constexpr std::uint32_t kDwordEscape = 0xFFFFFFFF;
constexpr std::size_t kWideMarkerSize = 3;
constexpr std::size_t kCodeUnitSize = 2;

// A length's form: `escapes` bytes of FF (none, FF, or FF and the 16-bit
// escape FF FF), then the length in width bytes.
struct LengthForm {
    std::size_t escapes;
    std::size_t width;
};

inline LengthForm LengthFormOf(std::size_t n)
{
    if (n < kByteEscape)
        return {0, 1};
    if (n < kWideMarker)
        return {1, 2};
    if (n < kDwordEscape)
        return {3, 4};
    throw std::length_error("string too long for the archive encoding");
}

inline char* PutLittleEndian(char* out, std::uint32_t value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i)
        *out++ = static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

inline char* PutLength(char* out, std::size_t n)
{
    const LengthForm form = LengthFormOf(n);
    if (form.escapes == 0) {
        // The usual path: its length in one byte, written without a loop.
        *out++ = static_cast<char>(n);
        return out;
    }
    for (std::size_t i = 0; i < form.escapes; ++i)
        *out++ = static_cast<char>(kByteEscape);
    return PutLittleEndian(out, static_cast<std::uint32_t>(n), form.width);
}

// Appends what put writes into size bytes.
template <class Put>
void Append(std::string& out, std::size_t size, Put put)
{
    const std::size_t used = out.size();
    out.resize(used + size);
    put(&out[used]);
}

}  // namespace

std::size_t ArchiveStringSize(std::size_t n)
{
    const LengthForm form = LengthFormOf(n);
    return form.escapes + form.width + n;
}

char* PutArchiveInt32(char* out, std::int32_t n)
{
    return PutLittleEndian(out, static_cast<std::uint32_t>(n), kArchiveInt32Size);
}

std::size_t ArchiveWideStringSize(std::size_t n)
{
    const LengthForm form = LengthFormOf(n);
    return kWideMarkerSize + form.escapes + form.width + kCodeUnitSize * n;
}

char* PutArchiveString(char* out, std::string_view s)
{
    out = PutLength(out, s.size());
    if (!s.empty())
        std::memcpy(out, s.data(), s.size());
    return out + s.size();
}

char* PutArchiveStringIfAscii(char* out, std::wstring_view s)
{
    out = PutLength(out, s.size());
    // No branch per unit: the loop narrows and checks at once, and the
    // compiler can vectorise it.
    std::uint32_t bits = 0;
    for (const wchar_t unit : s) {
        bits |= static_cast<std::uint32_t>(unit);
        *out++ = static_cast<char>(unit);
    }
    return bits < 0x80 ? out : nullptr;
}

char* PutArchiveWideString(char* out, std::wstring_view s)
{
    LengthFormOf(s.size());   // throws before anything is written
    out = PutLittleEndian(out, kByteEscape | (kWideMarker << 8), kWideMarkerSize);
    out = PutLength(out, s.size());
    for (const wchar_t unit : s)
        out = PutLittleEndian(out, static_cast<std::uint32_t>(unit) & 0xFFFF, kCodeUnitSize);
    return out;
}

void WriteArchiveInt32(std::string& out, std::int32_t n)
{
    Append(out, kArchiveInt32Size, [n](char* at) { PutArchiveInt32(at, n); });
}

void WriteArchiveString(std::string& out, std::string_view s)
{
    Append(out, ArchiveStringSize(s.size()), [s](char* at) { PutArchiveString(at, s); });
}

void WriteArchiveWideString(std::string& out, std::wstring_view s)
{
    Append(out, ArchiveWideStringSize(s.size()), [s](char* at) { PutArchiveWideString(at, s); });
}

bool ArchiveReader::PeekUnsigned(std::size_t offset, std::size_t width, std::uint32_t& value) const
{
    if (Remaining() < offset || Remaining() - offset < width)
        return false;
    value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const auto byte = static_cast<unsigned char>(m_data[m_pos + offset + i]);
        value |= static_cast<std::uint32_t>(byte) << (8 * i);
    }
    return true;
}

ArchiveReader::Status ArchiveReader::ReadInt32(std::int32_t& n)
{
    std::uint32_t value = 0;
    if (!PeekUnsigned(0, 4, value))
        return Status::EndOfData;
    m_pos += 4;
    n = static_cast<std::int32_t>(value);
    return Status::Ok;
}

ArchiveReader::Status ArchiveReader::ReadLength(std::size_t offset, std::size_t& length,
                                                std::size_t& headerSize) const
{
    std::uint32_t value = 0;
    if (!PeekUnsigned(offset, 1, value))
        return Status::EndOfData;
    headerSize = offset + 1;
    if (value == kByteEscape) {
        if (!PeekUnsigned(offset + 1, 2, value))
            return Status::EndOfData;
        headerSize = offset + 3;
        if (value == kWideMarker)
            return Status::WideString;
        if (value == kWordEscape) {
            if (!PeekUnsigned(offset + 3, 4, value))
                return Status::EndOfData;
            headerSize = offset + 7;
            if (value == kDwordEscape)
                return Status::HugeLength;
        }
    }
    length = value;
    return Status::Ok;
}

ArchiveReader::Status ArchiveReader::ReadString(std::string& s)
{
    std::size_t length = 0;
    std::size_t headerSize = 0;
    const Status status = ReadLength(0, length, headerSize);
    if (status != Status::Ok)
        return status;
    if (Remaining() - headerSize < length)
        return Status::EndOfData;
    s.assign(m_data.substr(m_pos + headerSize, length));
    m_pos += headerSize + length;
    return Status::Ok;
}

ArchiveReader::Status ArchiveReader::ReadText(ArchiveText& text)
{
    std::size_t length = 0;
    std::size_t headerSize = 0;
    Status status = ReadLength(0, length, headerSize);
    if (status != Status::WideString) {
        text.bWide = false;
        return status == Status::Ok ? ReadString(text.bytes) : status;
    }
    status = ReadLength(kWideMarkerSize, length, headerSize);
    if (status == Status::WideString)
        return Status::UnpairedMarker;
    if (status != Status::Ok)
        return status;
    // Divided, not multiplied: 2 * length can overflow a 32-bit size.
    if ((Remaining() - headerSize) / kCodeUnitSize < length)
        return Status::EndOfData;
    std::wstring units(length, L'\0');
    for (std::size_t i = 0; i < length; ++i) {
        std::uint32_t unit = 0;
        PeekUnsigned(headerSize + kCodeUnitSize * i, kCodeUnitSize, unit);
        units[i] = static_cast<wchar_t>(unit);
    }
    text.bWide = true;
    text.units = std::move(units);
    m_pos += headerSize + kCodeUnitSize * length;
    return Status::Ok;
}
