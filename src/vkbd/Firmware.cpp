// Firmware.cpp - the keyboard's answers to the command set, its faults and its
// own notifications.
#include "vkbd/Firmware.h"

#include <algorithm>

#include "FactoryKeyMap.h"

namespace vkbd {
namespace {

// Bytes 0-7 of the information block: vendor id, product id (both LE), a
// hardware revision and reserved bytes. The host carries them unchanged.
constexpr std::array<uint8_t, 8> kIdentification = {0x45, 0x0C, 0x04, 0x50, 0x01, 0, 0, 0};
constexpr size_t kFirmwareAt = 8;
constexpr size_t kProfileAt = 10;
constexpr size_t kCapacityAt = 11;
constexpr size_t kModesAt = 12;
constexpr size_t kModeSlots = 32;

// The 35 bytes a profile's parameter block holds from the factory.
constexpr std::array<uint8_t, 8> kDefaultParameterStart = {0x01, 0x04, 0x02, 0x00,
                                                           0xFF, 0xFF, 0xFF, 0xFF};

constexpr uint16_t kLayerSwitchCode = 0x02FF;
constexpr uint16_t kLightingChangeCode = 0x0401;
constexpr uint16_t kTrayOnCode = 0x1811;
constexpr uint16_t kTrayOffCode = 0x1810;

std::vector<uint8_t> consumerReport(uint16_t code) {
    return {static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8), 0, 0};
}

Frame response(const Frame& request, uint8_t status) {
    Frame r{};
    r[frame::kReportIdAt] = frame::kReportId;
    r[frame::kCommandAt] = request[frame::kCommandAt];
    r[frame::kLengthAt] = request[frame::kLengthAt];
    r[frame::kOffsetAt] = request[frame::kOffsetAt];
    r[frame::kOffsetAt + 1] = request[frame::kOffsetAt + 1];
    r[frame::kStatusAt] = status;
    return r;
}

Frame finished(Frame r) {
    frame::setChecksum(r);
    return r;
}

Frame refused(const Frame& request) {
    return finished(response(request, frame::kStatusRefused));
}

std::vector<uint8_t> defaultModes() {
    std::vector<uint8_t> modes;
    for (uint8_t m = 1; m <= 18; ++m) modes.push_back(m);
    modes.push_back(20);
    return modes;
}

}  // namespace

Firmware::Firmware(FirmwareConfig config) : config_(std::move(config)) {
    if (config_.modes.empty())
        config_.modes = defaultModes();
    if (config_.modes.size() > kModeSlots)
        config_.modes.resize(kModeSlots);
    factoryKeyMap_ = buildFactoryKeyMap();
    resetToFactory();
}

void Firmware::resetToFactory() {
    deviceInfo_.assign(kDeviceInfoSize, 0);
    std::copy(kIdentification.begin(), kIdentification.end(), deviceInfo_.begin());
    deviceInfo_[kFirmwareAt] = static_cast<uint8_t>(config_.firmwareVersion);
    deviceInfo_[kFirmwareAt + 1] = static_cast<uint8_t>(config_.firmwareVersion >> 8);
    deviceInfo_[kProfileAt] = 0;
    deviceInfo_[kCapacityAt] = config_.capacityUnits;
    std::copy(config_.modes.begin(), config_.modes.end(), deviceInfo_.begin() + kModesAt);

    parameters_.assign(kParameterMemorySize, 0);
    for (size_t p = 0; p < kProfileCount; ++p)
        std::copy(kDefaultParameterStart.begin(), kDefaultParameterStart.end(),
                  parameters_.begin() + p * kParameterBlockSize);

    keyMaps_.clear();
    for (size_t p = 0; p < kProfileCount; ++p)
        keyMaps_.insert(keyMaps_.end(), factoryKeyMap_.begin(), factoryKeyMap_.end());

    // An empty macro memory: magic AA 55, total length 16, no macros, names
    // included (vacuously true), reserved bytes zero.
    macroMemory_.assign(size_t(config_.capacityUnits) * 128, 0);
    if (macroMemory_.size() >= 16) {
        const uint8_t header[8] = {0xAA, 0x55, 16, 0, 0, 0, 1, 0};
        std::copy(header, header + 8, macroMemory_.begin());
    }

    keyColours_.assign(kProfileCount * kKeyColourProfileSize, 0);
    transferOpen_ = false;
}

