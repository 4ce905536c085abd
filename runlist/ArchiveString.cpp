#include "runlist/ArchiveString.h"

#include <stdexcept>

namespace {

constexpr std::uint32_t kByteEscape = 0xFF;
constexpr std::uint32_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kWideMarker = 0xFFFE;
constexpr std::uint32_t kDwordEscape = 0xFFFFFFFF;

void AppendLittleEndian(std::string& out, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

void WriteArchiveInt32(std::string& out, std::int32_t n)
{
    AppendLittleEndian(out, static_cast<std::uint32_t>(n), 4);
}

void WriteArchiveString(std::string& out, std::string_view s)
{
    const std::size_t n = s.size();
    if (n < kByteEscape) {
        AppendLittleEndian(out, static_cast<std::uint32_t>(n), 1);
    } else if (n < kWideMarker) {
        AppendLittleEndian(out, kByteEscape, 1);
        AppendLittleEndian(out, static_cast<std::uint32_t>(n), 2);
    } else if (n < kDwordEscape) {
        AppendLittleEndian(out, kByteEscape, 1);
        AppendLittleEndian(out, kWordEscape, 2);
        AppendLittleEndian(out, static_cast<std::uint32_t>(n), 4);
    } else {
        throw std::length_error("string too long for the archive encoding");
    }
    out.append(s);
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

ArchiveReader::Status ArchiveReader::ReadLength(std::size_t& length, std::size_t& headerSize) const
{
    std::uint32_t value = 0;
    if (!PeekUnsigned(0, 1, value))
        return Status::EndOfData;
    headerSize = 1;
    if (value == kByteEscape) {
        if (!PeekUnsigned(1, 2, value))
            return Status::EndOfData;
        headerSize = 3;
        if (value == kWideMarker)
            return Status::WideString;
        if (value == kWordEscape) {
            if (!PeekUnsigned(3, 4, value))
                return Status::EndOfData;
            headerSize = 7;
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
    const Status status = ReadLength(length, headerSize);
    if (status != Status::Ok)
        return status;
    if (Remaining() - headerSize < length)
        return Status::EndOfData;
    s.assign(m_data.substr(m_pos + headerSize, length));
    m_pos += headerSize + length;
    return Status::Ok;
}
