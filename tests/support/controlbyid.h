// Finds a page's control by its control id, as the page's tables name it.
#pragma once

#include <QWidget>

// The child of `parent` of type T whose ControlId() is `id`, or null.
template <typename T>
T* Control(QWidget& parent, int id) {
    for (T* pChild : parent.findChildren<T*>()) {
        if (pChild->ControlId() == id) {
            return pChild;
        }
    }
    return nullptr;
}
