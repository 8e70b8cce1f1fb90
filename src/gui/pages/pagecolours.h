// Colours shared by the selector and the pages.
#pragma once

#include <QColor>

inline const QColor kGreen(14, 186, 7);            // selected, active
inline const QColor kSelectorGrey(121, 122, 124);  // selector buttons not selected
inline const QColor kTypeGrey(100, 100, 100);      // EQ type buttons not selected
inline const QColor kSelectorBack(40, 41, 45);
inline const QColor kPageBack(241, 241, 241);
