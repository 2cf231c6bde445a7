// keytune-cli lighting commands: the lighting panel's writes from the command
// line, on the same lighting model the window uses. Each reads the lighting
// first and acts on the keyboard's current profile, or on --profile P (which
// plays the main window's current profile index).
#include <cstdarg>
#include <cstdio>
#include <string>

#include "CliCommand.h"
#include "DeviceSession.h"
#include "device/CurrentProfileIndex.h"
#include "device/ResultCodes.h"
#include "lighting/Lighting.h"
#include "lighting/UserLightModes.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"

namespace cli {
namespace {

using lighting::Colour;

// A session with the lighting read for the addressed profile.
class LightingSession {
  public:
    // Returns 0, or the exit status after printing why.
    int open(CliContext& context, const char* command) {
        if (int status = session_.open(context))
            return status;
        int profile = context.profile;
        if (profile < 0) {
            int result = device::RESULT_OK;
            profile = session_.commands().GetCurrentProfile(result);
            if (profile < 0)
                return failWithResult(std::string(command) + ": reading the current profile",
                                      result);
        }
        device::setCurrentProfileIndex(profile);
        lighting_ = std::make_unique<lighting::Lighting>(session_.commands());
        // Every command acts on the lighting as the keyboard holds it.
        if (lighting_->ReadLighting() != 0 || !lighting_->StateRead())
            return failWithResult(std::string(command) + ": reading the lighting",
                                  lighting_->ReadResult());
        return 0;
    }
    lighting::Lighting& lighting() { return *lighting_; }

