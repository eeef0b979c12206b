#pragma once
// Keys typed on the user's behalf into the window that has the keyboard.
#include <windows.h>

#include <initializer_list>

namespace zel {

// Presses the keys in order and lets them go in the reverse order: {VK_CONTROL, 'V'} pastes.
void SendKeyChord(std::initializer_list<WORD> keys);

} // namespace zel
