// The manifest of Vantorelle.exe: the version-6 common controls on this build's processor (a manifest
// naming another processor stops the program from starting).
#include <gtest/gtest.h>

#include <string>

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

}  // namespace

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
