#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code page of the settings and system files, so that files written on Windows open
// unchanged. Characters the code page lacks are written as '?'.
namespace Cp1252 {
QByteArray encode(QStringView text);
QString decode(QByteArrayView bytes);
} // namespace Cp1252
