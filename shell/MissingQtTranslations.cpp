#include "shell/MissingQtTranslations.h"

#include <cstring>

QString MissingQtTranslations::translate(const char *context, const char *sourceText, const char *, int) const
{
    struct Text {
        const char *context;
        const char *source;
        const char *portuguese;
    };
    static constexpr Text kTexts[] = {
        {"QAbstractFileIconProvider", "Folder", "Pasta"},
        {"QAbstractFileIconProvider", "Drive", "Unidade"},
        {"QAbstractFileIconProvider", "Shortcut", "Atalho"},
        {"QAbstractFileIconProvider", "Unknown", "Desconhecido"},
    };
    if (!context || !sourceText)
        return QString();
    for (const Text &text : kTexts) {
        if (std::strcmp(context, text.context) == 0 && std::strcmp(sourceText, text.source) == 0)
            return QString::fromUtf8(text.portuguese);
    }
    return QString();
}
