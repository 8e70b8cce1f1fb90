// Hooks for scripts and measurements, chosen by the environment:
//   SONVELA_SCREENSHOT=FILE   once the unit's state has been read back and shown, the window is
//                             written to FILE (PNG) and the program ends: exit 0, or 1 when no
//                             unit was read within SONVELA_SCREENSHOT_TIMEOUT_MS (30000).
//   SONVELA_SCREENSHOT_PAGES=DIR  besides (or without) SONVELA_SCREENSHOT: once read back, every
//                             page is shown in turn and written to DIR/page-<name>.png.
//   SONVELA_SCREENSHOT_SIZE=WxH  the window takes that size before the screenshots (a window
//                             maximised on a screen of that size).
//   SONVELA_EXIT_AFTER_PAINT=1  the program ends as soon as the window has been painted once
//                             (start-up time measurements).
//   SONVELA_EXIT_AFTER_READBACK=1  the program ends (exit 0) as soon as the unit's state has
//                             been read back (launch-to-connected measurements).
#pragma once

class CBrioDlg;
class CLinkController;

void InstallAutomation(CBrioDlg& window, CLinkController& controller);
