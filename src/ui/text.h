// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the library's UTF-8 texts and Qt's.
#include <QString>

#include <string>

namespace radioprog {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace radioprog
