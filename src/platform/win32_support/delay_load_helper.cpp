// The delay-loaded imports' helper, wrapped (cmake/delay_load.cmake links with
// -Wl,--wrap=__delayLoadHelper2). At a delay-loaded function's first call, the MinGW runtime's
// helper loads the DLL and stores its module handle and the function's address in the tables
// that dlltool's delay-load libraries put in .idata. Newer linkers (binutils 2.44) mark .idata
// read-only, and Windows keeps it so once the program is loaded: the store would fault. The
// wrapper makes the pages of those two stores writable while the helper runs and puts their
// protection back afterwards, as Windows' own helper does for its protected delay-load tables;
// pages that are writable already are left alone, so a program linked by an older linker
// behaves as before.
#include <windows.h>

#include <delayimp.h>

#include <iterator>

extern "C" IMAGE_DOS_HEADER __ImageBase;
extern "C" FARPROC WINAPI __real___delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* entry);
extern "C" FARPROC WINAPI __wrap___delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* entry);

namespace {

// Read-only runs of pages made writable, kept so while any thread is inside the helper: two
// threads may resolve imports at once, and neither may lock a page again under the other's store.
struct UnlockedRun {
    void* base;
    SIZE_T size;
    DWORD protection;
};
SRWLOCK gLock = SRWLOCK_INIT;
UnlockedRun gUnlocked[8];
int gUnlockedCount = 0;
int gCallers = 0;

bool Writable(DWORD protection)
{
    return (protection & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

// Called with gLock held.
void MakeWritable(const void* address)
{
    for (int i = 0; i < gUnlockedCount; ++i) {
        const auto* base = static_cast<const BYTE*>(gUnlocked[i].base);
        if (address >= base && address < base + gUnlocked[i].size)
            return;
    }
    MEMORY_BASIC_INFORMATION run{};
    if (VirtualQuery(address, &run, sizeof run) == 0 || Writable(run.Protect))
        return;
    DWORD old = 0;
    if (!VirtualProtect(run.BaseAddress, run.RegionSize, PAGE_READWRITE, &old))
        return;
    // With no room to remember it, the run stays writable: the store must not fault.
    if (gUnlockedCount < static_cast<int>(std::size(gUnlocked)))
        gUnlocked[gUnlockedCount++] = {run.BaseAddress, run.RegionSize, old};
}

}  // namespace

// A helper that raises (the DLL or the function is missing) does not come back here: the runs
// stay writable from then on, which costs the protection, never a fault.
extern "C" FARPROC WINAPI __wrap___delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* entry)
{
    AcquireSRWLockExclusive(&gLock);
    ++gCallers;
    MakeWritable(entry);
    MakeWritable(reinterpret_cast<const BYTE*>(&__ImageBase) + descriptor->rvaHmod);
    ReleaseSRWLockExclusive(&gLock);

    const FARPROC function = __real___delayLoadHelper2(descriptor, entry);

    AcquireSRWLockExclusive(&gLock);
    if (--gCallers == 0) {
        for (int i = 0; i < gUnlockedCount; ++i) {
            DWORD old = 0;
            VirtualProtect(gUnlocked[i].base, gUnlocked[i].size, gUnlocked[i].protection, &old);
        }
        gUnlockedCount = 0;
    }
    ReleaseSRWLockExclusive(&gLock);
    return function;
}
