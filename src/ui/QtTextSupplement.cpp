#include "ui/QtTextSupplement.h"

#include <cstring>

namespace purslet {

namespace {
struct Text
{
    const char *context;
    const char *source;
    const char16_t *japanese;
};

constexpr Text kTexts[] = {
    {"QPrintSettingsOutput", "Pages", u"ページ指定"},
    {"QPrintSettingsOutput", "Double Sided Printing", u"両面印刷"},
    {"QPrintSettingsOutput", "Off", u"しない"},
    {"QPrintSettingsOutput", "Long side binding", u"長辺とじ"},
    {"QPrintSettingsOutput", "Short side binding", u"短辺とじ"},
};
} // namespace

QString QtTextSupplement::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return QString();
    for (const Text &t : kTexts)
        if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0)
            return QString::fromUtf16(t.japanese);
    return QString();
}

} // namespace purslet
