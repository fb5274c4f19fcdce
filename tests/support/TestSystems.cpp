#include "support/TestSystems.h"

#include "document/IntegralGenerator.h"

#include <QFile>

namespace TestSystems {

SystemDocument withPrediction(const QStringList& signs, const QString& name)
{
    SystemDocument document;
    document.SystemName = name;
    std::array<QString, 13> fields;
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        document.setHomeTeam(i, QStringLiteral("CASA %1").arg(i));
        document.setAwayTeam(i, QStringLiteral("OSPITE %1").arg(i));
        document.setSigns(i, signs.value(i - 1));
        fields[i - 1] = signs.value(i - 1);
    }
    document.IntegralCount = IntegralGenerator::integralCount(fields);
    document.IntegralColumns = IntegralGenerator::generate(fields);
    document.countSigns();
    document.countKinds();
    return document;
}

QStringList allTriples()
{
    QStringList signs;
    for (int i = 0; i < 13; ++i)
        signs.append(QStringLiteral("1X2"));
    return signs;
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace TestSystems
