// Which face bitmap an owner-drawn button shows for its state.
#pragma once

#include <array>

// Slots of the six face ids, in the order the pages pass them.
enum EButtonFaceSlot {
    kFaceSelectedNormal = 0,
    kFaceSelectedHover,
    kFaceSelectedPressed,
    kFaceNormal,
    kFaceHover,
    kFacePressed,
    kFaceSlotCount
};

using ButtonFaceIds = std::array<int, kFaceSlotCount>;

// The bitmap id to draw, or 0 for "draw nothing". The pressed flag changes the look only while
// the pointer is over the button, and a pressed face is drawn only when the hover face of the
// same selection exists too.
int ChooseButtonFace(const ButtonFaceIds& ids, bool bSelected, bool bHover, bool bPressed);
