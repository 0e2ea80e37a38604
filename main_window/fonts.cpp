#include "main_window/fonts.hpp"

#include <QStringList>

namespace main_window {

namespace {

QString family(Face face)
{
    switch (face) {
    case Face::Dialog:
    case Face::SansSerif:
        return QStringLiteral("MS Sans Serif");
    case Face::Serif:
        return QStringLiteral("Times New Roman");
    case Face::Monospace:
        return QStringLiteral("Courier New");
    }
    return {};
}

QFont::StyleHint hint(Face face)
{
    switch (face) {
    case Face::Serif:
        return QFont::Serif;
    case Face::Monospace:
        return QFont::Monospace;
    default:
        return QFont::SansSerif;
    }
}

}  // namespace

void install_font_fallbacks()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono")});
}

QFont make_font(const FontSpec& spec)
{
    QFont font(family(spec.face));
    font.setStyleHint(hint(spec.face));
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

}  // namespace main_window
