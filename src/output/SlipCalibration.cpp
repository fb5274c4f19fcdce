#include "output/SlipCalibration.h"

#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"
#include "platform/SafeFile.h"

#include <QFile>

#include <algorithm>
#include <cmath>

SlipCalibration SlipCalibration::read(const QString& path)
{
    SlipCalibration calibration;
    // Three numbers; anything longer than a number could be written is not a calibration.
    const LegacyTextFile::ReadResult file = LegacyTextFile::read(path, {3, 32});
    if (file.status != LegacyTextFile::ReadStatus::Ok || file.values.size() < 3)
        return calibration;
    const auto number = [&file](int line) {
        return NumberFormat::readAsNumber(LegacyTextFile::textOf(file.values.at(line)));
    };
    // Offsets in the window move in tenths of a millimetre.
    const auto offset = [](double value) {
        return std::clamp(std::round(value * 10) / 10, -OffsetLimit, OffsetLimit);
    };
    calibration.vertical = offset(number(0));
    calibration.horizontal = offset(number(1));
    const double dot = number(2);
    if (dot > 0 && dot <= MaximumDot)
        calibration.dot = dot;
    return calibration;
}

bool SlipCalibration::write(const QString& path, QString* error) const
{
    return LegacyTextFile::write(path, {vertical, horizontal, dot}, error);
}

QString SlipCalibration::readPrinter(const QString& path)
{
    QFile file(path);
    // A printer name is one short line; anything longer is not ours.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024)
        return {};
    return QString::fromUtf8(file.readAll()).section(u'\n', 0, 0).trimmed();
}

bool SlipCalibration::writePrinter(const QString& path, const QString& printer, QString* error)
{
    SafeFile file(path);
    const bool written =
        file.open() && file.write(printer.toUtf8() + QByteArrayLiteral("\r\n")) && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}
