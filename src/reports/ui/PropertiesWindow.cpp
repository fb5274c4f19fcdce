#include "reports/ui/PropertiesWindow.h"

#include "reports/PropertiesLogic.h"
#include "session/Session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// Rows end in CR or CR LF; a label breaks lines at LF only.
QString rowsText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QLabel* columnLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(rowsText(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A frame of title and value columns side by side; the rows of a title column and its value
// column are lines of the same font, so they line up.
QGroupBox* columnsFrame(QWidget* parent, const QString& title,
                        const std::array<const char*, 6>& names,
                        const std::array<QString, PropertiesLogic::Columns>& titles,
                        const std::array<QString, PropertiesLogic::Columns>& values)
{
    auto* frame = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(frame);
    for (int column = 0; column < PropertiesLogic::Columns; ++column) {
        row->addWidget(columnLabel(frame, names[2 * column], titles[column]));
        QLabel* value = columnLabel(frame, names[2 * column + 1], values[column]);
        value->setAlignment(Qt::AlignRight | Qt::AlignTop);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
        row->addWidget(value);
        row->addSpacing(12);
    }
    row->addStretch();
    return frame;
}

} // namespace

PropertiesWindow::PropertiesWindow(Session& session, std::function<void()> printProspect,
                                   QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPRESENTA"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Propriet\u00e0"));
    const PropertiesLogic::Texts texts =
        PropertiesLogic::textsOf(document, session.options().columnCost());

    auto* prediction = new QGroupBox(QStringLiteral("Pronostico"), this);
    auto* grid = new QGridLayout(prediction);
    grid->setVerticalSpacing(1);
    for (int match = 1; match <= PropertiesLogic::Matches; ++match) {
        grid->addWidget(new QLabel(QString::number(match), prediction), match - 1, 0);
        const auto add = [&](const char* name, const QString& text, int column) {
            auto* label = new QLabel(text, prediction);
            label->setObjectName(indexed(name, match));
            grid->addWidget(label, match - 1, column);
        };
        add("lblCa", texts.home[match - 1], 1);
        add("lblFc", texts.away[match - 1], 2);
        add("lblPro", texts.signs[match - 1], 3);
    }

    QGroupBox* integral =
        columnsFrame(this, QStringLiteral("Sistema Integrale"),
                     {"lblINT1", "lblVAL1", "lblINT2", "lblVAL2", "lblINT3", "lblVAL3"},
                     texts.integralTitles, texts.integralValues);
    QGroupBox* reduced =
        columnsFrame(this, QStringLiteral("Sistema Ridotto"),
                     {"lblRID1", "lblVRID1", "lblRID2", "lblVRID2", "lblRID3", "lblVRID3"},
                     texts.reducedTitles, texts.reducedValues);

    auto* print = new QPushButton(QStringLiteral("&Stampa"), this);
    print->setObjectName(QStringLiteral("cmdStampa"));
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("cmdChiudi"));
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, [printProspect = std::move(printProspect)] {
        if (printProspect)
            printProspect();
    });
    connect(close, &QPushButton::clicked, this, &PropertiesWindow::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* figures = new QVBoxLayout;
    figures->addWidget(integral);
    figures->addWidget(reduced);
    figures->addWidget(columnLabel(this, "LblSeqCamp", texts.sequences));
    if (!texts.advanced.isEmpty())
        figures->addWidget(columnLabel(this, "LblAvanzate", texts.advanced));
    figures->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(prediction);
    body->addLayout(figures);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    close->setFocus();
}

PropertiesWindow::~PropertiesWindow() = default;
