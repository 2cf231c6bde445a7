// Lighting.h - reading the keyboard's lighting into the host state and every
// lighting write the panel makes, each as its own BeginTransfer..EndTransfer
// sequence on the current profile (the process-wide current profile index).
//
// Every write returns the device result code of its first failed command
// (RESULT_OK when all went through). The host state keeps the new value
// either way and the next read shows what the keyboard really holds. The
// writes that build on the state (mode with its multi-colour byte, the
// multi-colour switches, the two sliders) are refused with
// device::RESULT_STATE_UNREAD, and send nothing, while the current profile's block
// has never been read from the keyboard.
#pragma once

#include <functional>

#include "device/DeviceCommands.h"
#include "lighting/KeyColorTable.h"
#include "lighting/LightingState.h"
#include "lighting/ModeTable.h"
#include "lighting/PreviewEngine.h"

namespace lighting {

class Lighting {
  public:
    explicit Lighting(device::DeviceCommands& commands);

    // Reads the device-information block (mode list) and the three parameter
    // blocks, and loads the host state from the current profile's block.
    // Returns 0, or -1 when the information block (state untouched, mode
    // list empty) or the current profile's parameter block (state
    // untouched) cannot be read; ReadResult() then gives the failing
    // command's result code. `insideTransfer`, when given, runs
    // after BeginTransfer and before the block reads: the keyboard-arrival
    // read loads and sends the user light mode there.
    int ReadLighting(const std::function<void()>& insideTransfer = {});

    // The panel's writes.
    int SelectMode(int code);
    int MoveBrightnessSlider(int position);  // 0..5
    int MoveSpeedSlider(int position);       // 0..5, stored as 5 - position
    int SetDirection(uint8_t direction);     // kDirectionLeft or kDirectionRight
    int PickColourFY(Colour colour);
    int PickColourHX(Colour colour);
    int ToggleMultiColourHX();
    int ToggleMultiColourFY();
    int ClickPreset(int swatch);        // 1..8
    int ClickColourChoice(int choice);  // 0..3
    int WriteBaseColour(Colour colour);
    int ClickReportRate(int index);  // 0..3
    int RestoreDefaultParameters();

    // Per-key colours of the current profile.
    int SendKeyColors();
    // One LED slot (0..125); a slot outside the table is not sent, since its
    // offset would reach into another profile's colour memory.
    int SendKeyColor(int slot, Colour colour);

    // The current profile index 0..2 the writes address.
    int profile() const;

    // True once the current profile's parameter block has been read from
    // the keyboard; until then the host state is not the keyboard's.
    bool StateRead() const;
    // RESULT_OK after a complete ReadLighting, otherwise the result code of
    // the read that failed (RESULT_NO_DEVICE before the first read).
    int ReadResult() const { return readResult_; }

    LightingState& state() { return state_; }
    const LightingState& state() const { return state_; }
    const ModeTable& modes() const { return modes_; }
    KeyColorTable& keyColours() { return keyColours_; }
    const KeyColorTable& keyColours() const { return keyColours_; }
    device::DeviceCommands& commands() { return commands_; }

    // The effect colour the preview animates: the one shown by the colour
    // button of the current mode's group.
    PreviewInput PreviewState() const;

    // Reads the user's "show the lighting panel" setting; unset leaves
    // state().panelOn as it is.
    std::function<bool()> readPanelOn;

  private:
    // One WriteParameters at `offset` within the current profile's block;
    // callers wrap their writes in one Transfer.
    int writeAt(int offset, std::initializer_list<uint8_t> bytes);
    int writeColourAfterSingleColourFlag(Colour colour);
    void loadState(const ParameterBlock& block);

    device::DeviceCommands& commands_;
    LightingState state_;
    ModeTable modes_;
    KeyColorTable keyColours_;
    std::array<bool, kProfileCount> blockRead_{};
    int readResult_;
};

}  // namespace lighting
