// GLUT's codes as both programs' callbacks translate them.
#include "render/GlutInput.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

using namespace cubrava;

namespace {

bool same(const Modifiers& a, const Modifiers& b)
{
    return a.shift == b.shift && a.control == b.control && a.alt == b.alt;
}

} // namespace

// On X11 GLUT reports Num Lock as Super and Caps Lock as Shift; neither may
// turn Alt + key into another binding, while a Shift really held does.
TEST(GlutInput, TheLocksAreNoModifiers)
{
    InputState capsLock;
    capsLock.capsLock = true;
    InputState capsLockAndShift = capsLock;
    capsLockAndShift.shiftHeld = true;
    InputState shiftOnly;
    shiftOnly.shiftHeld = true;
    const int shiftAlt = GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT;

    EXPECT_TRUE(modifiersFromGlut(shiftAlt | GLUT_ACTIVE_SUPER, capsLock).altAlone());
    EXPECT_TRUE(modifiersFromGlut(GLUT_ACTIVE_ALT | GLUT_ACTIVE_SUPER, std::nullopt).altAlone());
    EXPECT_FALSE(modifiersFromGlut(shiftAlt, capsLockAndShift).altAlone());
    EXPECT_FALSE(modifiersFromGlut(shiftAlt, shiftOnly).altAlone());
    EXPECT_FALSE(modifiersFromGlut(shiftAlt, std::nullopt).altAlone()) << "without the keyboard's state, a Shift";
    EXPECT_FALSE(modifiersFromGlut(GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT, capsLock).altAlone());

    Modifiers all;
    all.shift = all.control = all.alt = true;
    EXPECT_TRUE(same(modifiersFromGlut(GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT, shiftOnly), all));
    EXPECT_TRUE(same(modifiersFromGlut(GLUT_ACTIVE_SUPER, std::nullopt), Modifiers {}));
}

// freeglut reports the modifier keys as special keys of their own; they, and
// keys no binding uses, go no further. The wheel is a button of its own too.
TEST(GlutInput, OnlyTheKeysAndButtonsTheProgramsKnowGoOn)
{
    for (int code = GLUT_KEY_SHIFT_L; code <= GLUT_KEY_SUPER_R; ++code)
        EXPECT_FALSE(specialKeyFromGlut(code)) << code;
    EXPECT_FALSE(specialKeyFromGlut(GLUT_KEY_F2));
    EXPECT_FALSE(specialKeyFromGlut(GLUT_KEY_NUM_LOCK));
    EXPECT_EQ(specialKeyFromGlut(GLUT_KEY_F1), SpecialKey::F1);
    EXPECT_EQ(specialKeyFromGlut(GLUT_KEY_F5), SpecialKey::F5);
    EXPECT_EQ(specialKeyFromGlut(GLUT_KEY_INSERT), SpecialKey::Insert);
    EXPECT_EQ(keypadDigit(*specialKeyFromGlut(GLUT_KEY_UP)), '8');
    EXPECT_EQ(keypadDigit(*specialKeyFromGlut(GLUT_KEY_END)), '1');

    EXPECT_EQ(mouseButtonFromGlut(GLUT_RIGHT_BUTTON), MouseButton::Right);
    EXPECT_EQ(mouseButtonFromGlut(3), MouseButton::WheelUp);
    EXPECT_EQ(mouseButtonFromGlut(4), MouseButton::WheelDown);
    EXPECT_EQ(mouseButtonFromGlut(5), MouseButton::Other);
    EXPECT_EQ(buttonStateFromGlut(GLUT_UP), ButtonState::Up);
}
