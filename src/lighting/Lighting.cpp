// Lighting.cpp - lighting reads and writes on the keyboard's parameter and
// per-key colour memories.
#include "lighting/Lighting.h"

#include <algorithm>

#include "device/CurrentProfileIndex.h"
#include "device/ResultCodes.h"

namespace lighting {
namespace {

constexpr int kParameterReadLength = 56;
constexpr int kSlotsPerChunk = 18;
constexpr int kKeyColourChunks = 8;  // 8 x 18 = 144 slots, 0..143

// Every lighting change is one BeginTransfer..EndTransfer pair on the
// keyboard; the results of both are not acted on.
class Transfer {
  public:
    explicit Transfer(device::DeviceCommands& commands) : commands_(commands) {
        commands_.BeginTransfer();
    }
    ~Transfer() { commands_.EndTransfer(); }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

  private:
    device::DeviceCommands& commands_;
};

// The first failure of a sequence of writes, or RESULT_OK.
int firstFailure(int sofar, int next) {
    return sofar != device::RESULT_OK ? sofar : next;
}

}  // namespace

Lighting::Lighting(device::DeviceCommands& commands)
    : commands_(commands), readResult_(device::RESULT_NO_DEVICE) {}

int Lighting::profile() const {
    return std::clamp(device::currentProfileIndex(), 0, 2);
}

bool Lighting::StateRead() const {
    return blockRead_[static_cast<size_t>(profile())];
}

int Lighting::ReadLighting(const std::function<void()>& insideTransfer) {
    modes_.Clear();
    uint8_t info[device::kDeviceInfoSize] = {};
    readResult_ = commands_.ReadDeviceInfo(info);
    if (readResult_ != device::RESULT_OK)
        return -1;
    modes_.Fill(
        std::span<const uint8_t, kModeListSize>(info + device::kDeviceInfoModesAt, kModeListSize));
    int currentResult = device::RESULT_OK;
    {
        Transfer transfer(commands_);
        if (insideTransfer)
            insideTransfer();
        for (int p = 0; p < kProfileCount; ++p) {
            uint8_t reply[kParameterReadLength] = {};
            // A block whose read fails keeps its previous copy rather than
            // taking a reply that never arrived.
            const int result =
                commands_.ReadParameters(reply, kParameterReadLength, p * kParameterBlockSize);
            if (result == device::RESULT_OK) {
                std::copy_n(reply, kParameterBlockSize, state_.blocks[p].bytes.begin());
                blockRead_[static_cast<size_t>(p)] = true;
            } else if (p == profile()) {
                currentResult = result;
            }
        }
    }
    // Without the current profile's block the host state would show (and
    // later write back) bytes the keyboard never sent.
    readResult_ = currentResult;
    if (readResult_ != device::RESULT_OK)
        return -1;
    loadState(state_.blocks[profile()]);
    if (readPanelOn)
        state_.panelOn = readPanelOn();
    return 0;
}

void Lighting::loadState(const ParameterBlock& block) {
    namespace O = ParameterOffset;
    state_.mode = block.at(O::Mode);
    state_.brightness = block.at(O::Brightness);
    state_.speed = block.at(O::Speed);
    state_.direction = block.at(O::Direction);
    state_.colourChoice = block.at(O::ColourChoice) > 3 ? 0 : block.at(O::ColourChoice);
    state_.reportRate = std::min<uint8_t>(block.at(O::ReportRate), 3);
    state_.colours.fill(block.ColourAt(O::Colour));
    if (state_.mode == 7 && block.at(O::MultiColour7) <= 1)
        state_.multiColourFY = block.at(O::MultiColour7) == 1;
    if (block.at(O::Trigger) == 0)
        state_.trigger = Trigger::SingleKey;
    if (block.at(O::Trigger) == 1)
        state_.trigger = Trigger::Grid;
    state_.multiColourHX = block.at(O::MultiColour) != 0;
    state_.colour2 = block.ColourAt(O::Colour2);
    state_.multiColour2 = block.at(O::MultiColour2) != 0;
    state_.colour3 = block.ColourAt(O::Colour3);
    state_.multiColour3 = block.at(O::MultiColour3) != 0;
}

int Lighting::writeAt(int offset, std::initializer_list<uint8_t> bytes) {
    return commands_.WriteParameters(bytes.begin(), int(bytes.size()),
                                     profile() * kParameterBlockSize + offset);
}

// Picking a colour always turns the keyboard's multi-colour flag off first.
int Lighting::writeColourAfterSingleColourFlag(Colour colour) {
    Transfer transfer(commands_);
    // A refused first write ends the change: the keyboard keeps all of it.
    const int flag = writeAt(ParameterOffset::MultiColour, {0});
    if (flag != device::RESULT_OK)
        return flag;
    return writeAt(ParameterOffset::Colour, {Red(colour), Green(colour), Blue(colour)});
}

int Lighting::SelectMode(int code) {
    // The multi-colour byte that goes with the mode comes from the state.
    if (!StateRead())
        return device::RESULT_STATE_UNREAD;
    state_.mode = uint8_t(code);
    if (!ModeHasParameters(code))
        return device::RESULT_OK;
    Transfer transfer(commands_);
    int result = writeAt(ParameterOffset::Mode, {uint8_t(code)});
    if (result == device::RESULT_OK && ModeWritesMultiColour(code))
        result = writeAt(ParameterOffset::MultiColour, {uint8_t(state_.multiColourHX ? 1 : 0)});
    return result;
}

int Lighting::MoveBrightnessSlider(int position) {
    if (!StateRead())
        return device::RESULT_STATE_UNREAD;
    if (position < 0 || position > 5 || position == state_.brightness)
        return device::RESULT_OK;
    state_.brightness = uint8_t(position);
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::Brightness, {state_.brightness});
}

