#include "core/viewmath/buttonface.h"

int ChooseButtonFace(const ButtonFaceIds& ids, bool bSelected, bool bHover, bool bPressed) {
    const int base = bSelected ? kFaceSelectedNormal : kFaceNormal;
    if (!bHover) {
        return ids[base];
    }
    const int hoverId = ids[base + 1];
    if (hoverId == 0) {
        return 0;
    }
    return bPressed ? ids[base + 2] : hoverId;
}
