// SPDX-License-Identifier: GPL-3.0-or-later
// The panic button's mouse rules and the names the file-drop lists hold.
#include "wallpaper/dropped_names.h"
#include "wallpaper/panic_button.h"

#include <gtest/gtest.h>

TEST(PanicButton, LeftClickShowsPanicRightReleaseStepsOnlyWhenRunning)
{
    PanicButton b;
    EXPECT_FALSE(b.PanicPressedLeft);  // start-up

    b.MouseDown(false);  // left
    EXPECT_TRUE(b.ClickShowsPanic());
    EXPECT_FALSE(b.MouseUpTakesStep(true));  // a left release takes no step

    b.MouseDown(true);  // right, rotation running
    EXPECT_FALSE(b.ClickShowsPanic());
    EXPECT_TRUE(b.MouseUpTakesStep(true));
    EXPECT_TRUE(b.PanicPressedLeft);  // set again on release

    // Rotation paused or switched off: nothing.
    b.MouseDown(true);
    EXPECT_FALSE(b.MouseUpTakesStep(false));
    EXPECT_TRUE(b.PanicPressedLeft);
}

TEST(PanicButton, MiddleButtonDoesNothingOnItsOwnRelease)
{
    PanicButton b;
    b.MouseDown(false);  // a middle press counts as "not right"
    EXPECT_FALSE(b.MouseUpTakesStep(true));
    // No click comes for a middle release, so the panic picture is not shown either.
}

TEST(DroppedNames, NameOnlyAndTextAfterTheFirstDot)
{
    EXPECT_EQ(DroppedNameOnly("/A.B/photo.2.jpg"), "photo.2.jpg");
    EXPECT_EQ(DroppedExtension("/A.B/photo.2.jpg"), "2.jpg");
    EXPECT_EQ(DroppedExtension("/dir.x/readme"), "");
    EXPECT_EQ(DroppedExtension("/tmp/.hidden"), "hidden");
    EXPECT_EQ(DroppedNameOnly("/tmp/folder/"), "");
    EXPECT_EQ(DroppedNameOnly("plain.bmp"), "plain.bmp");
    const std::string longName(300, 'n');
    EXPECT_EQ(DroppedNameOnly("/d/" + longName + ".jpg"), longName + ".jpg");
}
