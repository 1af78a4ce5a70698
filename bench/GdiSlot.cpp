// Prints the slot of a fresh GDI handle inside the running seeded test build
// (made and deleted by its report window), or -1 when it is not running.
// Between two readings with nothing alive in between, a slot that climbs
// means GDI objects leak.
#include "app/TestReport.h"

#include <cstdio>

int wmain() {
    HWND report = FindWindowW(VeRize::TestReportClass, nullptr);
    long slot = -1;
    if (report != nullptr)
        slot = static_cast<long>(SendMessageW(report, VeRize::ReportGdiSlotMessage, 0, 0));
    std::printf("%ld\n", slot);
    return report != nullptr ? 0 : 1;
}
