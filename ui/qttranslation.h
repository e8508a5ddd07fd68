#pragma once

#include <QTranslator>

#include <cstdint>

#include "language.h"

// Qt's own texts (the buttons and labels of its file, colour and message dialogs) in the
// window's language: Qt's Russian translation is installed for Russian and removed for any
// other language. Without Debian's translation files Qt's texts stay English.
class QtTranslation {
public:
    QtTranslation() = default;
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;
    ~QtTranslation();

    // Qt's own texts in the language.
    void useLanguage(Language language);

private:
    QTranslator russian;
    bool installed = false;
};
