#include "game/TranslatedText.h"
#include <QCoreApplication>

QString translated(const UiText& text) {
    return QString::fromStdString(renderText(text, [](const std::string& context, const std::string& source) {
        return QCoreApplication::translate(context.c_str(), source.c_str()).toStdString();
    }));
}
