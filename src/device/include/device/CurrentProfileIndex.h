// CurrentProfileIndex.h - the profile (0..2) whose lighting and key colours
// the device commands address. The main window owns the value and sets it;
// the device layer only reads it. Process-wide, 0 until someone sets it.
#pragma once

namespace device {

int currentProfileIndex();
void setCurrentProfileIndex(int profile);

}  // namespace device
