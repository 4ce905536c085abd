#include "runlist/ArchiveString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Status = ArchiveReader::Status;

std::string Encode(std::string_view s)
{
    std::string out;
    WriteArchiveString(out, s);
    return out;
}

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(ArchiveString, LengthHeadersMatchTheFrameworkVectors)
{
    const struct { std::size_t n; std::string header; } cases[] = {
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65536, Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
    };
    for (const auto& c : cases) {
        const std::string body(c.n, 'p');
        EXPECT_EQ(Encode(body), c.header + body) << "length " << c.n;
    }
    EXPECT_EQ(Encode("2010"), Bytes({0x04, 0x32, 0x30, 0x31, 0x30}));
}

TEST(ArchiveString, EveryLengthFormRoundTrips)
{
    for (std::size_t n : {0u, 1u, 254u, 255u, 65533u, 65534u, 70000u}) {
        std::string original(n, '\0');
        for (std::size_t i = 0; i < n; ++i)
            original[i] = static_cast<char>(i * 7 + 1);
        const std::string encoded = Encode(original);
        ArchiveReader reader(encoded);
        std::string decoded;
        ASSERT_EQ(reader.ReadString(decoded), Status::Ok) << "length " << n;
        EXPECT_EQ(decoded, original) << "length " << n;
        EXPECT_EQ(reader.Remaining(), 0u) << "length " << n;
    }
}

TEST(ArchiveString, ReaderAcceptsLongFormsOfShortLengths)
{
    for (const std::string& header : {Bytes({0xFF, 0x03, 0x00}),
                                      Bytes({0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00})}) {
        const std::string bytes = header + "abc" + "rest";
        ArchiveReader reader(bytes);
        std::string s;
        ASSERT_EQ(reader.ReadString(s), Status::Ok);
        EXPECT_EQ(s, "abc");
        EXPECT_EQ(reader.Remaining(), 4u);
    }
}

TEST(ArchiveString, DamageIsReportedAndConsumesNothing)
{
    const struct { std::string bytes; Status status; } cases[] = {
        {"", Status::EndOfData},
        {Bytes({0x05}) + "abcd", Status::EndOfData},
        {Bytes({0xFF, 0x01}), Status::EndOfData},
        {Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x00}), Status::EndOfData},
        {Bytes({0xFF, 0x00, 0x01}) + "short", Status::EndOfData},
        {Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}) + "huge", Status::EndOfData},
        {Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00}), Status::WideString},
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}), Status::HugeLength},
    };
    for (const auto& c : cases) {
        ArchiveReader reader(c.bytes);
        std::string s = "unchanged";
        EXPECT_EQ(reader.ReadString(s), c.status) << testing::PrintToString(c.bytes);
        EXPECT_EQ(s, "unchanged");
        EXPECT_EQ(reader.Remaining(), c.bytes.size());
    }
}

// The wide form: FF FE FF, the same length forms counting UTF-16 code units,
// then the units little-endian; read back whole in either form's reader.
TEST(ArchiveString, WideStringsTakeTheMarkerAndEveryLengthForm)
{
    const struct { std::size_t n; std::string header; } cases[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    const std::wstring units = L"\u0141\u00F3d\u017A \u6771\xD83D\xDE00";
    for (const auto& c : cases) {
        std::wstring original;
        std::string body;
        for (std::size_t i = 0; i < c.n; ++i) {
            const wchar_t unit = units[i % units.size()];
            original += unit;
            body += Bytes({static_cast<unsigned char>(unit & 0xFF), static_cast<unsigned char>(unit >> 8)});
        }
        std::string encoded;
        WriteArchiveWideString(encoded, original);
        ASSERT_EQ(encoded, Bytes({0xFF, 0xFE, 0xFF}) + c.header + body) << "length " << c.n;
        encoded += "rest";
        ArchiveReader reader(encoded);
        ArchiveText text;
        ASSERT_EQ(reader.ReadText(text), Status::Ok) << "length " << c.n;
        EXPECT_TRUE(text.bWide);
        EXPECT_EQ(text.units, original) << "length " << c.n;
        EXPECT_EQ(reader.Remaining(), 4u) << "length " << c.n;
    }
}

TEST(ArchiveString, WideDamageIsReportedAndConsumesNothing)
{
    const std::string marker = Bytes({0xFF, 0xFE, 0xFF});
    const struct { std::string bytes; Status status; } cases[] = {
        {marker, Status::EndOfData},
        {marker + Bytes({0x02, 0x41, 0x00, 0x42}), Status::EndOfData},
        {marker + Bytes({0xFF, 0x01}), Status::EndOfData},
        {marker + Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x41, 0x00}), Status::EndOfData},
        {marker + marker + Bytes({0x01, 0x41, 0x00}), Status::UnpairedMarker},
        {marker + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}), Status::HugeLength},
    };
    for (const auto& c : cases) {
        ArchiveReader reader(c.bytes);
        ArchiveText text;
        EXPECT_EQ(reader.ReadText(text), c.status) << testing::PrintToString(c.bytes);
        EXPECT_EQ(reader.Remaining(), c.bytes.size());
    }
}

TEST(ArchiveString, Int32IsFourBytesLittleEndian)
{
    std::string out;
    WriteArchiveInt32(out, 14);
    WriteArchiveInt32(out, -2);
    EXPECT_EQ(out, Bytes({0x0E, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));

    const std::string cut = out.substr(0, 7);
    ArchiveReader reader(cut);
    std::int32_t n = 0;
    EXPECT_EQ(reader.ReadInt32(n), Status::Ok);
    EXPECT_EQ(n, 14);
    EXPECT_EQ(reader.ReadInt32(n), Status::EndOfData);
    EXPECT_EQ(reader.Remaining(), 3u);
}

}  // namespace
