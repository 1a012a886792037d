// The resources of Vantorelle.exe: the icon's three 16-colour images, the Japanese version block and
// the manifest that asks for the version-6 common controls on this build's processor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_driver.h"

namespace {

std::wstring ProgramFile() {
    return WindowsPathFromEnvironment("VANTORELLE_EXE");
}

std::string Resource(HMODULE module, LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return "";
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
}

std::wstring VersionString(const std::vector<uint8_t>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length)) return L"<none>";
    return static_cast<const wchar_t*>(value);
}

}  // namespace

TEST(Resources, IconHasThreeSixteenColourImages) {
    HMODULE program = LoadLibraryExW(ProgramFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const std::string group = Resource(program, RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_GE(group.size(), 6u + 3 * 14);
    ASSERT_EQ(group[4], 3);  // images in the group
    for (int i = 0; i < 3; ++i) {
        const auto* entry = reinterpret_cast<const uint8_t*>(group.data() + 6 + 14 * i);
        EXPECT_EQ(entry[0], 16 * (i + 1)) << "width";
        EXPECT_EQ(entry[1], 16 * (i + 1)) << "height";
        EXPECT_EQ(entry[2], 16) << "colours";
        EXPECT_EQ(entry[6], 4) << "bits per pixel";
    }
    FreeLibrary(program);
}

TEST(Resources, ManifestAsksForCommonControlsSixOnThisProcessor) {
    HMODULE program = LoadLibraryExW(ProgramFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const std::string manifest = Resource(program, RT_MANIFEST, MAKEINTRESOURCEW(1));
    FreeLibrary(program);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("<description>CreateToFileShortcut</description>"), std::string::npos);
    EXPECT_NE(manifest.find("processorArchitecture=\"amd64\""), std::string::npos);  // this is the x86_64 build
    EXPECT_EQ(manifest.find("X86"), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
}

TEST(Resources, JapaneseVersionBlock) {
    const std::wstring file = ProgramFile();
    DWORD ignored = 0;
    std::vector<uint8_t> block(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    DWORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(*translation, 0x04B00411u);
    EXPECT_EQ(VersionString(block, L"Comments"), L"ショートカットファイルを作成");
    for (const wchar_t* name : {L"FileDescription", L"ProductName", L"InternalName", L"LegalTrademarks"}) {
        EXPECT_EQ(VersionString(block, name), L"Vantorelle") << name;
    }
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"Vantorelle.exe");
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.00");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.00");
}
