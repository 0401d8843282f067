#pragma once

#include "InterfaceTexts.h"

#include <QByteArray>
#include <QStringList>
#include <functional>

// Builds a language module from the English resources and a translation: the layouts with
// their texts translated, the translated string table and the module's language. A text
// without a translation keeps its English wording. A translation that would break the program
// (a changed %s or %d, a file-type list whose patterns differ) fails the build.
//
// Pictures with words on them have a version per language among the program's artwork
// (art/dialogs/about.de.jpg beside art/dialogs/about.jpg): the module's layouts name it in place
// of the English picture. The module itself holds no pictures.
class ModuleBuilder {
public:
    // The translation of a text, or an empty string when there is none.
    using Translate = std::function<QString(const InterfaceText&)>;

    struct Result {
        QByteArray module;
        QStringList untranslated; // "context key" of the texts left in English
    };

    // Throws AppError listing every translation that cannot be used.
    static Result build(const InterfaceTexts& texts, const QString& language, const Translate& translate);

    // Why a translation cannot stand for its source; empty when it can.
    static QString problemWith(const InterfaceText& text, const QString& translation);
    // The name of a picture's version for a language ("art/a.jpg", "de" -> "art/a.de.jpg").
    static QString localizedPicture(const QString& path, const QString& language);
};
