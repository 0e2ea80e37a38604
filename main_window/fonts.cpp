// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/fonts.hpp"

#include <QFontDatabase>
#include <QStringList>
#include <iterator>

namespace main_window {

namespace {

constexpr Face kFaces[] = {Face::Dialog, Face::SansSerif, Face::Serif, Face::Monospace};

// The family each face resolves to; looked up once, since Qt's own search
// for a missing family's fallbacks is slow.
QString resolved[std::size(kFaces)];

}  // namespace

void install_font_fallbacks()
{
    // The plain list: hasFamily() also resolves aliases, which costs more
    // than the whole window.
    const QStringList installed = QFontDatabase::families();
    for (std::size_t i = 0; i < std::size(kFaces); ++i) {
        const QString named = QString::fromLatin1(window_layout::families_of(kFaces[i]).named);
        const QString fallback = QString::fromLatin1(window_layout::families_of(kFaces[i]).fallback);
        QFont::insertSubstitution(named, fallback);
        resolved[i] = installed.contains(named) || !installed.contains(fallback) ? named : fallback;
    }
}

QFont make_font(const FontChoice& choice)
{
    const auto face = static_cast<std::size_t>(choice.face);
    QFont font(resolved[face].isEmpty() ? QString::fromLatin1(window_layout::families_of(choice.face).named)
                                        : resolved[face]);
    font.setPointSizeF(choice.points);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    return font;
}

}  // namespace main_window
