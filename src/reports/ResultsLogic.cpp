#include "reports/ResultsLogic.h"

#include "document/SystemDocument.h"
#include "output/WinningsCheck.h"
#include "platform/NumberFormat.h"

#include <QDir>

namespace ResultsLogic {

namespace {

bool isScoreField(int field)
{
    return field >= scoreField(1) && field <= scoreField(Matches);
}

bool isSignField(int field)
{
    return field >= signField(1) && field <= signField(Matches);
}

const Score NoScore{QStringLiteral("*"), QStringLiteral("-")};

// The longest text a box takes: a score or figure is never near it, but a file written by hand
// may hold anything a line edit could.
constexpr LegacyTextFile::Shape FileShape{FieldCount, LegacyTextFile::LongestTypedText};

} // namespace

QString caption(int field)
{
    switch (field) {
    case Contest:
        return QStringLiteral("Concorso n.");
    case MatchDate:
        return QStringLiteral("Partite del");
    case PrizePool:
        return QStringLiteral("Montepremi (Euro)");
    case FirstWinners:
        return QStringLiteral("Vincite I cat.");
    case FirstPrize:
        return QStringLiteral("Quote I cat.");
    case SecondWinners:
        return QStringLiteral("Vincite II cat.");
    case SecondPrize:
        return QStringLiteral("Quote II cat.");
    default:
        return {};
    }
}

bool acceptsKey(int field, QChar key)
{
    if (isSignField(field))
        return false;
    if (key.isDigit() && key.unicode() < 128)
        return true;
    if (isScoreField(field))
        return key == QLatin1Char('-');
    return key == QLatin1Char('.') || key == QLatin1Char(',') || key == QLatin1Char('/');
}

Score parseScore(const QString& typed)
{
    const QString text = typed.trimmed();
    const qsizetype dash = text.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return NoScore;
    const QString home = text.left(dash);
    const QString away = text.mid(dash + 1);
    // A lone dash, dashes only, or a side left out: no score to read.
    if (home.isEmpty() || away.isEmpty() || !home.front().isDigit() || !away.front().isDigit())
        return NoScore;
    const double homeGoals = NumberFormat::readAsNumber(home);
    const double awayGoals = NumberFormat::readAsNumber(away);
    const char* sign = homeGoals == awayGoals ? "X" : homeGoals > awayGoals ? "1" : "2";
    return {text, QLatin1String(sign)};
}

bool isCovered(const QString& sign, const QString& played)
{
    // The signs played never hold "-", so a match without a result is never covered.
    return !sign.isEmpty() && played.contains(sign);
}

QList<int> uncovered(const Fields& fields, const SystemDocument& document)
{
    QList<int> matches;
    for (int match = 1; match <= Matches; ++match) {
        if (!isCovered(fields[signField(match) - 1], document.signsOf(match)))
            matches << match;
    }
    return matches;
}

int points(const Fields& fields, const SystemDocument& document)
{
    return Matches - int(uncovered(fields, document).size());
}

Fields initial(const SystemDocument& document)
{
    Fields fields;
    fields[Contest - 1] = document.NumConcorso.trimmed();
    fields[MatchDate - 1] = document.DataConcorso;
    return fields;
}

QString filePath(const QString& systemsFolder, const QString& systemName)
{
    return QDir(systemsFolder).filePath(systemName + QStringLiteral(".rsl"));
}

LegacyTextFile::ReadStatus read(const QString& path, Fields& fields)
{
    const LegacyTextFile::ReadResult file = LegacyTextFile::read(path, FileShape);
    if (file.status != LegacyTextFile::ReadStatus::Ok)
        return file.status;
    Fields read;
    for (int i = 0; i < FieldCount && i < file.values.size(); ++i)
        read[i] = LegacyTextFile::textOf(file.values[i]);
    // What the window could not have saved would count points no column scores, or money
    // nobody won ("nan", "inf", "-5").
    for (int match = 1; match <= Matches; ++match) {
        const QString& sign = read[signField(match) - 1];
        if (sign.size() > 1 || (sign.size() == 1 && !QStringView(u"1X2-").contains(sign.front())))
            return LegacyTextFile::ReadStatus::Malformed;
    }
    for (int field = PrizePool; field <= SecondPrize; ++field) {
        for (const QChar key : read[field - 1].trimmed()) {
            if (!acceptsKey(field, key))
                return LegacyTextFile::ReadStatus::Malformed;
        }
    }
    fields = read;
    return file.status;
}

bool write(const QString& path, const Fields& fields, QString* error)
{
    QVariantList values;
    for (const QString& field : fields)
        values << QVariant(field);
    return LegacyTextFile::write(path, values, error);
}

double amountOf(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double amount = locale.toDouble(trimmed, &ok);
    if (!ok)
        amount = QLocale::c().toDouble(trimmed, &ok);
    // Prizes are announced with full stops between thousands and a decimal comma, whatever the
    // desktop's language.
    if (!ok)
        amount = QLocale(QLocale::Italian).toDouble(trimmed, &ok);
    return ok ? amount : 0;
}

QString amountText(const QString& text, const QLocale& locale)
{
    return NumberFormat::formatPattern(amountOf(text, locale), u"###,###,##0.00", locale);
}

std::optional<Winnings> winningsOf(const Fields& fields, const SystemDocument& document,
                                   const QLocale& locale)
{
    if (document.ReducedCount < 1 || document.WorkColumns.isEmpty())
        return std::nullopt;
    // A match without a winning sign equals no column's sign.
    QByteArray winning(Matches, '-');
    for (int match = 1; match <= Matches; ++match) {
        const QString& sign = fields[signField(match) - 1];
        if (sign.size() == 1 && QByteArrayView("1X2").contains(sign.front().toLatin1()))
            winning[match - 1] = sign.front().toLatin1();
    }
    WinningsCheck::Ticked ticked{};
    for (int k = 0; k < Winnings::Categories; ++k)
        ticked[k] = true;
    const WinningsCheck::Counts counts =
        WinningsCheck::count(document.WorkColumns, winning, ticked);
    Winnings winnings;
    for (int k = 0; k < Winnings::Categories; ++k)
        winnings.counts[k] = counts[k].value_or(0);
    winnings.total = winnings.counts[0] * amountOf(fields[FirstPrize - 1], locale) +
                     winnings.counts[1] * amountOf(fields[SecondPrize - 1], locale);
    return winnings;
}

QString totalText(double total, const QLocale& locale)
{
    return QStringLiteral("Vincita totale: ") +
           NumberFormat::formatPattern(total, u"###,###,##0.00", locale) +
           QStringLiteral(" \u20ac");
}

} // namespace ResultsLogic
