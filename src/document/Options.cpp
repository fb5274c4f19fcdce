#include "document/Options.h"

#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"

#include <QFileInfo>

#include <limits>

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

namespace {

// A number field of the dialog holds what was typed: blank until the options are confirmed once,
// else a value the program can use.
bool blankOrWithin(const QString& text, double lowest, double highest)
{
    if (text.trimmed().isEmpty())
        return true;
    const double value = NumberFormat::readAsNumber(text);
    return value >= lowest && value <= highest;
}

} // namespace

bool Options::read(const QString& path, const QString& defaultSystemsFolder, QString* error)
{
    const LegacyTextFile::ReadResult file =
        LegacyTextFile::read(path, {Count, LegacyTextFile::LongestTypedText});
    if (file.status == LegacyTextFile::ReadStatus::NotFound)
        return false;
    Options read = dialogDefaults(defaultSystemsFolder);
    for (int i = 0; i < Count && i < file.values.size(); ++i)
        read.values[i] = LegacyTextFile::textOf(file.values[i]);
    if (file.status == LegacyTextFile::ReadStatus::Ok &&
        blankOrWithin(read[ColumnCost], 0, MaxColumnCost) &&
        blankOrWithin(read[DefaultShares], 0, std::numeric_limits<double>::max())) {
        values = read.values;
        return true;
    }
    if (error)
        *error = LegacyTextFile::refusalMessage(
            file.status, path,
            QStringLiteral("Il File %1 non contiene Opzioni valide !").arg(fileName()));
    return false;
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
