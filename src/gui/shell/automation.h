// Hooks for scripts and measurements, chosen by the environment:
//   SONVELA_SCREENSHOT=FILE   once the unit's state has been read back and shown, the window is
//                             written to FILE (PNG) and the program ends: exit 0, or 1 when no
//                             unit was read within SONVELA_SCREENSHOT_TIMEOUT_MS (30000).
//                             SONVELA_SCREENSHOT_PAGE=N shows page N first (7: System),
//                             SONVELA_SCREENSHOT_SIZE=WxH gives the window that size.
//   SONVELA_EXIT_AFTER_PAINT=1  the program ends as soon as the window has been painted once
//                             (start-up time measurements).
#pragma once

class CBrioDlg;
class CLinkController;

void InstallAutomation(CBrioDlg& window, CLinkController& controller);
