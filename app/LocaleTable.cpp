#include "app/LocaleTable.h"

#include <array>

namespace {
struct Locale {
    const char* name;
    int id;
    const char* abbreviation;
};

constexpr std::array<Locale, 30> Locales{{
    {"de_DE", 1031, "DEU"}, {"en_US", 1033, "ENU"}, {"fr_FR", 1036, "FRA"}, {"it_IT", 1040, "ITA"},
    {"es_ES", 3082, "ESN"}, {"nl_NL", 1043, "NLD"}, {"pt_BR", 1046, "PTB"}, {"pt_PT", 2070, "PTG"},
    {"da_DK", 1030, "DAN"}, {"sv_SE", 1053, "SVE"}, {"nb_NO", 1044, "NOR"}, {"fi_FI", 1035, "FIN"},
    {"pl_PL", 1045, "PLK"}, {"cs_CZ", 1029, "CSY"}, {"ru_RU", 1049, "RUS"}, {"ja_JP", 1041, "JPN"},
    {"zh_CN", 2052, "CHS"}, {"ko_KR", 1042, "KOR"}, {"de_CH", 2055, "DES"}, {"de_AT", 3079, "DEA"},
    {"en_GB", 2057, "ENG"}, {"en_AU", 3081, "ENA"}, {"en_CA", 4105, "ENC"}, {"en_IE", 6153, "ENI"},
    {"fr_BE", 2060, "FRB"}, {"fr_CA", 3084, "FRC"}, {"fr_CH", 4108, "FRS"}, {"nl_BE", 2067, "NLB"},
    {"it_CH", 2064, "ITS"}, {"es_MX", 2058, "ESM"},
}};
} // namespace

int LocaleTable::idOf(const QString& posixName)
{
    const QString base = posixName.section(u'.', 0, 0).section(u'@', 0, 0);
    for (const Locale& locale : Locales) {
        if (base == QLatin1String(locale.name))
            return locale.id;
    }
    return 0;
}

QString LocaleTable::abbreviationOf(int localeId)
{
    for (const Locale& locale : Locales) {
        if (locale.id == localeId)
            return QString::fromLatin1(locale.abbreviation);
    }
    return QString();
}

int LocaleTable::idOfAbbreviation(const QString& abbreviation)
{
    for (const Locale& locale : Locales) {
        if (abbreviation.compare(QLatin1String(locale.abbreviation), Qt::CaseInsensitive) == 0)
            return locale.id;
    }
    // A two-letter name is the language itself: its first locale in the table.
    if (abbreviation.size() == 2) {
        for (const Locale& locale : Locales) {
            if (QLatin1String(locale.abbreviation).startsWith(abbreviation, Qt::CaseInsensitive))
                return locale.id;
        }
    }
    return 0;
}

int LocaleTable::processLocaleId()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (value.isEmpty())
            continue;
        if (value == QLatin1String("C") || value.startsWith(QLatin1String("C.")) || value == QLatin1String("POSIX"))
            return EnglishUnitedStates;
        const int id = idOf(value);
        return id == 0 ? CustomUnspecified : id;
    }
    return EnglishUnitedStates;
}
