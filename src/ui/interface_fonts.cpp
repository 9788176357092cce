// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/interface_fonts.h"

namespace radioprog {

namespace {

const QStringList& ChineseSansFamilies() {
    static const QStringList families = {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK TC"),
                                         QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")};
    return families;
}

}  // namespace

QStringList InterfaceFamilies(const QString& latin) { return QStringList{latin} + ChineseSansFamilies(); }

QStringList MessageFamilies() {
    // The Kai faces carry Latin letters of their own in a typewriter style: a sans face that
    // has no Chinese comes first, so it draws the Latin letters and the Kai face the rest.
    return QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                       QStringLiteral("STKaiti"),         QStringLiteral("KaiTi"),
                       QStringLiteral("AR PL UKai CN"),   QStringLiteral("AR PL UKai TW"),
                       QStringLiteral("AR PL UKai")} +
           ChineseSansFamilies();
}

}  // namespace radioprog
