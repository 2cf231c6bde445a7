// Lighting.h - reading the keyboard's lighting into the host state and every
// lighting write the panel makes, each as its own BeginTransfer..EndTransfer
// sequence on the current profile (the process-wide current profile index).
//
// Apart from ReadLighting nothing reports a failure: the host state keeps
// the new value and the next read shows what the keyboard really holds.
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
    // Returns 0, or -1 (state untouched, mode list empty) when the
    // information block cannot be read. `insideTransfer`, when given, runs
    // after BeginTransfer and before the block reads: the keyboard-arrival
    // read loads and sends the user light mode there.
    int ReadLighting(const std::function<void()>& insideTransfer = {});

    // The panel's writes.
    void SelectMode(int code);
    void MoveBrightnessSlider(int position);  // 0..5
    void MoveSpeedSlider(int position);       // 0..5, stored as 5 - position
    void SetDirection(uint8_t direction);     // kDirectionLeft or kDirectionRight
    void PickColourFY(Colour colour);
    void PickColourHX(Colour colour);
    void ToggleMultiColourHX();
    void ToggleMultiColourFY();
    void ClickPreset(int swatch);        // 1..8
    void ClickColourChoice(int choice);  // 0..3
    void WriteBaseColour(Colour colour);
    void ClickReportRate(int index);  // 0..3
    void RestoreDefaultParameters();

    // Per-key colours of the current profile.
    void SendKeyColors();
    // One LED slot (0..125); a slot outside the table is not sent, since its
    // offset would reach into another profile's colour memory.
    void SendKeyColor(int slot, Colour colour);

    // The current profile index 0..2 the writes address.
    int profile() const;

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
    void writeAt(int offset, std::initializer_list<uint8_t> bytes);
    void writeColourAfterSingleColourFlag(Colour colour);
    void loadState(const ParameterBlock& block);

    device::DeviceCommands& commands_;
    LightingState state_;
    ModeTable modes_;
    KeyColorTable keyColours_;
};

}  // namespace lighting
