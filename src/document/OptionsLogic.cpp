#include "document/OptionsLogic.h"

#include "platform/NumberFormat.h"

#include <cmath>

namespace OptionsLogic {

QString label(int field)
{
    switch (field) {
    case 1:
        return QStringLiteral("Cartella dei Sistemi");
    case 2:
        return QStringLiteral("Costo Colonna (Euro)");
    case 3:
        return QStringLiteral("Quote Default (1-255)");
    case 4:
        return QStringLiteral("Default 'Statistiche: Ultime Colonne'");
    case 5:
        return QStringLiteral("Default \"Statistiche: Ultima Stagione\"");
    default:
        return {};
    }
}

int maxLength(int field)
{
    switch (field) {
    case 2:
    case 4:
        return 4;
    case 3:
        return 3;
    case 5:
        return 9;
    default:
        return 0;
    }
}

bool acceptsKey(int field, QChar typed)
{
    const bool digitOrBlank =
        (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QLatin1Char(' ');
    switch (field) {
    case 2:
        return digitOrBlank || typed == QLatin1Char('.');
    case 3:
        return digitOrBlank;
    default:
        return true;
    }
}

SharesCheck checkShares(const QString& text)
{
    const double value = NumberFormat::readAsNumber(text);
    if (value < 1 || value > 255)
        return {QStringLiteral("Valore Quote errato"), text};
    return {std::nullopt, NumberFormat::plain(std::trunc(value))};
}

std::optional<Refusal> validationError(const Fields& fields)
{
    // Fields 6 and 7 cannot be typed in and are empty on a first start, when this dialog opens
    // precisely so that the options get stored: checking them would make that impossible.
    for (int field = 1; field <= VisibleFields; ++field) {
        if (QString(fields[field - 1]).remove(QLatin1Char(' ')).isEmpty())
            return Refusal{field, QStringLiteral("Errore nei dati! Riprovare")};
    }
    return std::nullopt;
}

Options result(const Fields& fields, bool showProperties)
{
    Options options;
    options.values = fields;
    QString& folder = options[Options::SystemsFolder];
    folder = folder.trimmed();
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    options[Options::ShowPropertiesOnOpen] =
        showProperties ? QStringLiteral("S") : QStringLiteral("N");
    return options;
}

Fields fieldsOf(const Options& options)
{
    return options.values;
}

} // namespace OptionsLogic
