#pragma once

#include "document/SystemDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Ready-made systems for tests: a document with named matches and a prediction, its integral
// system enumerated.
namespace TestSystems {

// `signs` holds the 13 sign fields; teams are "CASA i" / "OSPITE i".
SystemDocument withPrediction(const QStringList& signs,
                              const QString& name = QStringLiteral("Prova"));

// Thirteen triples.
QStringList allTriples();

QByteArray fileContent(const QString& path);

} // namespace TestSystems