std::optional<Frame> Firmware::handleRequest(const Frame& request) {
    const int command = request[frame::kCommandAt];
    if (dropCount_ > 0 && (dropCommand_ == 0 || dropCommand_ == command)) {
        // The keyboard carried the request out; only its answer is lost.
        --dropCount_;
        process(request);
        return std::nullopt;
    }
    if (statusCount_ > 0 && (statusCommand_ == 0 || statusCommand_ == command)) {
        // A failure status means the keyboard did nothing.
        --statusCount_;
        return finished(response(request, statusValue_));
    }
    Frame r = process(request);
    if (echoCount_ > 0) {
        --echoCount_;
        r[frame::kCommandAt] ^= 0x80;  // no command has bit 7 set
        frame::setChecksum(r);
    }
    return r;
}

Frame Firmware::process(const Frame& request) {
    // A real keyboard drops what arrives damaged; the transport then sees a
    // failure status and sends the request again.
    if (request[frame::kReportIdAt] != frame::kReportId ||
        frame::storedChecksum(request) != frame::checksum(request))
        return refused(request);

    switch (static_cast<Command>(request[frame::kCommandAt])) {
        case Command::BeginTransfer:
            transferOpen_ = true;
            return finished(response(request, frame::kStatusOk));
        case Command::EndTransfer:
            transferOpen_ = false;
            if (unsaved_)
                savePoint_ = true;
            return finished(response(request, frame::kStatusOk));
        case Command::ReadDeviceInfo:
            return readFrom(request, deviceInfo_, kDeviceInfoSize);
        case Command::WriteDeviceInfo:
            return writeDeviceInfo(request);
        case Command::ReadParameters:
            return readFrom(request, parameters_, frame::kPayloadSize);
        case Command::WriteParameters:
            return writeTo(request, parameters_);
        case Command::ReadKeyMap:
            return readFrom(request, keyMaps_, frame::kPayloadSize);
        case Command::WriteKeyMap:
            return writeTo(request, keyMaps_);
        case Command::ReadMacroMemory:
            return readFrom(request, macroMemory_, frame::kPayloadSize);
        case Command::WriteMacroMemory:
            return writeTo(request, macroMemory_);
        case Command::ReadDefaultKeyMap:
            return readFrom(request, factoryKeyMap_, frame::kPayloadSize);
        case Command::WriteKeyColours:
            return writeTo(request, keyColours_);
    }
    return refused(request);
}

Frame Firmware::readFrom(const Frame& request, const std::vector<uint8_t>& memory,
                         size_t maxLength) {
    const size_t length = request[frame::kLengthAt];
    const size_t offset = frame::offset(request);
    if (length > maxLength || offset + length > memory.size())
        return refused(request);
    Frame r = response(request, frame::kStatusOk);
    std::copy_n(memory.begin() + offset, length, r.begin() + frame::kPayloadAt);
    return finished(r);
}

Frame Firmware::writeTo(const Frame& request, std::vector<uint8_t>& memory) {
    const size_t length = request[frame::kLengthAt];
    const size_t offset = frame::offset(request);
    if (length > frame::kPayloadSize || offset + length > memory.size())
        return refused(request);
    const auto payload = request.begin() + frame::kPayloadAt;
    if (!std::equal(payload, payload + length, memory.begin() + offset)) {
        std::copy_n(payload, length, memory.begin() + offset);
        touch();
    }
    return finished(response(request, frame::kStatusOk));
}

Frame Firmware::writeDeviceInfo(const Frame& request) {
    // Only the current profile can be changed; firmware version, capacity,
    // mode list and identification are the keyboard's own and stay.
    const size_t length = request[frame::kLengthAt];
    const size_t offset = frame::offset(request);
    if (length > kDeviceInfoSize || offset + length > kDeviceInfoSize)
        return refused(request);
    if (offset <= kProfileAt && kProfileAt < offset + length) {
        const uint8_t profile = request[frame::kPayloadAt + kProfileAt - offset];
        if (profile >= kProfileCount)
            return refused(request);
        if (profile != deviceInfo_[kProfileAt]) {
            deviceInfo_[kProfileAt] = profile;
            touch();
        }
    }
    if (unsaved_)
        savePoint_ = true;
    return finished(response(request, frame::kStatusOk));
}