  private:
    DeviceSession session_;
    std::unique_ptr<lighting::Lighting> lighting_;
};

bool parseRange(const std::string& word, int low, int high, int& value) {
    return parseInteger(word, value) && value >= low && value <= high;
}

// "R,G,B" with three whole numbers 0..255.
bool parseColour(const std::string& word, Colour& colour) {
    int rgb[3];
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        size_t comma = word.find(',', start);
        bool last = i == 2;
        if (last != (comma == std::string::npos))
            return false;
        std::string part = word.substr(start, last ? std::string::npos : comma - start);
        if (!parseRange(part, 0, 255, rgb[i]))
            return false;
        start = comma + 1;
    }
    colour = lighting::MakeColour(rgb[0], rgb[1], rgb[2]);
    return true;
}

std::string colourText(Colour c) {
    return std::to_string(lighting::Red(c)) + "," + std::to_string(lighting::Green(c)) + "," +
           std::to_string(lighting::Blue(c));
}

std::string modeName(int code) {
    std::string name = settings::LoadModeString(code);
    return name == "#Error" ? std::string() : name;
}

bool usesFYGroup(int mode) {
    return mode == 6 || mode == 16;
}

void printLighting(const lighting::Lighting& l) {
    const lighting::LightingState& s = l.state();
    const lighting::ParameterBlock& block = s.blocks[l.profile()];
    std::string name = modeName(s.mode);
    std::printf("profile: %d\n", l.profile());
    std::printf("mode: %d%s%s\n", s.mode, name.empty() ? "" : " ", name.c_str());
    std::printf("brightness: %d\n", s.brightness);
    std::printf("speed: %d (slider %d)\n", s.speed, 5 - s.speed);
    const char* direction = s.direction == lighting::kDirectionLeft    ? "left"
                            : s.direction == lighting::kDirectionRight ? "right"
                                                                       : "other";
    std::printf("direction: %s (0x%02x)\n", direction, s.direction);
    std::printf("colour: %s\n", colourText(s.colours[lighting::HXColourButton]).c_str());
    std::printf("multicolour: %s\n", s.multiColourHX ? "on" : "off");
    std::printf("base: %s\n",
                colourText(block.ColourAt(lighting::ParameterOffset::BaseColour)).c_str());
    std::printf("colour-choice: %d\n", s.colourChoice);
    std::printf("report-rate: %d\n", s.reportRate);
    std::printf("modes:");
    for (int i = 0; i < l.modes().size(); ++i) std::printf(" %d", l.modes().ModeAt(i));
    std::printf("\n");
}

std::string printfText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string printfText(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

int usage(const char* command) {
    return fail(std::string(command) + ": see keytune-cli help");
}

int lightingCommand(CliContext& context) {
    const auto& args = context.args;
    if (!args.empty() && args.size() != 2 && !(args.size() == 1 && args[0] == "defaults"))
        return usage("lighting");

    // Check the arguments before anything is sent.
    std::string what = args.empty() ? "" : args[0];
    std::string value = args.size() > 1 ? args[1] : "";
    int number = 0;
    Colour colour = 0;
    bool valid = what.empty() || what == "defaults";
    if (what == "mode")
        valid = parseRange(value, 0, 255, number);
    if (what == "brightness" || what == "speed")
        valid = parseRange(value, 0, 5, number);
    if (what == "direction")
        valid = value == "left" || value == "right";
    if (what == "colour" || what == "base")
        valid = parseColour(value, colour);
    if (what == "multicolour")
        valid = value == "on" || value == "off";
    if (what == "preset")
        valid = parseRange(value, 1, 8, number);
    if (what == "choice")
        valid = parseRange(value, 0, 3, number);
    if (!valid)
        return usage("lighting");

    LightingSession session;
    if (int status = session.open(context, "lighting"))
        return status;
    lighting::Lighting& l = session.lighting();
    const lighting::LightingState& s = l.state();

    int result = device::RESULT_OK;
    std::string line;  // printed once the keyboard took the write
    if (what.empty()) {
        printLighting(l);
    } else if (what == "mode") {
        result = l.SelectMode(number);
        std::string name = modeName(number);
        line = printfText("mode: %d%s%s\n", number, name.empty() ? "" : " ", name.c_str());
    } else if (what == "brightness") {
        result = l.MoveBrightnessSlider(number);
        line = printfText("brightness: %d\n", s.brightness);
    } else if (what == "speed") {
        result = l.MoveSpeedSlider(number);
        line = printfText("speed: %d (slider %d)\n", s.speed, number);
    } else if (what == "direction") {
        result =
            l.SetDirection(value == "left" ? lighting::kDirectionLeft : lighting::kDirectionRight);
        line = printfText("direction: %s\n", value.c_str());
    } else if (what == "colour") {
        result = usesFYGroup(s.mode) ? l.PickColourFY(colour) : l.PickColourHX(colour);
        line = printfText("colour: %s\n", colourText(colour).c_str());
    } else if (what == "multicolour") {
        // The panel's switch toggles; the command toggles only when needed.
        if (s.multiColourHX != (value == "on")) {
            result = usesFYGroup(s.mode) ? l.ToggleMultiColourFY() : l.ToggleMultiColourHX();
        }
        line = printfText("multicolour: %s\n", s.multiColourHX ? "on" : "off");
    } else if (what == "preset") {
        result = l.ClickPreset(number);
        line = printfText("colour: %s\n", colourText(lighting::PresetColors[number - 1]).c_str());
    } else if (what == "choice") {
        result = l.ClickColourChoice(number);
        line = printfText("colour-choice: %d\n", number);
    } else if (what == "base") {
        // Keys that follow the base colour are recoloured as in the panel, so
        // the user light mode is loaded the way the window has it on arrival.
        auto userPaths = settings::GetUserPaths();
        auto programPaths = settings::GetProgramPaths();
        lighting::UserLightModes modes(
            l, userPaths.lightModePrefix,
            settings::LightModeFileName(programPaths.skinLightModePrefix, 3));
        if (modes.Offered()) {
            modes.LoadUserMode();
            modes.RecomputeFollowFlags();
        }
        result = modes.SetBaseColour(colour);
        line = printfText("base: %s\n", colourText(colour).c_str());
    } else if (what == "defaults") {
        result = l.RestoreDefaultParameters();
        line = printfText("defaults written\n");
    } else {
        return usage("lighting");
    }
    // A refused write says why and fails, so that scripts can tell.
    if (result != device::RESULT_OK)
        return failWithResult("lighting " + what, result);
    std::fputs(line.c_str(), stdout);
    return 0;
}

int reportRateCommand(CliContext& context) {
    int index = 0;
    if (context.args.size() != 1 || !parseRange(context.args[0], 0, 3, index))
        return usage("report-rate");
    LightingSession session;
    if (int status = session.open(context, "report-rate"))
        return status;
    const int result = session.lighting().ClickReportRate(index);
    if (result != device::RESULT_OK)
        return failWithResult("report-rate", result);
    std::printf("report-rate: %d\n", index);
    return 0;
}

int keyColourCommand(CliContext& context) {
    int slot = 0;
    Colour colour = 0;
    if (context.args.size() != 2 ||
        !parseRange(context.args[0], 0, lighting::kLedSlotCount - 1, slot) ||
        !parseColour(context.args[1], colour))
        return usage("keycolour");
    LightingSession session;
    if (int status = session.open(context, "keycolour"))
        return status;
    const int result = session.lighting().SendKeyColor(slot, colour);
    if (result != device::RESULT_OK)
        return failWithResult("keycolour", result);
    std::printf("keycolour %d: %s\n", slot, colourText(colour).c_str());
    return 0;
}

CliCommandRegistration lightingReg(
    "lighting",
    "  keytune-cli lighting                the lighting of the current profile (or --profile P)\n"
    "  keytune-cli lighting mode CODE      select a lighting mode\n"
    "  keytune-cli lighting brightness 0..5 | speed 0..5 (slider position) |\n"
    "                       direction left|right | colour R,G,B | multicolour on|off |\n"
    "                       preset 1..8 | choice 0..3 | base R,G,B | defaults",
    &lightingCommand);
CliCommandRegistration reportRateReg(
    "report-rate", "  keytune-cli report-rate 0..3        select one of the four report rates",
    &reportRateCommand);
CliCommandRegistration keyColourReg(
    "keycolour", "  keytune-cli keycolour SLOT R,G,B    one key's colour (LED slot 0..125)",
    &keyColourCommand);

}  // namespace
}  // namespace cli
