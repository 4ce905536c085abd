// The resources the launcher's executable carries, read back from this test
// program, which links the same resource object: the manifest, the version
// and the icon. (The package test reads the packaged NimbrelRun.exe itself.)
#include "ExeResources.h"
#include "TestFiles.h"
#include "app/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using wintest::IconImage;

struct IconDestroyer {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

HMODULE Self()
{
    return ::GetModuleHandleA(nullptr);
}

// The project's version with all four parts ("1.0" -> "1.0.0.0").
std::string FourPartVersion(std::string version)
{
    for (auto dots = std::count(version.begin(), version.end(), '.'); dots < 3; ++dots)
        version += ".0";
    return version;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(AppManifest, AsksForCommonControls6TheUsersOwnRightsPerMonitorDpiAndLongPaths)
{
    const std::string manifest = wintest::ManifestText(Self());
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    EXPECT_TRUE(Contains(manifest, R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")")) << manifest;
    EXPECT_TRUE(Contains(manifest, R"(level="asInvoker")")) << manifest;
    EXPECT_TRUE(Contains(manifest, R"(version=")" + FourPartVersion(NIMBREL_PROJECT_VERSION) + '"')) << manifest;
    // Per-monitor version 2, then version 1; system awareness where only the
    // older element is read. Each element counts only in its own namespace.
    EXPECT_TRUE(Contains(manifest, R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">)"
                                   "PerMonitorV2, PerMonitor</dpiAwareness>")) << manifest;
    EXPECT_TRUE(Contains(manifest, R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">)"
                                   "true/pm</dpiAware>")) << manifest;
    EXPECT_TRUE(Contains(manifest, R"(<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">)"
                                   "true</longPathAware>")) << manifest;
    EXPECT_TRUE(Contains(manifest, R"(<application xmlns="urn:schemas-microsoft-com:asm.v3">)")) << manifest;
}

// The manifest is honoured: the process runs with the version 6 common
// controls, which Windows and Wine both keep in the side-by-side store. (Wine's
// DllGetVersion says 5.81 for either library, so the file is what tells.)
TEST(AppManifest, TheProcessRunsWithTheVersion6CommonControls)
{
    HMODULE comctl32 = ::GetModuleHandleA("comctl32.dll");
    ASSERT_NE(comctl32, nullptr);
    char path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameA(comctl32, path, MAX_PATH), 0u);
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_TRUE(Contains(lower, "microsoft.windows.common-controls_6595b64144ccf1df_6.")) << path;
}

TEST(AppVersion, NamesTheProductAndCarriesTheProjectVersion)
{
    const wintest::VersionInfo version(wintest::ExePath());
    ASSERT_TRUE(version.Exists()) << "no version resource";
    EXPECT_EQ(version.String("ProductName"), "Nimbrel Run XP");
    EXPECT_EQ(version.String("ProductVersion"), NIMBREL_PROJECT_VERSION);
    EXPECT_EQ(version.String("FileVersion"), NIMBREL_PROJECT_VERSION);
    EXPECT_EQ(version.String("OriginalFilename"), "NimbrelRun.exe");
    EXPECT_NE(version.String("FileDescription").value_or(""), "");
    EXPECT_EQ(version.FileVersion(), FourPartVersion(NIMBREL_PROJECT_VERSION));
}

std::string Describe(const IconImage& image)
{
    return std::to_string(image.width) + 'x' + std::to_string(image.height) + ' ' +
           std::to_string(image.bitCount) + "-bit";
}

TEST(AppIcon, HoldsTheFourImagesAndEachOneLoads)
{
    const std::vector<IconImage> images = wintest::IconGroupImages(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    std::vector<std::string> described;
    for (const IconImage& image : images)
        described.push_back(Describe(image));
    // 16 colours are 4 bits per pixel, 256 colours 8.
    EXPECT_EQ(described, (std::vector<std::string>{"16x16 4-bit", "32x32 8-bit", "48x48 8-bit", "32x32 4-bit"}));

    for (const IconImage& image : images) {
        std::string bits = wintest::ResourceBytes(Self(), MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(image.id));   // RT_ICON
        ASSERT_GE(bits.size(), sizeof(BITMAPINFOHEADER)) << Describe(image);
        BITMAPINFOHEADER header;
        std::memcpy(&header, bits.data(), sizeof header);
        EXPECT_EQ(header.biWidth, image.width) << Describe(image);
        EXPECT_EQ(header.biHeight, 2 * image.height) << Describe(image);   // colour and mask
        EXPECT_EQ(header.biBitCount, image.bitCount) << Describe(image);
        const UniqueIcon icon(::CreateIconFromResourceEx(reinterpret_cast<BYTE*>(bits.data()),
                                                         static_cast<DWORD>(bits.size()), TRUE, 0x00030000,
                                                         image.width, image.height, LR_DEFAULTCOLOR));
        EXPECT_NE(icon, nullptr) << Describe(image);
    }
}

// What the dialog asks for: the icon by its id at the large and small sizes.
TEST(AppIcon, LoadsAtTheSystemsIconSizes)
{
    for (const int metric : {SM_CXICON, SM_CXSMICON}) {
        const int size = ::GetSystemMetrics(metric);
        const UniqueIcon icon(static_cast<HICON>(
            ::LoadImageA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        EXPECT_NE(icon, nullptr) << size;
    }
}

}  // namespace