int Lighting::MoveSpeedSlider(int position) {
    if (!StateRead())
        return device::RESULT_STATE_UNREAD;
    if (position < 0 || position > 5)
        return device::RESULT_OK;
    int speed = 5 - position;  // the slider's left end is the fastest setting
    if (speed == state_.speed)
        return device::RESULT_OK;
    state_.speed = uint8_t(speed);
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::Speed, {state_.speed});
}

int Lighting::SetDirection(uint8_t direction) {
    state_.direction = direction;
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::Direction, {direction});
}

int Lighting::PickColourFY(Colour colour) {
    state_.colours[FYColourButton] = colour;
    state_.multiColourFY = false;
    state_.multiColourHX = false;
    return writeColourAfterSingleColourFlag(colour);
}

int Lighting::PickColourHX(Colour colour) {
    state_.colours[HXColourButton] = colour;
    state_.multiColourHX = false;
    return writeColourAfterSingleColourFlag(colour);
}

int Lighting::ToggleMultiColourHX() {
    if (!StateRead())
        return device::RESULT_STATE_UNREAD;
    state_.multiColourHX = !state_.multiColourHX;
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::MultiColour, {uint8_t(state_.multiColourHX ? 1 : 0)});
}

int Lighting::ToggleMultiColourFY() {
    if (!StateRead())
        return device::RESULT_STATE_UNREAD;
    state_.multiColourFY = !state_.multiColourFY;
    state_.multiColourHX = !state_.multiColourHX;
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::MultiColour, {uint8_t(state_.multiColourHX ? 1 : 0)});
}

// A preset changes the keyboard's colour only: the colour buttons and the
// multi-colour switches keep what they show.
int Lighting::ClickPreset(int swatch) {
    if (swatch < 1 || swatch > int(PresetColors.size()))
        return device::RESULT_OK;
    return writeColourAfterSingleColourFlag(PresetColors[swatch - 1]);
}

int Lighting::ClickColourChoice(int choice) {
    if (choice < 0 || choice > 3)
        return device::RESULT_OK;
    state_.colourChoice = uint8_t(choice);
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::ColourChoice, {state_.colourChoice});
}

int Lighting::WriteBaseColour(Colour colour) {
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::BaseColour, {Red(colour), Green(colour), Blue(colour)});
}

int Lighting::ClickReportRate(int index) {
    if (index < 0 || index > 3)
        return device::RESULT_OK;
    state_.reportRate = uint8_t(index);
    Transfer transfer(commands_);
    return writeAt(ParameterOffset::ReportRate, {state_.reportRate});
}

int Lighting::RestoreDefaultParameters() {
    int result;
    {
        Transfer transfer(commands_);
        result = commands_.WriteParameters(DefaultParameterBlock.data(), kDefaultParameterBytes,
                                           profile() * kParameterBlockSize);
    }
    state_.mode = 1;
    state_.brightness = 4;
    state_.speed = 2;
    state_.direction = kDirectionRight;
    state_.multiColourHX = state_.multiColourFY = true;
    state_.colours.fill(MakeColour(255, 255, 255));
    state_.reportRate = 0;
    state_.colourChoice = 0;
    state_.trigger = Trigger::SingleKey;
    state_.colour2 = state_.colour3 = 0;
    state_.multiColour2 = state_.multiColour3 = false;
    return result;
}

int Lighting::SendKeyColors() {
    Transfer transfer(commands_);
    const int p = profile();
    int result = device::RESULT_OK;
    for (int chunk = 0; chunk < kKeyColourChunks; ++chunk) {
        // Slots 126..143 of the last chunk have no table entries: sent black.
        uint8_t rgb[3 * kSlotsPerChunk];
        keyColours_.CopyRgb(p, chunk * kSlotsPerChunk, kSlotsPerChunk, rgb);
        result = firstFailure(
            result, commands_.WriteKeyColours(rgb, int(sizeof rgb), chunk * kSlotsPerChunk));
    }
    return result;
}

int Lighting::SendKeyColor(int slot, Colour colour) {
    if (slot < 0 || slot >= kLedSlotCount)
        return device::RESULT_OK;
    const uint8_t rgb[3] = {Red(colour), Green(colour), Blue(colour)};
    Transfer transfer(commands_);
    return commands_.WriteKeyColours(rgb, 3, slot);
}

PreviewInput Lighting::PreviewState() const {
    PreviewInput in;
    in.mode = state_.mode;
    in.direction = state_.direction;
    in.multiColour = state_.multiColourHX;
    bool fyGroup = state_.mode == 6 || state_.mode == 16;
    in.colour = state_.colours[fyGroup ? FYColourButton : HXColourButton];
    return in;
}

}  // namespace lighting
