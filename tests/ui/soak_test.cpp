// A soak: 1,000 Creates and 1,000 changes of the icon file in one window session. What the process
// holds must be the same at the end as after the first hundred of each.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include "window_test.h"

namespace {
// Wine answers 0 to GetProcessHandleCount and GetGuiResources, so handles are counted in the system's
// handle table, and committed memory shows leaked windows, GDI objects and icons (1,200 windows left
// behind add some 800 KiB).
struct Usage { ULONG handles = 0; SIZE_T memory = 0; };

Usage UsageNow() {
    struct Entry { ULONG processId; BYTE type, flags; USHORT handle; PVOID object; ACCESS_MASK access; };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "NtQuerySystemInformation")));
    std::vector<uint8_t> table(1 << 22);
    ULONG length = 0;
    Usage usage;
    if (query(16 /* SystemHandleInformation */, table.data(), static_cast<ULONG>(table.size()), &length) == 0) {
        const auto* entries = reinterpret_cast<const Entry*>(table.data() + sizeof(ULONG_PTR));
        for (ULONG i = 0; i < *reinterpret_cast<ULONG*>(table.data()); ++i) usage.handles += entries[i].processId == GetCurrentProcessId();
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    usage.memory = memory.PagefileUsage;
    return usage;
}
}  // namespace

using Soak = WindowTest;

TEST_F(Soak, ThousandCreatesAndIconChangesLeakNothing) {
    const std::wstring target = MakeFile(L"app.exe", 100);
    window.SetText(kTargetBoxId, target);
    window.SetText(kShortcutBoxId, dir + L"app.lnk");
    const std::wstring iconFiles[] = {L"C:\\windows\\system32\\shell32.dll", MakeFile(L"plain.txt", 3), target};
    Usage afterHundred;
    int failures = 0;
    for (int i = 1; i <= 1000; ++i) {
        window.SetText(kIconFileBoxId, iconFiles[i % 3]);
        window.ClickAndWait(kNextIconButtonId);
        failures += Create() != L"完了";
        if (i == 100) afterHundred = UsageNow();
    }
    const Usage atEnd = UsageNow();
    EXPECT_EQ(failures, 0);
    ASSERT_GT(afterHundred.handles, 0u) << "the handle table could not be read";
    EXPECT_EQ(atEnd.handles, afterHundred.handles);
    EXPECT_LE(atEnd.memory, afterHundred.memory + 256 * 1024) << "committed memory grew";
}
