// The one crossing point between core's CP1252 strings and Qt's QString.
#pragma once
#include <QString>
#include <string>

#include "common/cp1252.h"

namespace vft::ui {

inline QString qs(const std::string& cp1252_text) { return QString::fromStdString(cp1252::to_utf8(cp1252_text)); }
inline std::string cp(const QString& text) { return cp1252::from_utf8(text.toStdString()); }

}  // namespace vft::ui
