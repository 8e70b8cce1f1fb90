// Message numbers and delivery conventions of the custom controls.
//
// A control never touches the parameter model; it tells its parent widget what happened with a
// CControlEvent (controlevent.h) carrying the message number, the control's id and a value.
// The slider posts its messages (they arrive after the handler that caused them returns); the
// number box, the spin and the button send theirs at once, as a command from the control id.
// Pages dispatch on the message number first and on the control id second.
#pragma once

// Slider: the position changed during a press (value = position).
inline constexpr int MSG_SLIDER_DRAGGING = 0x28D1;
// Slider: a drag ended, a key was handled or a wheel step completed (value = position).
inline constexpr int MSG_SLIDER_CHANGED = 0x28D2;
// Command from a number box (a typed value converted), a spin (a step) or a button (a click).
// Value: the new index for the number box and the spin, 0 for a button.
inline constexpr int MSG_COMMAND = 0x0111;
