#include "document/Options.h"

#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"

#include <QFileInfo>

double Options::columnCost() const
{
    return NumberFormat::readAsNumber(values[ColumnCost]);
}

quint8 Options::defaultQuote() const
{
    return toByte(NumberFormat::readAsNumber(values[DefaultShares]));
}

Options Options::dialogDefaults(const QString& systemsFolder)
{
    Options options;
    options.values = {systemsFolder,
                      QStringLiteral("0.5"),
                      QStringLiteral("1"),
                      QStringLiteral(" "),
                      QStringLiteral(" "),
                      QString(),
                      QString()};
    return options;
}

bool Options::read(const QString& path, const QString& defaultSystemsFolder)
{
    const LegacyTextFile::ReadResult file = LegacyTextFile::read(path);
    if (file.status == LegacyTextFile::ReadStatus::NotFound)
        return false;
    const Options defaults = dialogDefaults(defaultSystemsFolder);
    for (int i = 0; i < Count; ++i) {
        values[i] =
            i < file.values.size() ? LegacyTextFile::textOf(file.values[i]) : defaults.values[i];
    }
    return true;
}

bool Options::write(const QString& path, QString* error) const
{
    QVariantList lines;
    for (const QString& value : values)
        lines.append(value);
    return LegacyTextFile::write(path, lines, error);
}

quint8 toByte(double value, bool* overflow)
{
    const double rounded = NumberFormat::roundHalfEven(value);
    const bool fits = rounded >= 0 && rounded <= 255;
    if (overflow)
        *overflow = !fits;
    return fits ? static_cast<quint8>(rounded) : 0;
}
