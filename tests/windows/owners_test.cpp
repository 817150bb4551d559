// The scoped owners of Win32 resources: each gives its resource back once,
// and moving one hands the resource on.
#include "win32/owners.h"

#include <gtest/gtest.h>

#include <utility>

TEST(Win32Owners, AMovedGdiObjectIsDeletedOnceByItsLastOwner) {
    const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const HBRUSH replaced = CreateSolidBrush(RGB(4, 5, 6));
    {
        GdiObject<HBRUSH> first(brush);
        GdiObject<HBRUSH> second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), brush);

        GdiObject<HBRUSH> last(replaced);
        last = std::move(second);
        EXPECT_FALSE(second);
        EXPECT_EQ(last.get(), brush);
        EXPECT_EQ(GetObjectType(replaced), 0u);  // given back as the move came in
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(Win32Owners, AKernelHandleHoldsNothingAfterAFailedOpeningAndTellsHowItsCloseWent) {
    const KernelHandle missing(
        CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.get(), INVALID_HANDLE_VALUE);  // as the call returned it

    KernelHandle event(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    ASSERT_TRUE(event);
    const HANDLE raw = event.get();
    EXPECT_TRUE(event.close());
    EXPECT_FALSE(event);
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags));
    EXPECT_FALSE(event.close());  // nothing left to close
}

TEST(Win32Owners, ASelectionPutsThePreviousObjectBackBeforeTheObjectAndTheContextGo) {
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    const HGDIOBJ startFont = GetCurrentObject(dc.get(), OBJ_FONT);
    const GdiObject<HFONT> font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH, "Arial"));
    {
        const SelectedObject selection(dc.get(), font.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), startFont);

    HDC raw;
    {
        const MemoryDc scoped(CreateCompatibleDC(nullptr));
        raw = scoped.get();
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}
