// SystemLanguage.cpp - locale names to Windows language identifiers.
#include "settings/SystemLanguage.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace settings {
namespace {

struct LocaleId {
    const char* name;  // "ll_RR" or "ll" for the primary language's default
    uint16_t id;
};

// The locales a desktop is likely to run in; "ll" rows give the primary
// language's default identifier for regions not listed.
constexpr LocaleId kLocales[] = {
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_JM", 0x2009}, {"en_BZ", 0x2809}, {"en_TT", 0x2C09},
    {"en_IN", 0x4009}, {"en_SG", 0x4809}, {"en", 0x0409},    {"zh_CN", 0x0804}, {"zh_TW", 0x0404},
    {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404}, {"zh", 0x0804},    {"de_DE", 0x0407},
    {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de", 0x0407},    {"fr_FR", 0x040C}, {"fr_BE", 0x080C},
    {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr", 0x040C},    {"es_ES", 0x0C0A}, {"es_MX", 0x080A},
    {"es", 0x0C0A},    {"it_IT", 0x0410}, {"it", 0x0410},    {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"pt", 0x0816},    {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"nl", 0x0413},    {"ru", 0x0419},
    {"uk", 0x0422},    {"pl", 0x0415},    {"cs", 0x0405},    {"sk", 0x041B},    {"hu", 0x040E},
    {"ro", 0x0418},    {"bg", 0x0402},    {"el", 0x0408},    {"tr", 0x041F},    {"sv", 0x041D},
    {"nb", 0x0414},    {"no", 0x0414},    {"nn", 0x0814},    {"da", 0x0406},    {"fi", 0x040B},
    {"is", 0x040F},    {"et", 0x0425},    {"lv", 0x0426},    {"lt", 0x0427},    {"sl", 0x0424},
    {"hr", 0x041A},    {"sr", 0x081A},    {"ja", 0x0411},    {"ko", 0x0412},    {"th", 0x041E},
    {"vi", 0x042A},    {"id", 0x0421},    {"ms", 0x043E},    {"he", 0x040D},    {"ar", 0x0401},
    {"fa", 0x0429},    {"hi", 0x0439},
};

}  // namespace

uint16_t LanguageIdFromLocale(std::string_view locale) {
    // Drop ".codeset" and "@modifier".
    locale = locale.substr(0, locale.find_first_of(".@"));
    std::string language(locale.substr(0, locale.find('_')));
    for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string full = language;
    if (auto underscore = locale.find('_'); underscore != std::string_view::npos) {
        std::string region(locale.substr(underscore + 1));
        for (char& c : region) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        full += "_" + region;
    }
    for (const LocaleId& entry : kLocales) {
        if (full == entry.name)
            return entry.id;
    }
    for (const LocaleId& entry : kLocales) {
        if (language == entry.name)
            return entry.id;
    }
    return 0x0409;
}

uint16_t SystemDefaultLanguageId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0')
            return LanguageIdFromLocale(value);
    }
    return 0x0409;
}

}  // namespace settings
