#include "document/PredictionLogic.h"

#include "document/IntegralGenerator.h"
#include "document/SystemDocument.h"
#include "platform/NumberFormat.h"
#include "platform/ProgressReporter.h"

namespace PredictionLogic {

namespace {

constexpr double LirePerEuro = 1936.27;

QString withoutBlanks(QString text)
{
    return text.remove(QLatin1Char(' '));
}

void tell(const std::function<void(const QString&)>& line, const QString& text)
{
    if (line)
        line(text);
}

} // namespace

std::optional<QChar> signKey(QChar typed)
{
    switch (typed.unicode()) {
    case '1':
    case '2':
        return typed;
    case 'X':
    case 'x':
    case '3':
        return QLatin1Char('X');
    default:
        return std::nullopt;
    }
}

Recount recount(const Fields& fields)
{
    Recount counts;
    for (const QString& field : fields) {
        switch (field.trimmed().size()) {
        case 1:
            ++counts.fixed;
            break;
        case 2:
            ++counts.doubles;
            break;
        case 3:
            ++counts.triples;
            break;
        default:
            break;
        }
    }
    counts.integralCount = IntegralGenerator::integralCount(fields);
    return counts;
}

LabelTexts labelTexts(const Recount& counts, double columnCost)
{
    using NumberFormat::plain;
    // The lire are multiplied in this order, as the cost has always been shown: a different
    // order can change the last digit of the unrounded text.
    const double euro = columnCost * counts.integralCount;
    const double lire = columnCost * LirePerEuro * counts.integralCount;
    return {plain(counts.fixed),
            plain(counts.doubles),
            plain(counts.triples),
            QLatin1Char(' ') + plain(counts.integralCount),
            plain(euro) + QStringLiteral(" €"),
            plain(lire) + QStringLiteral(" £")};
}

std::optional<QString> validationError(const Fields& fields)
{
    for (const QString& field : fields) {
        if (withoutBlanks(field).isEmpty())
            return QStringLiteral("Una o più caselle vuote !");
    }
    for (const QString& field : fields) {
        if (field.size() == 2) {
            if (withoutBlanks(field.left(1)) == withoutBlanks(field.right(1)))
                return QStringLiteral("Ripetizione segni su Doppie!");
        } else if (field.size() == 3) {
            const QString first = withoutBlanks(field.left(1));
            const QString middle = withoutBlanks(field.mid(1, 1));
            const QString last = withoutBlanks(field.right(1));
            if (first == middle || first == last || middle == last)
                return QStringLiteral("Ripetizione segni su Triple!");
        }
    }
    return std::nullopt;
}

QString signsOf(const QString& field)
{
    return withoutBlanks(field);
}

bool isChanged(const Fields& fields, const SystemDocument& document)
{
    for (int i = 0; i < Matches; ++i) {
        if (signsOf(fields[i]) != document.signsOf(i + 1))
            return true;
    }
    return false;
}

void confirm(SystemDocument& document, const Fields& fields, ProgressReporter& progress,
             const GenerationFeedback& feedback)
{
    document.ReducedCount = 0;
    document.WorkColumns.clear();
    document.IntegralColumns.clear();

    Fields signs;
    for (int i = 0; i < Matches; ++i) {
        document.setSigns(i + 1, signsOf(fields[i]));
        signs[i] = document.signsOf(i + 1);
    }
    document.IntegralCount = IntegralGenerator::integralCount(signs);

    tell(feedback.message, QStringLiteral("Inizializzazione del Sistema Integrale. Attendere..."));
    progress.setRange(0, Matches);
    const auto onMatch = [&](int match) {
        tell(feedback.progressText,
             NumberFormat::Str(match) + QStringLiteral(" di") + NumberFormat::Str(Matches));
        progress.setValue(match);
        // The generator lays out every column after announcing its last match.
        if (match == Matches) {
            tell(feedback.message,
                 QStringLiteral("Generazione Colonne del Sistema Integrale. Attendere..."));
            progress.setRange(0, document.IntegralCount);
            progress.setValue(0);
        }
    };
    document.IntegralColumns = IntegralGenerator::generate(signs, onMatch);
    progress.setValue(document.IntegralCount);
    progress.setValue(0);

    document.countSigns();
    document.countKinds();
}

} // namespace PredictionLogic
