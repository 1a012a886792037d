// A soak: 1,000 Creates and 1,000 changes of the icon file in one window session, driven by messages.
// What the program holds must be the same at the end as after the first hundred of each.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {

// What the program holds. Wine answers 0 to GetProcessHandleCount and GetGuiResources for any process,
// so handles are counted in the system's handle table, windows stand for the USER objects, and the
// committed memory shows what GDI objects and icons would leak.
struct Usage {
    ULONG handles = 0;
    int windows = 0;
    SIZE_T memory = 0;
};

ULONG HandlesOf(DWORD processId) {
    struct Entry {
        ULONG processId;
        BYTE type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "NtQuerySystemInformation")));
    std::vector<uint8_t> table(1 << 22);
    ULONG length = 0;
    const ULONG kSystemHandleInformation = 16;
    if (!query || query(kSystemHandleInformation, table.data(), static_cast<ULONG>(table.size()), &length) != 0) return 0;
    const ULONG count = *reinterpret_cast<ULONG*>(table.data());
    const auto* entries = reinterpret_cast<const Entry*>(table.data() + sizeof(ULONG_PTR));
    ULONG held = 0;
    for (ULONG i = 0; i < count; ++i) held += entries[i].processId == processId;
    return held;
}

int WindowsOf(DWORD processId) {
    struct Count {
        DWORD processId;
        int windows;
        static BOOL CALLBACK Child(HWND, LPARAM context) {
            ++reinterpret_cast<Count*>(context)->windows;
            return TRUE;
        }
        static BOOL CALLBACK Top(HWND window, LPARAM context) {
            auto* count = reinterpret_cast<Count*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != count->processId) return TRUE;
            ++count->windows;
            EnumChildWindows(window, Child, context);
            return TRUE;
        }
    } count = {processId, 0};
    EnumWindows(Count::Top, reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

Usage UsageOf(HANDLE process, DWORD processId) {
    Usage usage;
    usage.handles = HandlesOf(processId);
    usage.windows = WindowsOf(processId);
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    usage.memory = memory.PagefileUsage;
    return usage;
}

void Print(const char* when, const Usage& u) {
    std::printf("%s: handles %lu, windows %d, committed memory %zu KiB\n", when, u.handles, u.windows, u.memory / 1024);
}

}  // namespace

class Soak : public RealFiles {};

TEST_F(Soak, ThousandCreatesAndIconChangesLeakNothing) {
    RunningForm form;
    ASSERT_NE(form.form(), nullptr);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, form.ProcessId());
    ASSERT_NE(process, nullptr);
    const std::wstring target = MakeFile(L"app.exe", 100);
    form.SetText(kText1Base + 0, target);
    form.SetText(kText1Base + 1, dir + L"app.lnk");
    const std::wstring iconFiles[] = {L"C:\\windows\\system32\\shell32.dll", MakeFile(L"plain.txt", 3), target};

    Usage afterHundred;
    int failures = 0;
    for (int i = 1; i <= 1000; ++i) {
        form.SetText(kText1Base + 4, iconFiles[i % 3]);
        form.ClickAndWait(kCommand3Base + 1);
        failures += form.CreateAndAnswer() != L"完了";
        if (i == 100) afterHundred = UsageOf(process, form.ProcessId());
    }
    const Usage atEnd = UsageOf(process, form.ProcessId());
    Print("after 100", afterHundred);
    Print("after 1000", atEnd);
    EXPECT_EQ(failures, 0);
    ASSERT_GT(afterHundred.handles, 0u) << "the handle table could not be read";
    ASSERT_GT(afterHundred.windows, 20);
    ASSERT_GT(afterHundred.memory, 0u);
    EXPECT_EQ(atEnd.handles, afterHundred.handles);
    EXPECT_EQ(atEnd.windows, afterHundred.windows);
    EXPECT_LE(atEnd.memory, afterHundred.memory + 256 * 1024) << "committed memory grew";
    CloseHandle(process);
    EXPECT_TRUE(form.Close());
}
