// The window at the system's DPI (Wine's LogPixels: 96, 120 or 144): the client area and every
// control scaled from their twips, labels at least as large but never over another control.
#include <gtest/gtest.h>

#include "form_driver.h"
#include "ui/form1_controls.h"

TEST(Dpi, EveryControlScalesWithTheSystemDpi) {
    SetProcessDPIAware();  // see the program's pixels as they are
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RecordProperty("dpi", dpi);
    RunningForm form;
    ASSERT_NE(form.form(), nullptr);
    const auto scaled = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    RECT client;
    GetClientRect(form.form(), &client);
    EXPECT_EQ(client.right, scaled(kForm1ClientWidth)) << "at " << dpi << " dpi";
    EXPECT_EQ(client.bottom, scaled(kForm1ClientHeight));
    const auto placeOf = [&form](int id) {
        RECT box;
        GetWindowRect(form.Control(id), &box);
        MapWindowPoints(nullptr, form.form(), reinterpret_cast<POINT*>(&box), 2);
        return box;
    };
    for (size_t i = 0; i < kForm1ControlCount; ++i) {
        const ControlSpec& item = kForm1Controls[i];
        SCOPED_TRACE(std::wstring(item.name) + L"(" + std::to_wstring(item.index) + L") at " + std::to_wstring(dpi));
        const RECT box = placeOf(item.id);
        EXPECT_EQ(box.left, scaled(item.left));
        EXPECT_EQ(box.top, scaled(item.top));
        if (item.kind != ControlKind::kLabel) {
            EXPECT_EQ(box.right - box.left, scaled(item.width));
            EXPECT_EQ(box.bottom - box.top, scaled(item.height));
            continue;
        }
        EXPECT_GE(box.right - box.left, scaled(item.width));
        EXPECT_GE(box.bottom - box.top, scaled(item.height));
        for (size_t j = 0; j < kForm1ControlCount; ++j) {
            const RECT other = placeOf(kForm1Controls[j].id);
            RECT both;
            EXPECT_TRUE(j == i || !IntersectRect(&both, &box, &other))
                << "covers " << kForm1Controls[j].name << "(" << kForm1Controls[j].index << ")";
        }
    }
}
