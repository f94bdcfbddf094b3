#pragma once

#include <QTranslator>

// Qt's own texts that its Brazilian Portuguese catalogue lacks: the Qt 6 contexts it has not caught
// up with (the file dialog's "Folder", "Drive"... in its Type column). Installed after Qt's
// catalogue, so that it is asked first and passes on whatever it does not hold.
class MissingQtTranslations : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};