void Firmware::touch() {
    unsaved_ = true;
}

bool Firmware::consumeSavePoint() {
    const bool due = savePoint_ && unsaved_;
    savePoint_ = false;
    return due;
}

void Firmware::writeStatus(const uint8_t* data, size_t length) {
    if (data == nullptr || length < status_.size())
        return;
    status_[0] = data[0];
    status_[1] = data[1];
}

void Firmware::dropResponses(int count, int onlyCommand) {
    dropCount_ = std::max(count, 0);
    dropCommand_ = onlyCommand;
}
void Firmware::echoWrongCommand(int count) {
    echoCount_ = std::max(count, 0);
}

void Firmware::answerStatus(uint8_t status, int count, int onlyCommand) {
    statusValue_ = status;
    statusCount_ = std::max(count, 0);
    statusCommand_ = onlyCommand;
}

void Firmware::delayResponses(int milliseconds, int onlyCommand) {
    delayMs_ = std::max(milliseconds, 0);
    delayCommand_ = onlyCommand;
}
int Firmware::responseDelayMs() const {
    return delayMs_;
}
int Firmware::responseDelayMs(int command) const {
    return delayCommand_ == 0 || delayCommand_ == command ? delayMs_ : 0;
}

void Firmware::clearFaults() {
    dropCount_ = 0;
    dropCommand_ = 0;
    echoCount_ = 0;
    statusCount_ = 0;
    statusCommand_ = 0;
    delayMs_ = 0;
    delayCommand_ = 0;
}

std::string Firmware::faultSummary() const {
    std::string out;
    auto add = [&out](const std::string& item) { out += (out.empty() ? "" : ", ") + item; };
    auto only = [](int command) {
        return command == 0 ? std::string() : " command " + std::to_string(command);
    };
    if (dropCount_ > 0)
        add("drop " + std::to_string(dropCount_) + only(dropCommand_));
    if (statusCount_ > 0)
        add(std::string("status ") + (statusValue_ == 0xFE ? "fe " : "ff ") +
            std::to_string(statusCount_) + only(statusCommand_));
    if (echoCount_ > 0)
        add("echo " + std::to_string(echoCount_));
    if (delayMs_ > 0)
        add("delay " + std::to_string(delayMs_) + " ms" + only(delayCommand_));
    return out.empty() ? "none" : out;
}

std::vector<uint8_t> Firmware::layerSwitchReport() {
    return consumerReport(kLayerSwitchCode);
}

std::vector<uint8_t> Firmware::lightingChangeReport(int mode) {
    // The keyboard's own lighting key changed the current profile's effect.
    uint8_t& current = parameters_[size_t(currentProfile()) * kParameterBlockSize];
    uint8_t next = current;
    if (mode > 0 && mode <= 0xFF) {
        next = static_cast<uint8_t>(mode);
    } else {
        std::vector<uint8_t> offered;
        for (size_t i = 0; i < kModeSlots; ++i)
            if (deviceInfo_[kModesAt + i] != 0)
                offered.push_back(deviceInfo_[kModesAt + i]);
        if (!offered.empty()) {
            auto at = std::find(offered.begin(), offered.end(), current);
            next = (at == offered.end() || at + 1 == offered.end()) ? offered.front() : *(at + 1);
        }
    }
    if (next != current) {
        current = next;
        touch();
    }
    savePoint_ = true;
    return consumerReport(kLightingChangeCode);
}

std::vector<uint8_t> Firmware::trayReport(bool on) {
    return consumerReport(on ? kTrayOnCode : kTrayOffCode);
}

const std::vector<uint8_t>& Firmware::deviceInfo() const {
    return deviceInfo_;
}
const std::vector<uint8_t>& Firmware::parameterMemory() const {
    return parameters_;
}
const std::vector<uint8_t>& Firmware::keyMaps() const {
    return keyMaps_;
}
const std::vector<uint8_t>& Firmware::factoryKeyMap() const {
    return factoryKeyMap_;
}
const std::vector<uint8_t>& Firmware::macroMemory() const {
    return macroMemory_;
}
const std::vector<uint8_t>& Firmware::keyColours() const {
    return keyColours_;
}
const std::array<uint8_t, 2>& Firmware::status() const {
    return status_;
}
int Firmware::currentProfile() const {
    return deviceInfo_[kProfileAt];
}

}  // namespace vkbd
